#pragma once
// The widgets' application object on the offscreen platform, made once for
// every test of the window's parts.
#include <QApplication>
#include <cstdlib>

inline QApplication& offscreenApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}
