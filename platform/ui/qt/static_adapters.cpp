// Controls that show a text or a line and take no input: labels, group
// boxes and etched lines.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "control_adapter.h"

namespace ui::qt {
namespace {

class LabelAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  bool takesFocus() const override { return false; }
  void sync(AdapterHost& host) override {
    auto* label = static_cast<QLabel*>(widget());
    // A label with a buddy keeps its mnemonic: Alt and the letter move the
    // focus to the control it names.
    if (QWidget* buddy = host.buddyWidgetOf(control())) {
      label->setText(qs(control().text()));
      label->setBuddy(buddy);
    } else {
      label->setText(qs(withoutMnemonic(control().text())));
    }
  }
  WidgetDump dump() const override { return {quoted(static_cast<QLabel*>(widget())->text()), {}, {}}; }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost&) override {
    auto* label = new QLabel(parent);
    // A label two lines high or more holds a sentence that wraps.
    constexpr int kTwoLines = 16;  // dialog units
    if (control().rect().cy >= kTwoLines) {
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return label;
  }
};

class GroupBoxAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  bool takesFocus() const override { return false; }
  // A mnemonic in the title moves the focus into the group, as the
  // underlined letter promises.
  void sync(AdapterHost&) override { static_cast<QGroupBox*>(widget())->setTitle(qs(control().text())); }
  WidgetDump dump() const override { return {quoted(static_cast<QGroupBox*>(widget())->title()), {}, {}}; }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost&) override {
    auto* box = new QGroupBox(parent);
    box->lower();  // a frame around controls, never over them
    return box;
  }
};

class EtchedLineAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  bool takesFocus() const override { return false; }
  void sync(AdapterHost&) override {}

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost&) override {
    auto* line = new QFrame(parent);
    const Rect r = control().rect();
    line->setFrameShape(r.cx >= r.cy ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> makeLabelAdapter(Control& c) { return std::make_unique<LabelAdapter>(c); }
std::unique_ptr<ControlAdapter> makeGroupBoxAdapter(Control& c) { return std::make_unique<GroupBoxAdapter>(c); }
std::unique_ptr<ControlAdapter> makeEtchedLineAdapter(Control& c) { return std::make_unique<EtchedLineAdapter>(c); }

}  // namespace ui::qt
