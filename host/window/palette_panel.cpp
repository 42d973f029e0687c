#include "palette_panel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "documents.h"
#include "host_log.h"
#include "opm/palette_model.h"
#include "qt_device_context.h"
#include "swatch_painter.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {
// A row whose selected objects hold different values says so, in every
// language, as the console's dump does: an empty cell would read as an
// empty value.
const QString kVaries = QStringLiteral("*VARIES*");
// The name column's width as the user left it, kept with the window's other
// settings; until then one that fits most labels of the language.
const char* const kNameWidthKey = "palette/nameColumnWidth";
int defaultNameWidth() { return hostLanguage() == HostLanguage::kRussian ? 230 : 170; }
// The pictures beside list items, drawn as the dialogs' lists draw them.
const QSize kPictureSize(36, 14);
QIcon itemIcon(const PZItemPicture& picture, const QColor& ink) {
  if (picture.kind == PZItemPicture::Kind::kNone) return QIcon();
  QPixmap pixmap(kPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  ui::qt::QtPainterDC dc(painter);
  ui::DrawItemPicture(dc, ui::Rect{0, 0, kPictureSize.width(), kPictureSize.height()}, picture,
                      ui::qt::fromQColor(ink));
  painter.end();
  return QIcon(pixmap);
}
}  // namespace

PalettePanel::PalettePanel(QWidget* parent)
    : QWidget(parent), m_filter(new QComboBox(this)), m_tree(new QTreeWidget(this)), m_message(new QLabel(this)) {
  m_filter->setObjectName("paletteFilter");
  m_tree->setObjectName("paletteRows");
  m_tree->setColumnCount(2);
  m_tree->setHeaderLabels({say("Property", "Свойство"), say("Value", "Значение")});
  m_tree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
  m_tree->header()->setStretchLastSection(true);
  const int stored = QSettings().value(kNameWidthKey, 0).toInt();
  m_widthChosen = stored > 0;
  m_tree->setColumnWidth(0, stored > 0 ? stored : defaultNameWidth());
  connect(m_tree->header(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
    if (column != 0 || width <= 0 || m_fittingNames) return;
    m_widthChosen = true;
    QSettings().setValue(kNameWidthKey, width);
  });
  m_tree->setIndentation(12);
  m_tree->setRootIsDecorated(true);
  // Every row as tall as a drop-down, whether it holds one, an edit box,
  // grey text or a category's name: the list reads as an even table.
  m_rowHeight = std::max(QComboBox().sizeHint().height(), QLineEdit().sizeHint().height());
  m_tree->setUniformRowHeights(true);
  m_message->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(m_filter);
  layout->addWidget(m_tree, 1);
  layout->addWidget(m_message);
  connect(m_filter, &QComboBox::currentTextChanged, this, [this](const QString& entry) {
    if (m_filling || !m_model) return;
    if (m_model->setFilter(OdString(entry.toStdString()))) QTimer::singleShot(0, this, [this] { fill(); });
  });
}

PalettePanel::~PalettePanel() = default;

void PalettePanel::release() {
  m_model.reset();
  m_doc = nullptr;
  fill();
}

void PalettePanel::show(HostApDocument* doc, const OdDbObjectIdArray& selection) {
  if (doc != m_doc) {
    m_model.reset();
    m_doc = doc;
    if (doc) m_model = std::make_unique<PaletteModel>(*doc);
  }
  if (m_model) m_model->setSelection(selection);
  m_message->clear();
  fill();
}

void PalettePanel::reread() {
  if (!m_model) return;
  // The selection again: rows of erased entities go, values are read anew.
  const OdDbObjectIdArray selection = m_model->selection();
  m_model->setSelection(selection);
  fill();
}

void PalettePanel::fill() {
  m_filling = true;
  fillFilter();
  std::vector<RowShape> shape;
  if (m_model)
    for (const PaletteModel::Row& row : m_model->rows()) {
      const bool readOnly = m_model->isReadOnly(row);
      shape.push_back({qs(PaletteModel::shownCategory(row)), qs(PaletteModel::shownLabel(row)),
                       qs(PaletteModel::shownName(row)), readOnly,
                       !readOnly && PaletteModel::controlKind(row) == PZControlKind::kDropDown});
    }
  // The same rows as shown: only their values are read again, so that the
  // controls, the categories folded and the scroll position stay.
  if (shape != m_shape) buildRows(std::move(shape));
  for (std::size_t i = 0; i < m_items.size(); ++i) showValue(i);
  m_filling = false;
}

void PalettePanel::fillFilter() {
  QStringList entries;
  QString current;
  if (m_model) {
    for (const OdString& e : m_model->filterEntries()) entries << qs(e);
    current = entries.isEmpty() && m_model->selection().empty() ? say("No selection", "Ничего не выбрано")
                                                              : qs(m_model->currentFilterEntry());
  }
  m_filter->setEnabled(entries.size() > 1);
  if (entries.isEmpty() && !current.isEmpty()) entries << current;
  QStringList shown;
  for (int i = 0; i < m_filter->count(); ++i) shown << m_filter->itemText(i);
  if (shown != entries) {
    m_filter->clear();
    m_filter->addItems(entries);
  }
  m_filter->setCurrentText(current);
}

void PalettePanel::buildRows(std::vector<RowShape> shape) {
  QSet<QString> folded;
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
    if (!m_tree->topLevelItem(i)->isExpanded()) folded.insert(m_tree->topLevelItem(i)->text(0));
  const int scrolled = m_tree->verticalScrollBar()->value();
  m_tree->clear();
  m_items.clear();
  m_shape = std::move(shape);

  std::map<QString, QTreeWidgetItem*> categories;
  for (std::size_t i = 0; i < m_shape.size(); ++i) {
    const RowShape& row = m_shape[i];
    const QString& category = row.category;
    const QString& label = row.label;
    QTreeWidgetItem*& parent = categories[category];
    if (!parent) {
      parent = new QTreeWidgetItem(m_tree, {category});
      parent->setSizeHint(0, QSize(0, m_rowHeight));
      QFont bold = parent->font(0);
      bold.setBold(true);
      parent->setFont(0, bold);
      parent->setFirstColumnSpanned(true);
      parent->setExpanded(!folded.contains(category));
    }
    auto* item = new QTreeWidgetItem(parent, {label});
    item->setToolTip(0, row.name);
    item->setSizeHint(0, QSize(0, m_rowHeight));
    m_items.push_back(item);
    const int index = int(i);
    if (row.readOnly) {
      item->setForeground(1, palette().color(QPalette::Disabled, QPalette::Text));
    } else if (row.list) {
      auto* combo = new QComboBox;
      combo->setIconSize(kPictureSize);
      connect(combo, &QComboBox::activated, this, [this, index, combo](int) { write(index, combo->currentText()); });
      m_tree->setItemWidget(item, 1, combo);
    } else {
      auto* edit = new QLineEdit;
      edit->setFrame(false);
      connect(edit, &QLineEdit::returnPressed, this, [this, index, edit] {
        edit->setModified(false);  // the value read back after the write replaces the text
        write(index, edit->text());
      });
      m_tree->setItemWidget(item, 1, edit);
    }
  }
  m_tree->verticalScrollBar()->setValue(scrolled);
  fitNames();
}

void PalettePanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitNames();
}

void PalettePanel::fitNames() {
  // Until the user sets it, the name column takes its longest label, as
  // long as the values keep at least half of the panel.
  if (m_widthChosen) return;
  int widest = 0;
  for (QTreeWidgetItem* item : m_items) widest = std::max(widest, m_tree->fontMetrics().horizontalAdvance(item->text(0)));
  const int wanted = widest + 2 * m_tree->indentation() + m_tree->fontMetrics().averageCharWidth() * 2;
  const int width = std::max(defaultNameWidth(), std::min(wanted, m_tree->viewport()->width() / 2));
  m_fittingNames = true;
  m_tree->setColumnWidth(0, width);
  m_fittingNames = false;
}

void PalettePanel::showValue(std::size_t index) {
  const PaletteModel::Row& row = m_model->rows()[index];
  QTreeWidgetItem* item = m_items[index];
  const bool varies = m_model->varies(row);
  const QString value = varies ? kVaries : qs(m_model->valueText(row));
  // The whole text, for a label or value the column cuts short; a value
  // that hides what it stands for (the block behind "User arrow...")
  // names it.
  QString tip = value;
  if (const QString more = qs(m_model->valueTip(row)); !more.isEmpty())
    tip += "\n" + say("Block: ", "Блок: ") + more;
  item->setText(1, value);
  item->setToolTip(1, tip);
  if (auto* combo = qobject_cast<QComboBox*>(m_tree->itemWidget(item, 1))) {
    // The items follow the value's kind ("Precision" after "Dim units"),
    // each with its picture (arrowhead, colour, linetype, lineweight).
    QStringList items, shown;
    for (const OdString& t : m_model->itemTexts(row)) items << qs(t);
    for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    if (items != shown) {
      combo->clear();
      const QColor ink = palette().color(QPalette::Text);
      for (int i = 0; i < items.size(); ++i) combo->addItem(itemIcon(m_model->itemPicture(row, i), ink), items[i]);
    }
    combo->setPlaceholderText(varies ? kVaries : QString());
    combo->setCurrentIndex(varies ? -1 : m_model->currentItem(row));
    combo->setToolTip(tip);
  } else if (auto* edit = qobject_cast<QLineEdit*>(m_tree->itemWidget(item, 1))) {
    // Empty when the values differ, so that Enter does not write the
    // marker; what the user is typing stays.
    if (!(edit->hasFocus() && edit->isModified())) edit->setText(varies ? QString() : value);
    edit->setPlaceholderText(varies ? kVaries : QString());
    edit->setToolTip(tip);
  }
}

void PalettePanel::write(int index, const QString& text) {
  if (!m_model || index < 0 || index >= int(m_model->rows().size())) return;
  const PaletteModel::Row& row = m_model->rows()[std::size_t(index)];
  OdString message;
  const bool ok = m_model->setValue(row, OdString(text.toStdString()), message);
  if (!message.empty())
    hostTraceNote("host/window", __LINE__, PaletteModel::shownName(row) + ": " + message);
  m_message->setText(message.empty() ? QString() : qs(PaletteModel::shownName(row)) + ": " + qs(message));
  if (!ok && message.empty()) m_message->setText(say("The value was not taken.", "Значение не принято."));
  // The controls that sent this are rebuilt: not while they are still
  // inside their own signal.
  QTimer::singleShot(0, this, [this] {
    fill();
    if (onChanged) onChanged();
  });
}

}  // namespace qrvwindow
