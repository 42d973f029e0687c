// A static area that the dialog paints (the preview).
#include <QPainter>
#include <QWidget>

#include "control_adapter.h"
#include "qt_device_context.h"

namespace ui::qt {
namespace {

class PaintedFrame : public QWidget {
public:
  PaintedFrame(Control& control, QWidget* parent) : QWidget(parent), m_control(control) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QtPainterDC dc(p, &palette());
    m_control.paint(dc, Rect{0, 0, width(), height()});
  }

private:
  Control& m_control;
};

class FrameAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  bool takesFocus() const override { return false; }
  void sync(AdapterHost&) override { widget()->update(); }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost&) override { return new PaintedFrame(control(), parent); }
};

}  // namespace

std::unique_ptr<ControlAdapter> makeFrameAdapter(Control& c) { return std::make_unique<FrameAdapter>(c); }

}  // namespace ui::qt
