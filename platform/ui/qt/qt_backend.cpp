#include "qt_backend.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QTimer>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "control_adapter.h"
#include "dialog.h"
#include "dialog_script.h"
#include "headless_backend.h"
#include "user_input.h"

namespace ui::qt {
namespace {

bool ensureApplication() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;  // a process without widgets
  static int argc = 1;
  static char name[] = "qrvhost";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
  return true;
}

// The application's main window, when it has one: dialogs that no other
// dialog owns belong to it, so they stay above it and go with it.
QWidget* applicationWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow*>(w) && w->isVisible()) return w;
  return nullptr;
}

// A dialog on screen in a scripted session: the script's lines play its
// user, as they do headless, while the window shows what they do.
void playFromScript(Dialog& dialog) {
  playToTheEnd(dialog, [](Dialog& d) { driveFromHostConsole(d); });
}

class DialogWindow;
std::map<const Dialog*, DialogWindow*>& windows() {
  static std::map<const Dialog*, DialogWindow*> m;
  return m;
}

class DialogWindow : public QDialog, public DialogView, public AdapterHost {
public:
  DialogWindow(Dialog& model, QWidget* owner, DialogUnits units)
      : QDialog(owner), m_model(model), m_units(units) {
    setObjectName(QString::number(model.templateId()));
    setFixedSize(units.x(model.dialogTemplate().cx), units.y(model.dialogTemplate().cy));
    build(model, this);
    windows()[&model] = this;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusMoved(now); });
  }
  ~DialogWindow() override {
    m_model.setView(nullptr);
    windows().erase(&m_model);
    // The widgets go before their adapters, which their connections name.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
  }

  void setLoop(QEventLoop* loop) { m_loop = loop; }

  QWidget* widgetOf(const Dialog& d, int id) const {
    if (Control* c = d.control(id)) {
      auto it = m_adapters.find(c);
      if (it != m_adapters.end()) return it->second->widget();
    }
    for (const auto& page : d.children())
      if (QWidget* w = widgetOf(*page, id)) return w;
    return nullptr;
  }

  std::string dumpWidgets() const {
    std::ostringstream out;
    out << "dialog " << m_model.templateId() << ' ' << dumpQuoted(windowTitle().toStdString()) << '\n';
    dumpWidgetsOf(m_model, out, "  ");
    return out.str();
  }

  void controlChanged(Control& control) override { resync(control); }
  void dialogChanged(Dialog&) override {
    m_dialogDirty = true;
    scheduleSync();
  }

  QWidget& window() override { return *this; }
  void resync(Control& control) override {
    m_dirty.insert(&control);
    scheduleSync();
  }
  bool syncing() const override { return m_syncing; }
  QWidget* buddyWidgetOf(const Control& label) override {
    auto buddy = m_buddyOf.find(&label);
    return buddy == m_buddyOf.end() ? nullptr : m_adapters.at(buddy->second)->widget();
  }

  void syncNow() {
    m_syncQueued = false;
    syncPages(m_model, this);
    if (m_dialogDirty) {
      m_dialogDirty = false;
      setWindowTitle(qs(m_model.caption()));
      setEnabled(m_model.isEnabled());
      if (!m_model.ended() && isVisible() != m_model.isVisible()) setVisible(m_model.isVisible());
    }
    std::set<const Control*> still;
    for (const Control* c : m_dirty) {
      if (c->redrawSuspended()) {
        still.insert(c);
        continue;
      }
      auto it = m_adapters.find(c);
      if (it != m_adapters.end()) syncControl(*it->second);
    }
    m_dirty.swap(still);
    if (m_model.ended() && m_loop) m_loop->quit();
  }

protected:
  void keyPressEvent(QKeyEvent* e) override {
    const Key key = keyOf(e->key());
    if (key == Key::kEscape || key == Key::kEnter || key == Key::kF1) {
      user::pressKey(m_model, key);
      return;
    }
    QDialog::keyPressEvent(e);
  }
  void closeEvent(QCloseEvent* e) override {
    if (m_model.ended()) return e->accept();
    e->ignore();
    user::close(m_model);
  }
  void reject() override {
    if (!m_model.ended()) user::pressKey(m_model, Key::kEscape);
  }

private:
  void dumpWidgetsOf(const Dialog& d, std::ostringstream& out, const std::string& indent) const {
    for (const auto& cp : d.controls()) {
      const Control& c = *cp;
      const ControlAdapter& adapter = *m_adapters.at(&c);
      const QWidget* w = adapter.widget();
      const WidgetDump dump = adapter.dump();
      out << indent << c.id() << ' ' << controlKindName(c.kind()) << ' ' << (w->isEnabled() ? "enabled" : "disabled")
          << ' ' << (w->isHidden() ? "hidden" : "visible") << ' ' << dump.value;
      const QString icon = w->property("qrvIcon").toString();
      if (!icon.isEmpty()) out << " icon=" << icon.toStdString();
      if (!w->toolTip().isEmpty()) out << " tooltip=" << quoted(w->toolTip());
      out << '\n';
      if (!dump.columns.empty()) out << indent << "  " << dump.columns << '\n';
      for (const std::string& row : dump.rows) out << indent << "  " << row << '\n';
    }
    for (const auto& page : d.children()) {
      auto it = m_pages.find(page.get());
      const bool shown = it != m_pages.end() && !it->second->isHidden();
      out << indent << "page " << page->windowId() << " template " << page->templateId() << ' '
          << (shown ? "visible" : "hidden") << '\n';
      dumpWidgetsOf(*page, out, indent + "  ");
    }
  }

  void scheduleSync() {
    if (m_syncQueued) return;
    m_syncQueued = true;
    QTimer::singleShot(0, this, [this] { syncNow(); });
  }

  void focusMoved(QWidget* now) {
    for (QWidget* w = now; w; w = w->parentWidget()) {
      auto it = m_controlOf.find(w);
      if (it == m_controlOf.end()) continue;
      Control& c = *it->second;
      if (!c.hasFocus()) c.dialog().setFocus(&c);
      return;
    }
  }

  void syncPages(Dialog& d, QWidget* container) {
    for (const auto& page : d.children()) {
      QWidget*& box = m_pages[page.get()];
      if (!box) {
        box = new QWidget(container);
        box->setObjectName("page" + QString::number(page->windowId()));
        build(*page, box);
      }
      const Rect p = page->placement();
      const int cx = p.cx > 0 ? p.cx : m_units.x(page->dialogTemplate().cx);
      const int cy = p.cy > 0 ? p.cy : m_units.y(page->dialogTemplate().cy);
      box->setGeometry(p.x, p.y, cx, cy);
      box->setVisible(page->isVisible());
      syncPages(*page, box);
    }
  }

  void build(Dialog& d, QWidget* container) {
    const auto& controls = d.controls();
    for (const auto& cp : controls) {
      Control& c = *cp;
      std::unique_ptr<ControlAdapter> adapter = makeAdapter(c);
      QWidget* w = adapter->create(container, *this);
      const Rect r = m_units.toPixels(c.rect());
      w->setGeometry(r.x, r.y, r.cx, r.cy);
      w->setObjectName(QString::number(c.id()));
      m_controlOf[w] = &c;
      m_dirty.insert(&c);
      m_adapters[&c] = std::move(adapter);
    }
    for (std::size_t i = 0; i + 1 < controls.size(); ++i)
      if (controls[i]->kind() == ControlKind::kLabel && m_adapters.at(controls[i + 1].get())->takesFocus())
        m_buddyOf[controls[i].get()] = controls[i + 1].get();
  }

  void syncControl(ControlAdapter& adapter) {
    m_syncing = true;
    const Control& c = adapter.control();
    QWidget* w = adapter.widget();
    const QSignalBlocker block(w);
    w->setEnabled(c.isEnabled());
    w->setVisible(c.isVisible());
    w->setToolTip(qs(c.tooltip()));
    adapter.sync(*this);
    m_syncing = false;
  }

  Dialog& m_model;
  DialogUnits m_units;
  std::map<const Control*, std::unique_ptr<ControlAdapter>> m_adapters;
  std::map<QWidget*, Control*> m_controlOf;
  std::map<const Control*, const Control*> m_buddyOf;
  std::map<const Dialog*, QWidget*> m_pages;
  std::set<const Control*> m_dirty;
  bool m_dialogDirty = true, m_syncQueued = false, m_syncing = false;
  QEventLoop* m_loop = nullptr;
};

}  // namespace

class QtClipboard : public Clipboard {
public:
  bool open(Dialog*) override {
    if (m_open || !QGuiApplication::clipboard()) return false;
    m_open = true;
    return true;
  }
  void close() override { m_open = false; }
  bool empty() override {
    if (!m_open) return false;
    QGuiApplication::clipboard()->clear();
    return true;
  }
  bool setUnicodeText(const std::u16string& text) override {
    if (!m_open) return false;
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
    return true;
  }
  std::optional<std::u16string> unicodeText() override {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return data->text().toStdU16String();
  }

private:
  bool m_open = false;
};

QtBackend::QtBackend() : m_clipboard(std::make_unique<QtClipboard>()) { ensureApplication(); }
QtBackend::~QtBackend() = default;

DialogUnits QtBackend::dialogUnits() const {
  const QFontMetrics fm(QApplication::font());
  const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits{(letters / 26 + 1) / 2, fm.height()};
}

Point QtBackend::measureText(const std::string& utf8) const {
  const QFontMetrics fm(QApplication::font());
  return Point{fm.horizontalAdvance(qs(utf8)), fm.height()};
}

void QtBackend::runModal(Dialog& dialog) {
  QWidget* owner = applicationWindow();
  if (dialog.owner()) {
    auto it = windows().find(dialog.owner());
    if (it != windows().end()) owner = it->second;
  }
  DialogWindow window(dialog, owner, dialogUnits());
  dialog.setView(&window);
  window.syncNow();
  window.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
  window.show();
  QEventLoop loop;
  window.setLoop(&loop);
  ShownHook hook = m_shown;
  if (!hook && isScriptedSession()) hook = [](Dialog& d, QWidget&) { playFromScript(d); };
  if (hook) {
    QTimer::singleShot(0, &window, [&dialog, &window, hook] {
      if (!dialog.ended()) hook(dialog, window);
    });
  }
  dispatchPostedMessages();
  if (!dialog.ended()) loop.exec();
  window.setLoop(nullptr);
  dialog.setView(nullptr);
  window.hide();
}

int QtBackend::trackPopupMenu(Dialog& dialog, const Menu& menu, Point at) {
  // The script has named its answer (`menu ENTRY`) before the menu opens.
  if (isScriptedSession()) return headlessBackend().trackPopupMenu(dialog, menu, at);
  QMenu popup;
  for (const MenuItem& item : menu) {
    if (item.command == 0 && item.text.empty()) {
      popup.addSeparator();
      continue;
    }
    QAction* action = popup.addAction(qs(item.text));
    action->setData(item.command);
    action->setEnabled(item.enabled);
  }
  QPoint global(at.x, at.y);
  auto it = windows().find(&dialog);
  for (Dialog* d = &dialog; it == windows().end() && d->parent(); d = d->parent()) it = windows().find(d->parent());
  if (it != windows().end()) global = it->second->mapToGlobal(global);
  QAction* chosen = popup.exec(global);
  return chosen ? chosen->data().toInt() : 0;
}

bool QtBackend::isShiftDown() const {
  if (isScriptedSession()) return headlessBackend().isShiftDown();  // `hold Shift` in the script
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool QtBackend::askOpenFileName(Dialog* owner, const std::string& caption, const std::string& label,
                                const std::string& filter, std::string& path) {
  // A script types the path into the text box, as it does headless.
  if (isScriptedSession()) return Backend::askOpenFileName(owner, caption, label, filter, path);
  QWidget* parent = applicationWindow();
  for (Dialog* d = owner; d && !parent; d = d->parent()) {
    auto it = windows().find(d);
    if (it != windows().end()) parent = it->second;
  }
  const QString chosen = QFileDialog::getOpenFileName(parent, qs(caption), qs(path), qs(filter));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

Clipboard& QtBackend::clipboard() { return *m_clipboard; }

void QtBackend::messagePosted() {
  if (m_dispatchQueued) return;
  m_dispatchQueued = true;
  QTimer::singleShot(0, qApp, [this] {
    m_dispatchQueued = false;
    dispatchPostedMessages();
  });
}

QWidget* QtBackend::widgetOf(Dialog& dialog, int id) {
  const Dialog* top = &dialog;
  while (top->parent()) top = top->parent();
  auto it = windows().find(top);
  return it == windows().end() ? nullptr : it->second->widgetOf(*top, id);
}

std::string QtBackend::dumpWidgets(Dialog& dialog) {
  auto it = windows().find(&dialog);
  return it == windows().end() ? std::string() : it->second->dumpWidgets();
}

bool QtBackend::savePicture(Dialog& dialog, const std::string& path, std::string& why) {
  const Dialog* top = &dialog;
  while (top->parent()) top = top->parent();
  auto it = windows().find(top);
  if (it == windows().end()) {
    why = "the dialog is not on screen";
    return false;
  }
  QWidget& window = it->second->window();
  QApplication::processEvents();  // what the dialog last changed is painted
  if (!window.grab().save(QString::fromStdString(path), "PNG")) {
    why = "cannot write " + path;
    return false;
  }
  return true;
}

QtBackend& qtBackend() {
  static QtBackend* instance = new QtBackend;  // outlives every window
  return *instance;
}

}  // namespace ui::qt

extern "C" ui::Backend* qrvui_qt_backend() { return &ui::qt::qtBackend(); }
