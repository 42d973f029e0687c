#include "compare_styles_dialog.h"

#include <algorithm>
#include <new>
#include <vector>

#include "backend.h"
#include "res/dialog_templates.h"
#include "dlgdimstyle/style_listing.h"
#include "dlgdimstyle/style_store.h"
#include "host_context.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "text_format.h"
#include "wide_text.h"

namespace dds {
namespace {

constexpr const char* kSrcDlgCompare = "dds/dlgcompare";
constexpr const char* kHelpTopic = "QRV_HELP_DIMSTYLE_DIFF";
constexpr unsigned kIdsOverrides = 1067;
constexpr unsigned kIdsColumnDescription = 1077;
constexpr unsigned kIdsColumnVariable = 1078;
constexpr unsigned kIdsAllProperties = 1080;
constexpr unsigned kIdsDifferences = 1081;
constexpr int kDescriptionWidth = 100;
constexpr int kVariableWidth = 75;  // until the rows are in: then fitted to them
constexpr int kValueWidth = 150;
// A cell goes to the clipboard with at most this many UTF-16 units.
constexpr std::size_t kCellLimit = 1024;

bool sameRecord(const OdDbDimStyleTableRecord* a, const OdDbDimStyleTableRecord* b) {
  if (!a || !b) return false;
  return a == b || (!a->objectId().isNull() && a->objectId() == b->objectId());
}

std::u16string cellForClipboard(const std::string& text) {
  std::u16string cell = hostUtf8ToWide(text);
  if (cell.size() > kCellLimit) {
    std::size_t keep = kCellLimit;
    // Half a character would not survive the paste.
    if (cell[keep - 1] >= 0xD800 && cell[keep - 1] <= 0xDBFF) --keep;
    cell.resize(keep);
  }
  return cell;
}

}  // namespace

CompareStylesDialog::CompareStylesDialog(OdDbDatabase* db) : m_db(db) {}

int CompareStylesDialog::run(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second,
                             ui::Dialog* owner) {
  m_ids.clear();
  m_first = OdDbDimStyleTableRecordPtr(const_cast<OdDbDimStyleTableRecord*>(first));
  m_second = OdDbDimStyleTableRecordPtr(const_cast<OdDbDimStyleTableRecord*>(second));
  if (!m_db && first) m_db = first->database();
  if (!m_db && second) m_db = second->database();
  if (!m_db) m_db = currentDatabase();
  const int result = ui::runModalDialog(res::dialogTemplates(), res::kDlgCompare, *this, owner, this);
  DDS_ASSERT(kSrcDlgCompare, result != -1, "(result != -1)");
  // The sides were open for reading while the dialog was shown.
  m_dialog = nullptr;
  m_first = nullptr;
  m_second = nullptr;
  return result;
}

OdString CompareStylesDialog::sideName(const OdDbDimStyleTableRecord* side) const {
  return side ? styleLabel(side->objectId()) : loadString(kIdsOverrides);
}

bool CompareStylesDialog::initDialog() {
  ui::Dialog& dlg = *m_dialog;
  dlg.setIcon(gpQrContext ? gpQrContext->applicationIcon(kQrAppIconId) : nullptr);
  if (ui::Control* copy = dlg.control(res::kIdcCompareCopy)) {
    copy->setIcon("copy");
    copy->setTooltip(translate("Copy to clipboard"));
  }
  ui::Control* first = dlg.control(res::kIdcCompareFirst);
  ui::Control* second = dlg.control(res::kIdcCompareSecond);
  DDS_ASSERT(kSrcDlgCompare, first != nullptr, "(first != nullptr)");
  DDS_ASSERT(kSrcDlgCompare, second != nullptr, "(second != nullptr)");
  if (!first || !second) return false;

  try {
    OdDbDimStyleTablePtr table;
    if (m_db) table = m_db->getDimStyleTableId().openObject();
    DDS_ASSERT(kSrcDlgCompare, !table.isNull(), "(table.isNull() == false)");
    if (table.isNull()) return false;

    second->addItem(translate("<none>"), kNoneEntry);

    OdDbDimStyleTableRecordPtr current;
    const OdDbObjectId currentId = currentStyleId(m_db);
    if (!currentId.isNull()) current = currentId.openObject();
    if (!current.isNull() && hasOverrides(current.get(), m_db)) {
      const OdString overrides = loadString(kIdsOverrides);
      const int a = first->addItem(overrides, kOverridesEntry);
      if (m_first.isNull()) first->setSelection(a);
      const int b = second->addItem(overrides, kOverridesEntry);
      if (m_second.isNull()) second->setSelection(b);
    }

    auto it = table->newIterator();
    DDS_ASSERT(kSrcDlgCompare, it != nullptr, "(it != nullptr)");
    for (; it && !it->done(); it->step()) {
      OdDbSymbolTableRecordPtr record = it->getRecord();
      if (record.isNull() || record->isDependent()) continue;
      const OdDbObjectId id = it->getRecordId();
      const auto index = std::intptr_t(m_ids.size());
      m_ids.push_back(id);
      const OdString label = styleLabel(id);
      const int a = first->addItem(label, index);
      if (!m_first.isNull() && m_first->objectId() == id) first->setSelection(a);
      const int b = second->addItem(label, index);
      if (!m_second.isNull() && m_second->objectId() == id) second->setSelection(b);
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgCompare, e.description());
  }

  if (ui::Control* rows = dlg.control(res::kIdcCompareRows)) {
    rows->setListStyle(ui::kListFullRowSelect | ui::kListLabelTips);
    rows->insertColumn(0, loadString(kIdsColumnDescription), kDescriptionWidth);
    rows->insertColumn(1, loadString(kIdsColumnVariable), kVariableWidth);
    rows->insertColumn(2, OdString(), kValueWidth);
  }
  fillRows();
  return true;
}

void CompareStylesDialog::fillRows() {
  ui::Dialog& dlg = *m_dialog;
  ui::Control* rows = dlg.control(res::kIdcCompareRows);
  DDS_ASSERT(kSrcDlgCompare, rows != nullptr, "(rows != nullptr)");
  if (!rows) return;
  rows->setRedraw(false);
  rows->clearItems();
  OdString caption;
  try {
    DimVarRows values;
    if (sameRecord(m_first.get(), m_second.get())) {
      if (rows->columnCount() > 3) rows->deleteColumn(3);
      const OdString name = sideName(m_first.get());
      rows->setColumnHeader(2, name);
      listStyleValues(m_first.get(), values, true);
      for (std::size_t i = 0; i + 2 < values.size(); i += 3) {
        const int row = rows->addItem(values[i + 2]);
        rows->setItemText(row, 1, values[i]);
        rows->setItemText(row, 2, values[i + 1]);
      }
      caption = hostFormat(loadString(kIdsAllProperties).c_str(), name.c_str());
    } else {
      rows->setColumnHeader(2, sideName(m_first.get()));
      if (rows->columnCount() < 4) rows->insertColumn(3, OdString(), rows->columns()[2].width);
      rows->setColumnHeader(3, sideName(m_second.get()));
      compareStyleValues(m_first.get(), m_second.get(), m_db, values, true);
      int count = 0;
      for (std::size_t i = 0; i + 3 < values.size(); i += 4, ++count) {
        const int row = rows->addItem(values[i + 3]);
        rows->setItemText(row, 1, values[i]);
        rows->setItemText(row, 2, values[i + 1]);
        rows->setItemText(row, 3, values[i + 2]);
      }
      caption = hostFormat(loadString(kIdsDifferences).c_str(), count);
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgCompare, e.description());
  }
  if (ui::Control* label = dlg.control(res::kIdcCompareCaption)) label->setText(caption);
  fitColumns(*rows);
  rows->setRedraw(true);
}

// The variable and value columns as wide as their widest text; the
// description takes the room left, at least as wide as it always was (the
// whole description shows as a tip, and every column can be dragged wider).
void CompareStylesDialog::fitColumns(ui::Control& rows) {
  const int padding = ui::measureText("MM").x;
  std::vector<int> widths;
  for (int c = 0; c < rows.columnCount(); ++c) {
    int width = ui::measureText(rows.columns()[std::size_t(c)].header).x + padding;
    for (int r = 0; r < rows.itemCount(); ++r) width = std::max(width, ui::measureText(rows.itemText(r, c)).x + padding);
    widths.push_back(width);
  }
  if (widths.empty()) return;
  int others = 0;
  for (std::size_t c = 1; c < widths.size(); ++c) others += widths[c];
  const int room = rows.pixelRect().cx - padding - others;
  widths[0] = std::max(kDescriptionWidth, std::min(widths[0], room));
  for (std::size_t c = 0; c < widths.size(); ++c)
    if (widths[c] != rows.columns()[c].width) rows.setColumnWidth(int(c), widths[c]);
}

bool CompareStylesDialog::openEntry(std::intptr_t entry, OdDbDimStyleTableRecordPtr& side) {
  const bool inRange = entry >= 0 && std::size_t(entry) < m_ids.size();
  DDS_ASSERT(kSrcDlgCompare, inRange, "(entry < m_ids.size())");
  if (!inRange) return false;
  try {
    OdDbDimStyleTableRecordPtr opened = m_ids[std::size_t(entry)].safeOpenObject();
    side = opened;
    return true;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgCompare, e.description());
    return false;
  }
}

void CompareStylesDialog::firstChanged() {
  ui::Control* first = m_dialog->control(res::kIdcCompareFirst);
  ui::Control* second = m_dialog->control(res::kIdcCompareSecond);
  if (!first) return;
  const std::intptr_t entry = first->itemData(first->selection());
  if (entry == kOverridesEntry)
    m_first = nullptr;
  else if (!openEntry(entry, m_first))
    return;
  // "<none>" in the other list means "the same as this side": it follows.
  if (second && second->itemData(second->selection()) == kNoneEntry) m_second = m_first;
  fillRows();
}

void CompareStylesDialog::secondChanged() {
  ui::Control* second = m_dialog->control(res::kIdcCompareSecond);
  if (!second) return;
  const std::intptr_t entry = second->itemData(second->selection());
  if (entry == kOverridesEntry)
    m_second = nullptr;
  else if (entry == kNoneEntry)
    m_second = m_first;
  else if (!openEntry(entry, m_second))
    return;
  fillRows();
}

void CompareStylesDialog::copyToClipboard() {
  ui::Control* rows = m_dialog->control(res::kIdcCompareRows);
  if (!rows) return;
  std::u16string text;
  try {
    const int columns = rows->columnCount() > 3 ? 4 : 3;
    for (int row = 0; row < rows->itemCount(); ++row) {
      for (int col = 0; col < columns; ++col) {
        if (col) text += u'\t';
        text += cellForClipboard(rows->itemText(row, col));
      }
      text += u"\r\n";
    }
  } catch (const std::bad_alloc&) {
    DDS_ASSERT(kSrcDlgCompare, false, "(text memory obtained)");
    return;
  }
  ui::Clipboard& clipboard = ui::clipboard();
  if (!clipboard.open(m_dialog)) {
    DDS_ASSERT(kSrcDlgCompare, false, "OpenClipbord failed");
    return;
  }
  clipboard.empty();
  const bool placed = clipboard.setUnicodeText(text);
  clipboard.close();
  DDS_ASSERT(kSrcDlgCompare, placed, "(placed)");
}

std::intptr_t CompareStylesDialog::onMessage(ui::Dialog& dialog, const ui::Message& m) {
  switch (m.msg) {
    case ui::kMsgInitDialog:
      m_dialog = &dialog;
      initDialog();
      return 1;
    case ui::kMsgCommand:
      switch (m.id) {
        case res::kIdcCompareFirst:
          if (m.code == ui::kCmdSelChange) firstChanged();
          return 1;
        case res::kIdcCompareSecond:
          if (m.code == ui::kCmdSelChange) secondChanged();
          return 1;
        case res::kIdcCompareCopy:
          if (m.code == ui::kCmdClicked) copyToClipboard();
          return 1;
        case res::kIdcHelp:
          if (gpQrContext) gpQrContext->showHelp(kHelpTopic, dialog.hostHandle());
          return 1;
        case res::kIdcClose:
          dialog.end(res::kIdcClose);
          return 1;
        default:
          return 0;
      }
    case ui::kMsgHelp:
      if (gpQrContext) gpQrContext->showHelp(kHelpTopic, dialog.hostHandle());
      return 1;
    case ui::kMsgDestroy:
      if (ui::Control* copy = dialog.control(res::kIdcCompareCopy)) copy->setIcon(std::string());
      return 1;
    default:
      return 0;
  }
}

}  // namespace dds
