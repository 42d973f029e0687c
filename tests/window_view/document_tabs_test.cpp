// The drawings as tabs: names and marks follow the documents, choosing a
// tab types SWITCH, and closing a changed drawing asks first (the test
// answers the question the way a user clicks).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <deque>

#include "../host/host_test_support.h"
#include "document_tabs.h"
#include "offscreen_application.h"

namespace {

// Clicks the buttons in turn, one for each question box that shows.
void answerQuestions(std::deque<QMessageBox::StandardButton> buttons) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, buttons]() mutable {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    box->button(buttons.front())->click();
    buttons.pop_front();
    if (buttons.empty()) timer->deleteLater();
  });
  timer->start(5);
}

}  // namespace

TEST(DocumentTabs, FollowTheDrawingsAndAskBeforeClosingAChangedOne) {
  offscreenApplication();

  ScriptedHost host;
  HostApDocManager& docs = host.documents();
  HostApDocument* first = docs.addDocument(std::make_unique<OdDbDatabase>(), "", "");
  first->markSaved("/tmp/first.dxf");
  HostApDocument* second = docs.addDocument(std::make_unique<OdDbDatabase>(), "", "");

  qrvwindow::DocumentTabs tabs;
  QList<QStringList> typed;
  tabs.typeLines = [&](const QStringList& lines) { typed << lines; };
  tabs.askFileName = [](HostApDocument*) { return QString("/tmp/named.dxf"); };
  tabs.sync(&docs);
  ASSERT_EQ(tabs.count(), 2);
  EXPECT_EQ(tabs.tabText(0), "first.dxf");
  EXPECT_EQ(tabs.currentIndex(), 1);
  EXPECT_TRUE(typed.isEmpty());  // showing the current drawing types nothing

  tabs.setCurrentIndex(0);
  ASSERT_EQ(typed.size(), 1);
  EXPECT_EQ(typed.back(), (QStringList{"SWITCH", "1"}));

  first->markChanged();
  second->markChanged();
  tabs.sync(&docs);
  EXPECT_EQ(tabs.tabText(0), "first.dxf*");
  EXPECT_EQ(tabs.currentIndex(), 1);

  // An unchanged drawing closes without a question.
  second->markUnchanged();
  EXPECT_EQ(tabs.closingLines(&docs, 1), (QStringList{"SWITCH", "2", "CLOSE"}));
  second->markChanged();
  // Cancel closes nothing; No closes without saving; Yes on a drawing
  // without a file saves it under the name the file dialog gave.
  answerQuestions({QMessageBox::Cancel});
  EXPECT_FALSE(tabs.closingLines(&docs, 0).has_value());
  answerQuestions({QMessageBox::No});
  EXPECT_EQ(tabs.closingLines(&docs, 0), (QStringList{"SWITCH", "1", "CLOSE", "No"}));
  answerQuestions({QMessageBox::Yes});
  EXPECT_EQ(tabs.closingLines(&docs, 1), (QStringList{"SWITCH", "2", "CLOSE", "Yes", "/tmp/named.dxf"}));

  // Quitting asks about each changed drawing, the last first; a cancel
  // anywhere keeps everything open.
  answerQuestions({QMessageBox::Yes, QMessageBox::Yes});
  EXPECT_EQ(tabs.quittingLines(&docs),
            (QStringList{"SWITCH", "2", "CLOSE", "Yes", "/tmp/named.dxf", "SWITCH", "1", "CLOSE", "Yes"}));
  answerQuestions({QMessageBox::No, QMessageBox::Cancel});
  EXPECT_FALSE(tabs.quittingLines(&docs).has_value());

  docs.closeDocument(second);
  tabs.sync(&docs);
  EXPECT_EQ(tabs.count(), 1);
  EXPECT_FALSE(tabs.isVisible());  // one drawing needs no tabs
}
