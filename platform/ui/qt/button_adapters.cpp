// Push buttons, check boxes and radio buttons. A check box or radio button
// does not change its own state on a click: the dialog decides it, and the
// widget is mirrored again afterwards.
#include <QCheckBox>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "control_adapter.h"
#include "user_input.h"

namespace ui::qt {
namespace {

// A sheet over a sheet, when the desktop theme has no copy icon.
QIcon namedIcon(const std::string& name) {
  if (name.empty()) return QIcon();
  const QIcon themed = QIcon::fromTheme(qs(name == "copy" ? "edit-copy" : name));
  if (!themed.isNull() || name != "copy") return themed;
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QColor(70, 70, 70));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(1, 1, 8, 10);
  p.drawRect(6, 4, 8, 10);
  for (int y = 7; y <= 11; y += 2) p.drawLine(8, y, 12, y);
  return QIcon(pm);
}

// The click goes to the dialog, which decides the new state; the widget
// shows it once mirrored again.
void letDialogDecide(QAbstractButton* button, Control& c, AdapterHost& host) {
  QObject::connect(button, &QAbstractButton::clicked, &host.window(), [&c, &host] {
    user::click(c.dialog(), c.id());
    host.resync(c);
  });
}

class ButtonAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {
    auto* b = static_cast<QPushButton*>(widget());
    const Control& c = control();
    if (c.hasStyle(kStyleIcon)) {
      b->setIcon(namedIcon(c.icon()));
      b->setProperty("qrvIcon", qs(c.icon()));
      b->setText(c.icon().empty() ? qs(c.text()) : QString());
    } else {
      b->setText(qs(c.text()));
    }
  }
  WidgetDump dump() const override { return {quoted(static_cast<QPushButton*>(widget())->text()), {}, {}}; }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    b->setDefault(control().hasStyle(kStyleDefault));
    Dialog& d = control().dialog();
    const int id = control().id();
    QObject::connect(b, &QPushButton::clicked, &host.window(), [&d, id] { user::click(d, id); });
    return b;
  }
};

class CheckBoxAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {
    auto* b = static_cast<QCheckBox*>(widget());
    const int check = control().check();
    b->setText(qs(control().text()));
    b->setTristate(check == kIndeterminate);
    b->setCheckState(check == kChecked ? Qt::Checked : check == kIndeterminate ? Qt::PartiallyChecked : Qt::Unchecked);
  }
  WidgetDump dump() const override {
    auto* b = static_cast<QCheckBox*>(widget());
    const int check = b->checkState() == Qt::Checked ? 1 : b->checkState() == Qt::PartiallyChecked ? 2 : 0;
    return {quoted(b->text()) + " check=" + std::to_string(check), {}, {}};
  }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* b = new QCheckBox(parent);
    letDialogDecide(b, control(), host);
    return b;
  }
};

class RadioButtonAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {
    auto* b = static_cast<QRadioButton*>(widget());
    b->setText(qs(control().text()));
    b->setChecked(control().check() == kChecked);
  }
  WidgetDump dump() const override {
    auto* b = static_cast<QRadioButton*>(widget());
    return {quoted(b->text()) + " check=" + (b->isChecked() ? "1" : "0"), {}, {}};
  }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* b = new QRadioButton(parent);
    b->setAutoExclusive(false);  // the dialog groups its radio buttons itself
    letDialogDecide(b, control(), host);
    return b;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> makeButtonAdapter(Control& c) { return std::make_unique<ButtonAdapter>(c); }
std::unique_ptr<ControlAdapter> makeCheckBoxAdapter(Control& c) { return std::make_unique<CheckBoxAdapter>(c); }
std::unique_ptr<ControlAdapter> makeRadioButtonAdapter(Control& c) { return std::make_unique<RadioButtonAdapter>(c); }

}  // namespace ui::qt
