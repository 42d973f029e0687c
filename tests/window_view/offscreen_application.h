#pragma once
// The widgets' application object on the offscreen platform, made once for
// every test of the window's parts, and the mouse as a user moves it.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
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

inline void mouse(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
  QMouseEvent e(type, at, w.mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

inline void click(QWidget& w, QPointF at) {
  mouse(w, QEvent::MouseButtonPress, at);
  mouse(w, QEvent::MouseButtonRelease, at);
}

// Pressed at `from`, moved by way of the middle, let go at `to`.
inline void drag(QWidget& w, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton) {
  mouse(w, QEvent::MouseButtonPress, from, button);
  mouse(w, QEvent::MouseMove, (from + to) / 2, button);
  mouse(w, QEvent::MouseMove, to, button);
  mouse(w, QEvent::MouseButtonRelease, to, button);
}
