// The command line panel: Tab completion of command names, Up and Down
// through the lines typed before, and the prompt taken from the output with
// its keyword options as links.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "command_line_panel.h"
#include "offscreen_application.h"

namespace {

void key(QWidget& w, int k) {
  QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
  QApplication::sendEvent(&w, &press);
}

}  // namespace

TEST(CommandLinePanel, CompletesNamesWalksTheTypedLinesAndShowsThePrompt) {
  offscreenApplication();

  qrvwindow::CommandLinePanel panel;
  QStringList submitted;
  panel.onSubmit = [&](const QString& line) { submitted << line; };
  auto* edit = panel.findChild<QLineEdit*>("commandInput");
  ASSERT_NE(edit, nullptr);

  panel.appendOutput("Command: DIMASZ\nEnter new value for DIMASZ <0.18>: 0.25\nCommand: ");
  EXPECT_EQ(panel.prompt(), "Command: ");
  EXPECT_TRUE(panel.historyText().endsWith("<0.18>: 0.25"));

  panel.setCompletions({"DIMALIGNED", "DIMLINEAR", "DIMSTYLE", "ERASE"});
  edit->setText("diml");
  key(*edit, Qt::Key_Tab);
  EXPECT_EQ(edit->text(), "DIMLINEAR");
  // Several names share only what was typed: they are listed instead.
  edit->setText("dim");
  key(*edit, Qt::Key_Tab);
  EXPECT_EQ(edit->text(), "dim");
  EXPECT_TRUE(panel.historyText().endsWith("DIMALIGNED  DIMLINEAR  DIMSTYLE"));

  for (const char* line : {"ERASE", "U", "U"}) {
    edit->setText(line);
    key(*edit, Qt::Key_Return);
  }
  EXPECT_EQ(submitted, (QStringList{"ERASE", "U", "U"}));
  // A line typed twice in a row is remembered once.
  key(*edit, Qt::Key_Up);
  EXPECT_EQ(edit->text(), "U");
  key(*edit, Qt::Key_Up);
  EXPECT_EQ(edit->text(), "ERASE");
  key(*edit, Qt::Key_Up);
  EXPECT_EQ(edit->text(), "ERASE");
  key(*edit, Qt::Key_Down);
  key(*edit, Qt::Key_Down);
  EXPECT_EQ(edit->text(), "");

  // The prompt's options are links; a click answers with the keyword.
  panel.appendOutput("\nEnter a zoom option [Extents/Window] <Extents>: ");
  auto* prompt = panel.findChild<QLabel*>("prompt");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->text().toStdString(), "Enter a zoom option [<a href=\"Extents\">Extents</a>/<a href=\"Window\">Window</a>] "
                            "&lt;Extents&gt;:");
  emit prompt->linkActivated("Window");
  EXPECT_EQ(submitted.back(), "Window");
  // A bracket that holds no keywords stays text.
  panel.appendOutput("\nEnter text [with blanks]: ");
  EXPECT_FALSE(prompt->text().contains("<a "));
}
