#pragma once
// Dialogs as Qt widgets on the offscreen platform: the backend for a whole
// suite, events let through before a look at the widgets, and screenshots
// left in the build folder for review.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "backend.h"
#include "qt_backend.h"
#include "stdafx/module_resources.h"
#include "translation.h"

namespace qttest {

// Lets the queued layout, paint and posted events run.
inline void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

inline std::string buildPath(const std::string& name) { return std::string(DDS_BINARY_DIR) + "/" + name; }

// Saves a picture of the window under the build folder; gives its path.
inline std::string shot(QWidget& window, const std::string& name) {
  const std::string path = buildPath(name);
  EXPECT_TRUE(window.grab().save(QString::fromStdString(path))) << path;
  return path;
}

// Picks an entry of a drop-down list as a user's click does.
inline void choose(QComboBox* combo, const QString& text) {
  const int index = combo->findText(text);
  ASSERT_GE(index, 0) << text.toStdString();
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  settle();
}

// Every dialog the tests of the suite run opens as Qt widgets; each test
// starts in the module's strings and the language it asks for.
template <class Base = ::testing::Test>
struct QtDialogTest : Base {
  static void SetUpTestSuite() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ui::setBackend(&ui::qt::qtBackend());
  }
  static void TearDownTestSuite() { ui::setBackend(nullptr); }
  static void startIn(HostLanguage language) {
    Supp_InitResTranslation(&dds::moduleResources());
    setHostLanguage(language);
  }
  void TearDown() override {
    ui::qt::qtBackend().setShownHook(nullptr);
    setHostLanguage(HostLanguage::kEnglish);
    Base::TearDown();
  }
};

// Runs a parameterised suite once in English and once in Russian.
#define QT_TEST_IN_BOTH_LANGUAGES(suite)                                                                   \
  INSTANTIATE_TEST_SUITE_P(Languages, suite, ::testing::Values(HostLanguage::kEnglish, HostLanguage::kRussian), \
                           [](const auto& info) { return info.param == HostLanguage::kRussian ? "Russian" : "English"; })

inline std::string languageTag(HostLanguage language) { return language == HostLanguage::kRussian ? "ru" : "en"; }

}  // namespace qttest
