#include "style_manager_dialog.h"

#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "OdDbDimStyleTableRecord.h"
#include "OdStringUtil.h"
#include "backend.h"
#include "dlgcompare/compare_styles_dialog.h"
#include "editor_input.h"
#include "host_context.h"
#include "import_styles_dialog.h"
#include "new_style_dialog.h"
#include "res/dialog_templates.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "style_editor_launch.h"
#include "style_listing.h"
#include "style_store.h"
#include "text_format.h"
#include "wndpreview/sample_drawing.h"
#include "wndpreview/style_preview.h"

namespace dds {
namespace {

constexpr const char* kHelpTopic = "QRV_HELP_DIMSTYLE_DLG";
constexpr unsigned kIdsOverrides = 1067;
constexpr unsigned kIdsCurrentNotChanged = 1165;
// Room the list keeps beside its one column (the vertical scroll bar).
constexpr int kColumnMargin = 16;

// A list row that cannot be resolved to a style: the action that needed it
// ends with a log line.
struct ManagerListError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void tellUser(const OdString& text) {
  if (HostEdInput* input = currentEditorInput()) input->print(text);
}

// Styles of external references are never changed: says so when `style`
// is one.
bool refusedAsExternal(OdDbObjectId style) {
  if (!isExternalStyle(style)) return false;
  tellUser(externalStyleRefusal(OdDbSymbolTableRecordPtr(style.safeOpenObject())->getName()));
  return true;
}

}  // namespace

StyleManagerDialog::StyleManagerDialog(OdDbDatabase* db) : m_db(db) {}
StyleManagerDialog::~StyleManagerDialog() = default;

int StyleManagerDialog::run(ui::Dialog* owner) {
  if (!m_db) m_db = currentDatabase();
  if (!m_db) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, "No current database");
    return -1;
  }
  const int result = ui::runModalDialog(res::dialogTemplates(), res::kDlgStyleManager, *this, owner, this);
  DDS_ASSERT(kSrcDlgDimStyle, result != -1, "(result != -1)");
  m_dialog = nullptr;
  m_preview.reset();
  m_styleIds.clear();
  return result;
}

template <class Action>
void StyleManagerDialog::guarded(Action&& action) {
  try {
    action();
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  } catch (const ManagerListError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.what());
  }
}

ui::Control& StyleManagerDialog::styleList() const {
  ui::Control* list = m_dialog ? m_dialog->control(res::kIdcManagerStyles) : nullptr;
  if (!list) throw ManagerListError("IDC_STYLES not found");
  return *list;
}

OdDbObjectId StyleManagerDialog::rowStyle(int row) const {
  const ui::ListItem* item = styleList().item(row);
  if (!item) throw ManagerListError(hostFormat("No item #%i", row));
  if (item->data == kOverridesRow) return OdDbObjectId();
  if (item->data < 0 || std::size_t(item->data) >= m_styleIds.size()) throw ManagerListError("List is out of date");
  return m_styleIds[std::size_t(item->data)];
}

bool StyleManagerDialog::isOverridesRow(int row) const {
  const ui::ListItem* item = styleList().item(row);
  return item && item->data == kOverridesRow;
}

bool StyleManagerDialog::isChildRow(int row) const {
  const OdDbObjectId id = rowStyle(row);
  return !id.isNull() && parseChildStyle(id);
}

bool StyleManagerDialog::canSetCurrent(int row) const {
  if (row < 0 || isOverridesRow(row)) return false;
  const OdDbObjectId id = rowStyle(row);
  return id != currentStyleId(m_db) && !parseChildStyle(id);
}

void StyleManagerDialog::initDialog() {
  ui::Dialog& dlg = *m_dialog;
  dlg.setIcon(gpQrContext ? gpQrContext->applicationIcon(kQrAppIconId) : nullptr);
  updateCurrentLabel();
  guarded([&] {
    ui::Control& list = styleList();
    list.setListStyle(ui::kListFullRowSelect | ui::kListLabelTips);
    list.insertColumn(0, OdString(), list.pixelRect().cx - kColumnMargin);
    m_preview = std::make_unique<StylePreview>(m_db);
    fillList();
    m_preview->attach(dlg.control(res::kIdcManagerPreview));
  });
}

void StyleManagerDialog::updateCurrentLabel() {
  ui::Control* label = m_dialog->control(res::kIdcManagerCurrent);
  if (!label) return;
  try {
    OdDbDimStyleTableRecordPtr current = currentStyleId(m_db).openObject();
    if (current) label->setText(translate("Current style: ") + current->getName());
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }
}

void StyleManagerDialog::fillList() {
  ui::Control& list = styleList();
  const int rememberedRow = list.selection();
  OdDbObjectId remembered = currentStyleId(m_db);
  if (rememberedRow >= 0 && !isOverridesRow(rememberedRow)) remembered = rowStyle(rememberedRow);

  m_filling = true;
  list.setRedraw(false);
  list.clearItems();
  m_styleIds.clear();
  if (m_preview) m_preview->synchronize(m_db);

  try {
    addRows();
  } catch (...) {
    m_filling = false;
    list.setRedraw(true);
    throw;
  }

  int select = -1;
  for (int row = 0; row < list.itemCount() && select < 0; ++row) {
    const std::intptr_t ref = list.itemData(row);
    if (ref >= 0 && m_styleIds[std::size_t(ref)] == remembered) select = row;
  }
  if (select < 0) {
    select = rememberedRow;
    while (select >= list.itemCount()) --select;
  }
  list.setSelection(select);
  m_filling = false;
  list.setRedraw(true);
  selectionChanged(select);
}

// Parents in table order, each followed by its children in reverse table
// order (as if each child were inserted directly below its parent), then
// the overrides row under the current style. References follow the order
// the records are met: parents and children as they come in the table.
void StyleManagerDialog::addRows() {
  ui::Control& list = styleList();
  struct Parent {
    std::intptr_t ref;
    OdString name;
    bool overrides;
  };
  std::vector<Parent> parents;
  struct Child {
    std::intptr_t ref;
    std::string parentKey;  // the parent's name, folded
    OdString typeName;
  };
  std::vector<Child> children;
  std::unordered_map<std::string, std::vector<std::size_t>> childrenOf;  // indices into children
  const OdDbObjectId current = currentStyleId(m_db);
  OdDbDimStyleTablePtr table = m_db->getDimStyleTableId().safeOpenObject();
  for (auto it = table->newIterator(); !it->done(); it->step()) {
    OdDbDimStyleTableRecordPtr record = it->getRecord();
    const OdDbObjectId id = it->getRecordId();
    if (record->isDependent()) continue;
    const std::intptr_t ref = std::intptr_t(m_styleIds.size());
    m_styleIds.push_back(id);
    ChildStyleInfo info;
    if (parseChildStyle(id, &info)) {
      children.push_back({ref, qrv::foldCase(info.parentName), info.typeName});
      childrenOf[children.back().parentKey].push_back(children.size() - 1);
      continue;
    }
    parents.push_back({ref, record->getName(), id == current && hasOverrides(record.get(), m_db)});
  }
  std::unordered_set<std::string> hasRow;
  for (const Parent& parent : parents) {
    list.addItem(parent.name, parent.ref, 0);
    const std::string key = qrv::foldCase(parent.name);
    hasRow.insert(key);
    if (auto found = childrenOf.find(key); found != childrenOf.end())
      for (auto at = found->second.rbegin(); at != found->second.rend(); ++at)
        list.addItem(children[*at].typeName, children[*at].ref, 1);
    if (parent.overrides) list.addItem(loadString(kIdsOverrides), kOverridesRow, 1);
  }
  // A child whose parent is itself a child style has no parent row: it is
  // listed under its full label at the end.
  for (const Child& child : children)
    if (!hasRow.count(child.parentKey)) list.addItem(styleLabel(m_styleIds[std::size_t(child.ref)]), child.ref, 1);
}

void StyleManagerDialog::selectionChanged(int row) {
  if (m_filling) return;
  guarded([&] {
    if (ui::Control* label = m_dialog->control(res::kIdcManagerPreviewLabel)) {
      OdString shown;
      if (row >= 0) shown = isOverridesRow(row) ? loadString(kIdsOverrides) : styleLabel(rowStyle(row));
      label->setText(translate("Preview of: ") + shown);
    }
    updateButtons(row);
    updatePreview(row);
  });
}

void StyleManagerDialog::updateButtons(int row) {
  bool setCurrent = false, override = false, modify = false, compare = false, remove = false;
  if (row >= 0) {
    modify = compare = true;
    const OdDbObjectId id = rowStyle(row);
    if (id.isNull()) {
      remove = true;
    } else if (id == currentStyleId(m_db)) {
      override = true;
    } else {
      setCurrent = !parseChildStyle(id);
      remove = canDeleteStyle(id, m_db);
    }
  }
  const std::pair<int, bool> states[] = {{res::kIdcManagerSetCurrent, setCurrent}, {res::kIdcManagerOverride, override},
                                         {res::kIdcManagerModify, modify},         {res::kIdcManagerCompare, compare},
                                         {res::kIdcManagerDelete, remove}};
  for (const auto& [id, on] : states)
    if (ui::Control* button = m_dialog->control(id)) button->enable(on);
}

void StyleManagerDialog::updatePreview(int row) {
  if (!m_preview || row < 0) return;
  const OdDbObjectId id = rowStyle(row);
  if (id.isNull()) {
    m_preview->showCurrentValues(kPreviewAll, m_db);
    return;
  }
  ChildStyleInfo info;
  const bool child = parseChildStyle(id, &info);
  OdDbDimStyleTableRecordPtr record = id.safeOpenObject();
  m_preview->showStyle(child ? previewKindOfChildDigit(info.digit) : kPreviewAll, record.get());
}

void StyleManagerDialog::setCurrent() {
  const int row = styleList().selection();
  if (row < 0 || isOverridesRow(row)) return;
  const OdDbObjectId id = rowStyle(row);
  if (parseChildStyle(id)) return;
  const HRESULT hr = setCurrentStyle(m_db, id);
  if (currentStyleId(m_db) == id) {
    selectionChanged(row);
    updateCurrentLabel();
  } else if (hr != E_ABORT) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, loadString(kIdsCurrentNotChanged));
    return;
  }
  fillList();
}

void StyleManagerDialog::setCurrentByGesture() {
  const int row = styleList().selection();
  if (canSetCurrent(row)) setCurrent();
}

void StyleManagerDialog::createStyle() {
  ui::Control& list = styleList();
  const int row = list.selection();
  const OdDbObjectId source = row >= 0 ? rowStyle(row) : OdDbObjectId();
  NewStyleDialog dialog(m_db);
  if (dialog.run(m_dialog, source) != 1) return;
  fillList();
  for (int at = list.itemCount() - 1; at >= 0; --at) {
    const std::intptr_t ref = list.itemData(at);
    if (ref < 0 || m_styleIds[std::size_t(ref)] != dialog.newStyle()) continue;
    list.ensureVisible(at);
    list.setSelection(at);
    list.setFocus();
    break;
  }
}

void StyleManagerDialog::editStyle(bool override) {
  const int row = styleList().selection();
  OdDbObjectId target;
  if (!override) {
    if (row < 0) return;
    target = rowStyle(row);
    if (refusedAsExternal(target)) return;
  }
  if (runStyleEditor(target, m_dialog) != StyleEditorOutcome::kAccepted) return;
  if (ui::isShiftDown()) logEditedValues(target, override);
  fillList();
  updatePreview(styleList().selection());
}

// A diagnostic for whoever reads the log: every value the edit left.
void StyleManagerDialog::logEditedValues(OdDbObjectId target, bool override) const {
  DimVarRows rows;
  if (target.isNull()) {
    if (override) hostTraceNote(kSrcDlgDimStyle, __LINE__, "Dimension Style overrides");
    listCurrentValues(m_db, rows, false);
  } else {
    OdDbDimStyleTableRecordPtr record = target.safeOpenObject();
    hostTraceNote(kSrcDlgDimStyle, __LINE__, "Dimension Style " + record->getName());
    listStyleValues(record.get(), rows, false);
  }
  for (std::size_t i = 0; i + 1 < rows.size(); i += 2)
    hostTraceNote(kSrcDlgDimStyle, __LINE__, rows[i] + " = " + rows[i + 1]);
}

void StyleManagerDialog::compare() {
  const int row = styleList().selection();
  if (row < 0) return;
  const OdDbObjectId selectedId = rowStyle(row);
  OdDbDimStyleTableRecordPtr current = currentStyleId(m_db).safeOpenObject();
  OdDbDimStyleTableRecordPtr selected;
  if (!selectedId.isNull()) selected = selectedId.safeOpenObject();
  CompareStylesDialog dialog(m_db);
  dialog.run(current.get(), selected.get(), m_dialog);
}

void StyleManagerDialog::deleteSelected() {
  const int row = styleList().selection();
  if (row < 0) return;
  const OdDbObjectId id = rowStyle(row);
  if (refusedAsExternal(id)) return;
  if (!id.isNull() && !canDeleteStyle(id, m_db)) {
    tellUser(hostFormat(translate("\"%s\" or one of its child styles is in use; nothing was deleted.").c_str(),
                        styleLabel(id).c_str()));
    return;
  }
  const OdString label = id.isNull() ? OdString() : styleLabel(id);
  if (deleteStyle(id, m_db)) {
    fillList();
  } else if (!id.isNull()) {
    tellUser(hostFormat(translate("\"%s\" or one of its child styles is in use; nothing was deleted.").c_str(),
                        label.c_str()));
  }
}

bool StyleManagerDialog::beginRename(int row) {
  return row >= 0 && !isOverridesRow(row) && !isChildRow(row);
}

void StyleManagerDialog::endRename(int row, const std::string* text) {
  if (!text) return;
  const OdDbObjectId id = rowStyle(row);
  if (refusedAsExternal(id)) return;
  const OdString name(*text);
  if (renameStyle(id, &name)) {
    fillList();
  } else {
    tellUser(hostFormat(
        translate("The style keeps its name: \"%s\" is already used or is not a valid style name.").c_str(),
        name.c_str()));
  }
}

void StyleManagerDialog::saveToCurrentStyle() {
  if (refusedAsExternal(currentStyleId(m_db))) return;
  if (saveOverridesToCurrentStyle(m_db)) fillList();
}

void StyleManagerDialog::importStyles() {
  if (importStylesFromDrawing(*m_db, m_dialog)) fillList();
}

void StyleManagerDialog::showContextMenu(int row, ui::Point at) {
  if (row < 0) return;
  const bool overrides = isOverridesRow(row);
  const OdDbObjectId id = rowStyle(row);
  const bool child = !overrides && parseChildStyle(id);
  const ui::Menu menu{
      {res::kIdcManagerSetCurrent, translate("Set current"), canSetCurrent(row)},
      {kMenuRename, translate("Rename"), !overrides && !child},
      {res::kIdcManagerDelete, translate("Delete"), overrides || canDeleteStyle(id, m_db)},
      {kMenuSaveToCurrent, translate("Save to current style"), overrides},
      {0, ""},
      {kMenuImport, translate("Import styles..."), true},
  };
  switch (ui::trackPopupMenu(*m_dialog, menu, at)) {
    case res::kIdcManagerSetCurrent: setCurrent(); break;
    case kMenuRename: styleList().beginLabelEdit(row); break;
    case res::kIdcManagerDelete: deleteSelected(); break;
    case kMenuSaveToCurrent: saveToCurrentStyle(); break;
    case kMenuImport: importStyles(); break;
    default: break;
  }
}

void StyleManagerDialog::listKey(ui::Key key) {
  ui::Control& list = styleList();
  switch (key) {
    case ui::Key::kDelete: m_dialog->sendCommand(res::kIdcManagerDelete); break;
    case ui::Key::kF2:
      if (list.selection() >= 0) list.beginLabelEdit(list.selection());
      break;
    case ui::Key::kSpace: setCurrentByGesture(); break;
    default: break;
  }
}

std::intptr_t StyleManagerDialog::onMessage(ui::Dialog& dialog, const ui::Message& m) {
  switch (m.msg) {
    case ui::kMsgInitDialog:
      m_dialog = &dialog;
      initDialog();
      return 1;
    case ui::kMsgCommand:
      switch (m.id) {
        case res::kIdcManagerSetCurrent: guarded([&] { setCurrent(); }); return 1;
        case res::kIdcManagerNew: guarded([&] { createStyle(); }); return 1;
        case res::kIdcManagerModify: guarded([&] { editStyle(false); }); return 1;
        case res::kIdcManagerOverride: guarded([&] { editStyle(true); }); return 1;
        case res::kIdcManagerCompare: guarded([&] { compare(); }); return 1;
        case res::kIdcManagerDelete: guarded([&] { deleteSelected(); }); return 1;
        case res::kIdcHelp:
          if (gpQrContext) gpQrContext->showHelp(kHelpTopic, dialog.hostHandle());
          return 1;
        case res::kIdcClose:
          dialog.end(res::kIdcClose);
          return 1;
        default:
          return 0;
      }
    case ui::kMsgNotify:
      if (m.id != res::kIdcManagerStyles) return 0;
      switch (m.code) {
        case ui::kNotifyItemChanged: selectionChanged(m.item); return 1;
        case ui::kNotifyBeginLabelEdit: {
          bool allowed = false;
          guarded([&] { allowed = beginRename(m.item); });
          return allowed ? 0 : 1;
        }
        case ui::kNotifyEndLabelEdit:
          // The refilled list shows the name the table holds, not the typed text.
          guarded([&] { endRename(m.item, m.text); });
          return 0;
        case ui::kNotifyKeyDown: guarded([&] { listKey(m.key); }); return 1;
        case ui::kNotifyDoubleClick:
          if (m.item >= 0) guarded([&] { setCurrentByGesture(); });
          return 1;
        case ui::kNotifyRightClick: guarded([&] { showContextMenu(m.item, m.point); }); return 1;
        default: return 0;
      }
    case ui::kMsgHelp:
      if (gpQrContext) gpQrContext->showHelp(kHelpTopic, dialog.hostHandle());
      return 1;
    case ui::kMsgDestroy:
      if (m_preview) m_preview->detach();
      return 1;
    default:
      return 0;
  }
}

}  // namespace dds
