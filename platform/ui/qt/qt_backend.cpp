#include "qt_backend.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>
#include <set>
#include <sstream>

#include "dialog.h"
#include "dialog_script.h"
#include "qt_device_context.h"
#include "user_input.h"

namespace ui::qt {
namespace {

constexpr int kIndentPixels = 16;
constexpr int kIndentRole = Qt::UserRole + 1;

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

bool ensureApplication() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
  if (QCoreApplication::instance()) return false;  // a process without widgets
  static int argc = 1;
  static char name[] = "qrvhost";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
  return true;
}

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

std::string withoutMnemonic(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

bool takesFocus(ControlKind k) {
  return k != ControlKind::kLabel && k != ControlKind::kGroupBox && k != ControlKind::kEtchedLine &&
         k != ControlKind::kFrame;
}

Key keyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_F1: return Key::kF1;
    case Qt::Key_F2: return Key::kF2;
    case Qt::Key_Delete: return Key::kDelete;
    case Qt::Key_Space: return Key::kSpace;
    case Qt::Key_Escape: return Key::kEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::kEnter;
    default: return Key::kNone;
  }
}

// Drop-down items that the dialog draws itself.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
  OwnerDrawDelegate(Control& control, QObject* parent) : QStyledItemDelegate(parent), m_control(control) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    QtPainterDC dc(*painter, &option.palette);
    unsigned state = 0;
    if (option.state & QStyle::State_Selected) state |= kItemSelected;
    if (option.state & QStyle::State_HasFocus) state |= kItemFocus;
    const QRect r = option.rect;
    m_control.drawItem(dc, index.row(), Rect{r.x(), r.y(), r.width(), r.height()}, state);
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    return QSize(base.width(), m_control.itemHeight() > 0 ? m_control.itemHeight() : base.height());
  }

private:
  Control& m_control;
};

class OwnerDrawCombo : public QComboBox {
public:
  OwnerDrawCombo(Control& control, QWidget* parent) : QComboBox(parent), m_control(control) {
    setItemDelegate(new OwnerDrawDelegate(control, this));
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    p.save();
    p.setClipRect(field);
    QtPainterDC dc(p, &palette());
    m_control.drawItem(dc, currentIndex(), Rect{field.x(), field.y(), field.width(), field.height()},
                       kItemInEditField | (hasFocus() ? kItemFocus : 0u));
    p.restore();
  }

private:
  Control& m_control;
};

// Rows of one level deeper start further right.
class IndentDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    if (index.column() == 0) opt.rect.adjust(index.data(kIndentRole).toInt() * kIndentPixels, 0, 0, 0);
    QStyledItemDelegate::paint(painter, opt, index);
  }
};

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

class DialogWindow;
std::map<const Dialog*, DialogWindow*>& windows() {
  static std::map<const Dialog*, DialogWindow*> m;
  return m;
}

class DialogWindow : public QDialog, public DialogView {
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
  }

  void setLoop(QEventLoop* loop) { m_loop = loop; }

  QWidget* widgetOf(const Dialog& d, int id) const {
    if (Control* c = d.control(id)) {
      auto it = m_widgets.find(c);
      if (it != m_widgets.end()) return it->second;
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

  void controlChanged(Control& control) override {
    m_dirty.insert(&control);
    scheduleSync();
  }
  void dialogChanged(Dialog&) override {
    m_dialogDirty = true;
    scheduleSync();
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
      auto it = m_widgets.find(c);
      if (it != m_widgets.end()) syncControl(const_cast<Control&>(*c), it->second);
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
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* ke = static_cast<QKeyEvent*>(event);
    const Key key = keyOf(ke->key());
    if (watched == m_labelEditor) {
      // Enter and Escape end the edit and go no further: the dialog's
      // default button must not see them.
      if ((key == Key::kEscape || key == Key::kEnter) && m_labelEditFor) {
        if (key == Key::kEnter) m_labelEditFor->setLabelEditText(m_labelEditor->text().toStdString());
        m_labelEditFor->endLabelEdit(key == Key::kEnter);
        return true;
      }
      return false;
    }
    // Keys of a list: F2, Delete and space go to its dialog.
    auto it = m_controlOf.find(static_cast<QWidget*>(watched));
    if (it != m_controlOf.end() && (key == Key::kF2 || key == Key::kDelete || key == Key::kSpace)) {
      Control& c = *it->second;
      user::pressKey(c.dialog(), key, c.id());
      return true;
    }
    return QDialog::eventFilter(watched, event);
  }

private:
  void dumpWidgetsOf(const Dialog& d, std::ostringstream& out, const std::string& indent) const {
    auto text = [](const QString& t) { return dumpQuoted(t.toStdString()); };
    for (const auto& cp : d.controls()) {
      const Control& c = *cp;
      QWidget* w = m_widgets.at(&c);
      out << indent << c.id() << ' ' << controlKindName(c.kind()) << ' ' << (w->isEnabled() ? "enabled" : "disabled")
          << ' ' << (w->isHidden() ? "hidden" : "visible") << ' ';
      std::vector<std::vector<QString>> rows;
      std::vector<int> indents;
      switch (c.kind()) {
        case ControlKind::kLabel: out << text(static_cast<QLabel*>(w)->text()); break;
        case ControlKind::kButton: out << text(static_cast<QPushButton*>(w)->text()); break;
        case ControlKind::kCheckBox:
          out << text(static_cast<QCheckBox*>(w)->text()) << " check="
              << (static_cast<QCheckBox*>(w)->checkState() == Qt::Checked ? 1
                  : static_cast<QCheckBox*>(w)->checkState() == Qt::PartiallyChecked ? 2 : 0);
          break;
        case ControlKind::kRadioButton:
          out << text(static_cast<QRadioButton*>(w)->text()) << " check=" << (static_cast<QRadioButton*>(w)->isChecked() ? 1 : 0);
          break;
        case ControlKind::kEdit:
          out << text(static_cast<QLineEdit*>(w)->text());
          if (static_cast<QLineEdit*>(w)->isReadOnly()) out << " read-only";
          break;
        case ControlKind::kDropDown: {
          auto* combo = static_cast<QComboBox*>(w);
          out << "\"\" selection=" << combo->currentIndex();
          if (combo->currentIndex() >= 0) out << ' ' << text(combo->currentText());
          for (int i = 0; i < combo->count(); ++i) rows.push_back({combo->itemText(i)});
          break;
        }
        case ControlKind::kTab: {
          auto* tabs = static_cast<QTabBar*>(w);
          out << "\"\" selection=" << tabs->currentIndex();
          if (tabs->currentIndex() >= 0) out << ' ' << text(tabs->tabText(tabs->currentIndex()));
          for (int i = 0; i < tabs->count(); ++i) rows.push_back({tabs->tabText(i)});
          break;
        }
        case ControlKind::kListView: {
          auto* tree = static_cast<QTreeWidget*>(w);
          const auto selected = tree->selectedItems();
          out << "\"\" selection=" << (selected.isEmpty() ? -1 : tree->indexOfTopLevelItem(selected.front()));
          for (int r = 0; r < tree->topLevelItemCount(); ++r) {
            std::vector<QString> cells;
            for (int col = 0; col < tree->columnCount(); ++col) cells.push_back(tree->topLevelItem(r)->text(col));
            rows.push_back(cells);
            indents.push_back(tree->topLevelItem(r)->data(0, kIndentRole).toInt());
          }
          break;
        }
        case ControlKind::kGroupBox: out << text(static_cast<QGroupBox*>(w)->title()); break;
        default: out << "\"\""; break;
      }
      const QString icon = w->property("qrvIcon").toString();
      if (!icon.isEmpty()) out << " icon=" << icon.toStdString();
      if (!w->toolTip().isEmpty()) out << " tooltip=" << text(w->toolTip());
      out << '\n';
      if (c.kind() == ControlKind::kListView && c.columnCount() > 0) {
        auto* tree = static_cast<QTreeWidget*>(w);
        out << indent << "  columns:";
        for (int i = 0; i < tree->columnCount(); ++i)
          out << (i ? " |" : "") << ' ' << text(tree->headerItem()->text(i)) << ' ' << tree->columnWidth(i);
        out << '\n';
      }
      for (std::size_t r = 0; r < rows.size(); ++r) {
        out << indent << "  " << (c.kind() == ControlKind::kListView ? "row " : "item ") << r << ':';
        if (r < indents.size() && indents[r] > 0) out << " indent=" << indents[r];
        for (std::size_t col = 0; col < rows[r].size(); ++col) out << (col ? " |" : "") << ' ' << text(rows[r][col]);
        out << '\n';
      }
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
    for (std::size_t i = 0; i < controls.size(); ++i) {
      Control& c = *controls[i];
      QWidget* w = create(c, container);
      const Rect r = m_units.toPixels(c.rect());
      w->setGeometry(r.x, r.y, r.cx, r.cy);
      w->setObjectName(QString::number(c.id()));
      m_widgets[&c] = w;
      m_controlOf[w] = &c;
      m_dirty.insert(&c);
      if (c.kind() == ControlKind::kGroupBox) w->lower();  // a frame around controls, never over them
      if (c.kind() == ControlKind::kLabel && i + 1 < controls.size() && takesFocus(controls[i + 1]->kind()))
        m_buddyOf[&c] = controls[i + 1].get();
    }
  }

  QWidget* create(Control& c, QWidget* parent) {
    Dialog& d = c.dialog();
    const int id = c.id();
    switch (c.kind()) {
      case ControlKind::kLabel:
        return new QLabel(parent);
      case ControlKind::kButton: {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        b->setDefault(c.hasStyle(kStyleDefault));
        connect(b, &QPushButton::clicked, this, [&d, id] { user::click(d, id); });
        return b;
      }
      case ControlKind::kCheckBox: {
        auto* b = new QCheckBox(parent);
        connect(b, &QCheckBox::clicked, this, [this, &c, &d, id] {
          user::click(d, id);
          m_dirty.insert(&c);  // the model decides the state
          scheduleSync();
        });
        return b;
      }
      case ControlKind::kRadioButton: {
        auto* b = new QRadioButton(parent);
        b->setAutoExclusive(false);
        connect(b, &QRadioButton::clicked, this, [this, &c, &d, id] {
          user::click(d, id);
          m_dirty.insert(&c);
          scheduleSync();
        });
        return b;
      }
      case ControlKind::kEdit: {
        auto* e = new QLineEdit(parent);
        connect(e, &QLineEdit::textEdited, this, [&c](const QString& text) { c.setText(text.toStdString()); });
        return e;
      }
      case ControlKind::kSpin: {
        auto* box = new QWidget(parent);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (bool up : {true, false}) {
          auto* arrow = new QToolButton(box);
          arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
          arrow->setAutoRepeat(true);
          arrow->setObjectName(up ? "up" : "down");
          arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
          layout->addWidget(arrow);
          connect(arrow, &QToolButton::clicked, this, [&d, id, up] { user::spin(d, id, up); });
        }
        return box;
      }
      case ControlKind::kDropDown: {
        QComboBox* combo = c.hasStyle(kStyleOwnerDrawFixed) ? new OwnerDrawCombo(c, parent) : new QComboBox(parent);
        connect(combo, &QComboBox::activated, this, [this, &c, &d, id](int index) {
          user::select(d, id, index);
          m_dirty.insert(&c);
          scheduleSync();
        });
        return combo;
      }
      case ControlKind::kListView: {
        auto* tree = new QTreeWidget(parent);
        tree->setRootIsDecorated(false);
        tree->setUniformRowHeights(true);
        tree->setIndentation(0);
        tree->setAllColumnsShowFocus(true);
        tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tree->setSelectionMode(QAbstractItemView::SingleSelection);
        tree->setItemDelegate(new IndentDelegate(tree));
        tree->setHeaderHidden(c.hasStyle(kStyleNoHeader));
        tree->header()->setSectionsClickable(!c.hasStyle(kStyleNoSortHeader));
        tree->header()->setStretchLastSection(false);
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        tree->installEventFilter(this);
        connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, tree, &c, &d, id] {
          if (m_syncing) return;
          const auto items = tree->selectedItems();
          const int row = items.isEmpty() ? -1 : tree->indexOfTopLevelItem(items.front());
          if (row >= 0 && row != c.selection()) {
            user::select(d, id, row);
          } else if (row < 0) {
            // A click beside the rows keeps the selection, as the list
            // always did.
            m_dirty.insert(&c);
            scheduleSync();
          }
        });
        connect(tree, &QTreeWidget::itemDoubleClicked, this, [tree, &d, id](QTreeWidgetItem* item) {
          user::doubleClick(d, id, tree->indexOfTopLevelItem(item));
        });
        connect(tree, &QTreeWidget::customContextMenuRequested, this, [this, tree, &d, id](const QPoint& pos) {
          QTreeWidgetItem* item = tree->itemAt(pos);
          const QPoint at = tree->viewport()->mapTo(this, pos);
          user::rightClick(d, id, item ? tree->indexOfTopLevelItem(item) : -1, Point{at.x(), at.y()});
        });
        return tree;
      }
      case ControlKind::kTab: {
        auto* tabs = new QTabBar(parent);
        tabs->setExpanding(false);
        connect(tabs, &QTabBar::currentChanged, this, [this, &c, &d, id](int index) {
          if (m_syncing || index == c.selection()) return;
          user::select(d, id, index);
        });
        return tabs;
      }
      case ControlKind::kGroupBox:
        return new QGroupBox(parent);
      case ControlKind::kEtchedLine: {
        auto* line = new QFrame(parent);
        line->setFrameShape(c.rect().cx >= c.rect().cy ? QFrame::HLine : QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
      }
      case ControlKind::kFrame:
        return new PaintedFrame(c, parent);
    }
    return new QWidget(parent);
  }

  void syncControl(Control& c, QWidget* w) {
    m_syncing = true;
    const QSignalBlocker block(w);
    w->setEnabled(c.isEnabled());
    w->setVisible(c.isVisible());
    w->setToolTip(qs(c.tooltip()));
    switch (c.kind()) {
      case ControlKind::kLabel: {
        auto* label = static_cast<QLabel*>(w);
        auto buddy = m_buddyOf.find(&c);
        if (buddy != m_buddyOf.end()) {
          label->setText(qs(c.text()));
          label->setBuddy(m_widgets[buddy->second]);
        } else {
          label->setText(qs(withoutMnemonic(c.text())));
        }
        break;
      }
      case ControlKind::kButton: {
        auto* b = static_cast<QPushButton*>(w);
        if (c.hasStyle(kStyleIcon)) {
          b->setIcon(namedIcon(c.icon()));
          b->setProperty("qrvIcon", qs(c.icon()));
          b->setText(c.icon().empty() ? qs(c.text()) : QString());
        } else {
          b->setText(qs(c.text()));
        }
        break;
      }
      case ControlKind::kCheckBox: {
        auto* b = static_cast<QCheckBox*>(w);
        b->setText(qs(c.text()));
        b->setTristate(c.check() == kIndeterminate);
        b->setCheckState(c.check() == kChecked ? Qt::Checked
                         : c.check() == kIndeterminate ? Qt::PartiallyChecked : Qt::Unchecked);
        break;
      }
      case ControlKind::kRadioButton: {
        auto* b = static_cast<QRadioButton*>(w);
        b->setText(qs(c.text()));
        b->setChecked(c.check() == kChecked);
        break;
      }
      case ControlKind::kEdit: {
        auto* e = static_cast<QLineEdit*>(w);
        if (e->text() != qs(c.text())) e->setText(qs(c.text()));
        e->setReadOnly(c.isReadOnly());
        break;
      }
      case ControlKind::kDropDown:
        syncDropDown(c, static_cast<QComboBox*>(w));
        break;
      case ControlKind::kListView:
        syncList(c, static_cast<QTreeWidget*>(w));
        break;
      case ControlKind::kTab: {
        auto* tabs = static_cast<QTabBar*>(w);
        while (tabs->count() > c.itemCount()) tabs->removeTab(tabs->count() - 1);
        for (int i = 0; i < c.itemCount(); ++i) {
          if (i >= tabs->count()) tabs->addTab(QString());
          tabs->setTabText(i, qs(c.itemText(i)));
        }
        if (c.selection() >= 0) tabs->setCurrentIndex(c.selection());
        break;
      }
      case ControlKind::kGroupBox:
        static_cast<QGroupBox*>(w)->setTitle(qs(withoutMnemonic(c.text())));
        break;
      case ControlKind::kFrame:
        w->update();
        break;
      default:
        break;
    }
    m_syncing = false;
  }

  void syncDropDown(Control& c, QComboBox* combo) {
    bool same = combo->count() == c.itemCount();
    for (int i = 0; same && i < c.itemCount(); ++i) same = combo->itemText(i) == qs(c.itemText(i));
    if (!same) {
      combo->clear();
      for (int i = 0; i < c.itemCount(); ++i) combo->addItem(qs(c.itemText(i)));
    }
    combo->setCurrentIndex(c.selection());
    if (c.droppedWidth() > 0) combo->view()->setMinimumWidth(c.droppedWidth());
    combo->update();
  }

  void syncList(Control& c, QTreeWidget* tree) {
    const int columns = std::max(1, c.columnCount());
    tree->setColumnCount(columns);
    QStringList headers;
    for (int i = 0; i < c.columnCount(); ++i) {
      headers << qs(c.columns()[std::size_t(i)].header);
      tree->setColumnWidth(i, c.columns()[std::size_t(i)].width);
    }
    if (c.columnCount() == 0) tree->setColumnWidth(0, tree->viewport()->width());
    tree->setHeaderLabels(headers);
    tree->setSelectionBehavior(c.listStyle() & kListFullRowSelect ? QAbstractItemView::SelectRows
                                                                   : QAbstractItemView::SelectItems);
    const bool tips = c.listStyle() & kListLabelTips;
    bool same = tree->topLevelItemCount() == c.itemCount();
    for (int row = 0; same && row < c.itemCount(); ++row) {
      const QTreeWidgetItem* item = tree->topLevelItem(row);
      for (int col = 0; same && col < columns; ++col) same = item->text(col) == qs(c.itemText(row, col));
      same = same && item->data(0, kIndentRole).toInt() == c.item(row)->indent;
    }
    if (!same) {
      const int scroll = tree->verticalScrollBar() ? tree->verticalScrollBar()->value() : 0;
      tree->clear();
      QList<QTreeWidgetItem*> items;
      for (int row = 0; row < c.itemCount(); ++row) {
        auto* item = new QTreeWidgetItem;
        for (int col = 0; col < columns; ++col) {
          item->setText(col, qs(c.itemText(row, col)));
          if (tips) item->setToolTip(col, qs(c.itemText(row, col)));
        }
        item->setData(0, kIndentRole, c.item(row)->indent);
        items << item;
      }
      tree->addTopLevelItems(items);
      if (tree->verticalScrollBar()) tree->verticalScrollBar()->setValue(scroll);
    }
    tree->clearSelection();
    if (QTreeWidgetItem* item = tree->topLevelItem(c.selection())) {
      item->setSelected(true);
      tree->setCurrentItem(item);
    }
    if (QTreeWidgetItem* target = tree->topLevelItem(c.takeScrollTarget())) tree->scrollToItem(target);
    syncLabelEditor(c, tree);
  }

  void syncLabelEditor(Control& c, QTreeWidget* tree) {
    if (!c.isEditingLabel()) {
      if (m_labelEditor && m_labelEditFor == &c) {
        m_labelEditor->deleteLater();
        m_labelEditor = nullptr;
        m_labelEditFor = nullptr;
      }
      return;
    }
    if (m_labelEditor) return;
    QTreeWidgetItem* item = tree->topLevelItem(c.labelEditItem());
    if (!item) return;
    m_labelEditFor = &c;
    m_labelEditor = new QLineEdit(tree->viewport());
    // Over the label's cell, past the row's indent.
    const QRect row = tree->visualItemRect(item);
    const int indent = c.item(c.labelEditItem())->indent * kIndentPixels;
    m_labelEditor->setGeometry(indent, row.y(), std::max(tree->columnWidth(0) - indent, 40), row.height());
    m_labelEditor->setText(qs(c.labelEditText()));
    m_labelEditor->selectAll();
    m_labelEditor->installEventFilter(this);
    connect(m_labelEditor, &QLineEdit::textEdited, this,
            [&c](const QString& text) { c.setLabelEditText(text.toStdString()); });
    m_labelEditor->show();
    m_labelEditor->setFocus();
  }

  Dialog& m_model;
  DialogUnits m_units;
  std::map<const Control*, QWidget*> m_widgets;
  std::map<QWidget*, Control*> m_controlOf;
  std::map<const Control*, const Control*> m_buddyOf;
  std::map<const Dialog*, QWidget*> m_pages;
  std::set<const Control*> m_dirty;
  bool m_dialogDirty = true, m_syncQueued = false, m_syncing = false;
  QEventLoop* m_loop = nullptr;
  QPointer<QLineEdit> m_labelEditor;
  Control* m_labelEditFor = nullptr;
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
  QWidget* owner = nullptr;
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
  if (m_shown) {
    ShownHook hook = m_shown;
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

QtBackend& qtBackend() {
  static QtBackend* instance = new QtBackend;  // outlives every window
  return *instance;
}

}  // namespace ui::qt

extern "C" ui::Backend* qrvui_qt_backend() { return &ui::qt::qtBackend(); }
