// The tab control; its pages are child dialogs that the window places.
#include <QTabBar>

#include "control_adapter.h"
#include "user_input.h"

namespace ui::qt {
namespace {

class TabAdapter : public ControlAdapter {
public:
  using ControlAdapter::ControlAdapter;
  void sync(AdapterHost&) override {
    auto* tabs = static_cast<QTabBar*>(widget());
    const Control& c = control();
    while (tabs->count() > c.itemCount()) tabs->removeTab(tabs->count() - 1);
    for (int i = 0; i < c.itemCount(); ++i) {
      if (i >= tabs->count()) tabs->addTab(QString());
      tabs->setTabText(i, qs(c.itemText(i)));
    }
    if (c.selection() >= 0) tabs->setCurrentIndex(c.selection());
  }
  WidgetDump dump() const override {
    auto* tabs = static_cast<QTabBar*>(widget());
    WidgetDump out;
    out.value = "\"\" selection=" + std::to_string(tabs->currentIndex());
    if (tabs->currentIndex() >= 0) out.value += ' ' + quoted(tabs->tabText(tabs->currentIndex()));
    for (int i = 0; i < tabs->count(); ++i) out.rows.push_back("item " + std::to_string(i) + ": " + quoted(tabs->tabText(i)));
    return out;
  }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* tabs = new QTabBar(parent);
    tabs->setExpanding(false);
    Control& c = control();
    QObject::connect(tabs, &QTabBar::currentChanged, &host.window(), [&c, &host](int index) {
      if (host.syncing() || index == c.selection()) return;
      user::select(c.dialog(), c.id(), index);
    });
    return tabs;
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> makeTabAdapter(Control& c) { return std::make_unique<TabAdapter>(c); }

}  // namespace ui::qt
