// List views with columns: rows indented by level, a selection that only
// the dialog changes, keys and clicks handed to the dialog, and in-place
// editing of a row's label.
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <vector>

#include "control_adapter.h"
#include "user_input.h"

namespace ui::qt {
namespace {

constexpr int kIndentPixels = 16;
constexpr int kIndentRole = Qt::UserRole + 1;

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

class ListViewAdapter : public ControlAdapter, public QObject {
public:
  using ControlAdapter::ControlAdapter;

  void sync(AdapterHost&) override {
    auto* tree = static_cast<QTreeWidget*>(widget());
    syncColumns(tree);
    syncRows(tree);
    tree->clearSelection();
    const Control& c = control();
    if (QTreeWidgetItem* item = tree->topLevelItem(c.selection())) {
      item->setSelected(true);
      tree->setCurrentItem(item);
    }
    if (QTreeWidgetItem* target = tree->topLevelItem(control().takeScrollTarget())) tree->scrollToItem(target);
    syncLabelEditor(tree);
  }

  WidgetDump dump() const override {
    auto* tree = static_cast<QTreeWidget*>(widget());
    WidgetDump out;
    const auto selected = tree->selectedItems();
    out.value = "\"\" selection=" + std::to_string(selected.isEmpty() ? -1 : tree->indexOfTopLevelItem(selected.front()));
    if (control().columnCount() > 0) {
      out.columns = "columns:";
      for (int i = 0; i < tree->columnCount(); ++i)
        out.columns += std::string(i ? " |" : "") + ' ' + quoted(tree->headerItem()->text(i)) + ' ' +
                       std::to_string(tree->columnWidth(i));
    }
    for (int r = 0; r < tree->topLevelItemCount(); ++r) {
      const QTreeWidgetItem* item = tree->topLevelItem(r);
      std::string line = "row " + std::to_string(r) + ':';
      if (const int indent = item->data(0, kIndentRole).toInt(); indent > 0) line += " indent=" + std::to_string(indent);
      for (int col = 0; col < tree->columnCount(); ++col) line += std::string(col ? " |" : "") + ' ' + quoted(item->text(col));
      out.rows.push_back(line);
    }
    return out;
  }

protected:
  QWidget* makeWidget(QWidget* parent, AdapterHost& host) override {
    auto* tree = new QTreeWidget(parent);
    const Control& c = control();
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
    connectUser(tree, host);
    return tree;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
    if (watched == m_labelEditor) {
      // Enter and Escape end the edit and go no further: the dialog's
      // default button must not see them.
      if (key != Key::kEscape && key != Key::kEnter) return false;
      if (key == Key::kEnter) control().setLabelEditText(m_labelEditor->text().toStdString());
      control().endLabelEdit(key == Key::kEnter);
      return true;
    }
    // F2, Delete and space on the list are the dialog's.
    if (key != Key::kF2 && key != Key::kDelete && key != Key::kSpace) return false;
    user::pressKey(control().dialog(), key, control().id());
    return true;
  }

private:
  void connectUser(QTreeWidget* tree, AdapterHost& host) {
    Control& c = control();
    Dialog& d = c.dialog();
    const int id = c.id();
    QWidget& window = host.window();
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, &window, [tree, &c, &d, &host, id] {
      if (host.syncing()) return;
      const auto items = tree->selectedItems();
      const int row = items.isEmpty() ? -1 : tree->indexOfTopLevelItem(items.front());
      if (row >= 0 && row != c.selection()) {
        user::select(d, id, row);
      } else if (row < 0) {
        // A click beside the rows keeps the selection, as the list always did.
        host.resync(c);
      }
    });
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, &window, [tree, &d, id](QTreeWidgetItem* item) {
      user::doubleClick(d, id, tree->indexOfTopLevelItem(item));
    });
    QObject::connect(tree, &QTreeWidget::customContextMenuRequested, &window, [tree, &d, &window, id](const QPoint& pos) {
      QTreeWidgetItem* item = tree->itemAt(pos);
      const QPoint at = tree->viewport()->mapTo(&window, pos);
      user::rightClick(d, id, item ? tree->indexOfTopLevelItem(item) : -1, Point{at.x(), at.y()});
    });
  }

  void syncColumns(QTreeWidget* tree) {
    const Control& c = control();
    tree->setColumnCount(std::max(1, c.columnCount()));
    QStringList headers;
    // A width the dialog gave is applied once: what the user makes of it
    // by dragging the header's dividers stays until the dialog gives another.
    m_widths.resize(std::size_t(c.columnCount()), -1);
    for (int i = 0; i < c.columnCount(); ++i) {
      headers << qs(c.columns()[std::size_t(i)].header);
      const int width = c.columns()[std::size_t(i)].width;
      if (m_widths[std::size_t(i)] != width) tree->setColumnWidth(i, width);
      m_widths[std::size_t(i)] = width;
    }
    if (c.columnCount() == 0) tree->setColumnWidth(0, tree->viewport()->width());
    tree->setHeaderLabels(headers);
    tree->setSelectionBehavior(c.listStyle() & kListFullRowSelect ? QAbstractItemView::SelectRows
                                                                   : QAbstractItemView::SelectItems);
  }

  // Refills only when a row differs, keeping the scroll position.
  void syncRows(QTreeWidget* tree) {
    const Control& c = control();
    const int columns = std::max(1, c.columnCount());
    bool same = tree->topLevelItemCount() == c.itemCount();
    for (int row = 0; same && row < c.itemCount(); ++row) {
      const QTreeWidgetItem* item = tree->topLevelItem(row);
      for (int col = 0; same && col < columns; ++col) same = item->text(col) == qs(c.itemText(row, col));
      same = same && item->data(0, kIndentRole).toInt() == c.item(row)->indent;
    }
    if (same) return;
    const bool tips = c.listStyle() & kListLabelTips;
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

  void syncLabelEditor(QTreeWidget* tree) {
    Control& c = control();
    if (!c.isEditingLabel()) {
      if (m_labelEditor) {
        m_labelEditor->deleteLater();
        m_labelEditor = nullptr;
      }
      return;
    }
    if (m_labelEditor) return;
    QTreeWidgetItem* item = tree->topLevelItem(c.labelEditItem());
    if (!item) return;
    m_labelEditor = new QLineEdit(tree->viewport());
    // Over the label's cell, past the row's indent.
    const QRect row = tree->visualItemRect(item);
    const int indent = c.item(c.labelEditItem())->indent * kIndentPixels;
    m_labelEditor->setGeometry(indent, row.y(), std::max(tree->columnWidth(0) - indent, 40), row.height());
    m_labelEditor->setText(qs(c.labelEditText()));
    m_labelEditor->selectAll();
    m_labelEditor->installEventFilter(this);
    QObject::connect(m_labelEditor, &QLineEdit::textEdited, tree,
                     [&c](const QString& text) { c.setLabelEditText(text.toStdString()); });
    m_labelEditor->show();
    m_labelEditor->setFocus();
  }

  QPointer<QLineEdit> m_labelEditor;
  std::vector<int> m_widths;  // the column widths last applied
};

}  // namespace

std::unique_ptr<ControlAdapter> makeListViewAdapter(Control& c) { return std::make_unique<ListViewAdapter>(c); }

}  // namespace ui::qt
