// Which backend a session's dialogs get.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "backend.h"
#include "display_probe.h"

namespace {

struct Environment {
  explicit Environment(const char* qrvUi) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    if (qrvUi) ::setenv("QRV_UI", qrvUi, 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  ~Environment() {
    ::unsetenv("QRV_UI");
    ui::setScriptedSession(false);
    ui::setBackend(nullptr);
  }
};

}  // namespace

TEST(BackendChoice, HeadlessWithoutADisplayOrWhenScripted) {
  const struct {
    const char* qrvUi;
    const char* display;
    bool scripted;
  } cases[] = {
      {nullptr, nullptr, false},
      {nullptr, ":99", true},  // a script plays the dialogs
      {nullptr, ":97", false},  // a display nobody serves: the window system would end the process
      {"headless", ":99", false},
  };
  for (const auto& c : cases) {
    Environment env(c.qrvUi);
    if (c.display) ::setenv("DISPLAY", c.display, 1);
    ui::setScriptedSession(c.scripted);
    if (c.display && !c.scripted && !c.qrvUi) EXPECT_FALSE(ui::displayReachable());
    EXPECT_EQ(ui::selectSessionBackend(), "headless") << (c.display ? c.display : "no display");
    ::unsetenv("DISPLAY");
  }
}

TEST(BackendChoice, QtIsLoadedAtRunTimeWhenAskedFor) {
  Environment env("qt");
#ifdef QRVUI_TEST_QT_BACKEND
  EXPECT_EQ(ui::selectSessionBackend(), "qt");
  EXPECT_EQ(ui::backend().name(), std::string("qt"));
#else
  EXPECT_EQ(ui::selectSessionBackend(), "headless") << "no Qt backend in this build";
#endif
}

TEST(BackendChoice, XDisplayNames) {
  std::string host;
  int number = -1;
  EXPECT_TRUE(ui::parseXDisplay(":0", host, number));
  EXPECT_EQ(host, "");
  EXPECT_EQ(number, 0);
  EXPECT_TRUE(ui::parseXDisplay("localhost:10.0", host, number));
  EXPECT_EQ(host, "localhost");
  EXPECT_EQ(number, 10);
  EXPECT_FALSE(ui::parseXDisplay("nonsense", host, number));
  EXPECT_FALSE(ui::parseXDisplay(":x", host, number));
  EXPECT_FALSE(ui::parseXDisplay("host:", host, number));
}
