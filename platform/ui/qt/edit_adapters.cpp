// Edit fields and the up-down arrows beside them. An edit hands every
// change of its text to the control as the user types; the arrows step the
// field through the dialog.
#include <QLineEdit>
#include <QPalette>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "control_adapter.h"
#include "dialog_script.h"
#include "user_input.h"

namespace ui::qt {
namespace {

class EditAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {
    auto* e = static_cast<QLineEdit*>(widget());
    // Setting the same text again would move the caret to the end.
    if (e->text() != qs(control().text())) e->setText(qs(control().text()));
    e->setReadOnly(control().isReadOnly());
    showColors(e, control().textColors());
  }
  WidgetDump dump() const override {
    auto* e = static_cast<QLineEdit*>(widget());
    std::string value = quoted(e->text()) + (e->isReadOnly() ? " read-only" : "");
    if (e->testAttribute(Qt::WA_SetPalette)) {
      const QPalette p = e->palette();
      const QColor text = p.color(QPalette::Text), back = p.color(QPalette::Base);
      value += ' ' + dumpTextColors({{std::uint8_t(text.red()), std::uint8_t(text.green()), std::uint8_t(text.blue())},
                                     {std::uint8_t(back.red()), std::uint8_t(back.green()), std::uint8_t(back.blue())}});
    }
    return {value, {}, {}};
  }

private:
  // The dialog's colours while it chooses them, the style's otherwise.
  static void showColors(QLineEdit* e, const std::optional<TextColors>& colors) {
    if (!colors) {
      if (e->testAttribute(Qt::WA_SetPalette)) e->setPalette(QPalette());
      e->setAttribute(Qt::WA_SetPalette, false);
      return;
    }
    QPalette p = e->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      p.setColor(group, QPalette::Text, QColor(colors->text.r, colors->text.g, colors->text.b));
      p.setColor(group, QPalette::Base, QColor(colors->background.r, colors->background.g, colors->background.b));
    }
    e->setPalette(p);
  }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* e = new QLineEdit(parent);
    Control& c = control();
    QObject::connect(e, &QLineEdit::textEdited, &host.window(), [&c](const QString& text) { c.setText(text.toStdString()); });
    return e;
  }
};

class SpinAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {}

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Dialog& d = control().dialog();
    const int id = control().id();
    for (bool up : {true, false}) {
      auto* arrow = new QToolButton(box);
      arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
      arrow->setAutoRepeat(true);
      arrow->setObjectName(up ? "up" : "down");
      arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      layout->addWidget(arrow);
      QObject::connect(arrow, &QToolButton::clicked, &host.window(), [&d, id, up] { user::spin(d, id, up); });
    }
    return box;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> makeEditAdapter(Control& c) { return std::make_unique<EditAdapter>(c); }
std::unique_ptr<ControlAdapter> makeSpinAdapter(Control& c) { return std::make_unique<SpinAdapter>(c); }

}  // namespace ui::qt
