#include "import_styles_dialog.h"


#include "OdDbDimStyleTableRecord.h"
#include "control.h"
#include "editor_input.h"
#include "picker_dialogs.h"
#include "res/dialog_templates.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "style_import_text.h"
#include "text_format.h"

namespace dds {
namespace {

constexpr int kNameColumn = 0, kActionColumn = 1;

void tellUser(const OdString& text) {
  if (HostEdInput* input = currentEditorInput()) input->print(text);
}

}  // namespace

ImportStylesDialog::ImportStylesDialog(std::vector<OdString> names, std::vector<bool> inTarget)
    : m_names(std::move(names)), m_inTarget(std::move(inTarget)), m_marked(m_names.size(), false) {
  m_inTarget.resize(m_names.size(), false);
}

int ImportStylesDialog::run(ui::Dialog* owner) {
  const int result = ui::runModalDialog(res::dialogTemplates(), res::kDlgImportStyles, *this, owner, this);
  m_dialog = nullptr;
  return result;
}

std::vector<OdString> ImportStylesDialog::picked() const {
  std::vector<OdString> out;
  for (std::size_t i = 0; i < m_names.size(); ++i)
    if (m_marked[i]) out.push_back(m_names[i]);
  return out;
}

void ImportStylesDialog::toggle(int row) {
  if (row < 0 || std::size_t(row) >= m_marked.size()) return;
  m_marked[std::size_t(row)] = !m_marked[std::size_t(row)];
  refreshRows();
}

void ImportStylesDialog::markAll(bool marked) {
  m_marked.assign(m_names.size(), marked);
  refreshRows();
}

void ImportStylesDialog::refreshRows() {
  ui::Control* list = m_dialog->control(res::kIdcImportStyles);
  if (!list) return;
  bool any = false;
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    OdString action;
    if (m_marked[i]) {
      any = true;
      if (!m_inTarget[i]) action = translate("import");
      else action = m_overwrite ? translate("overwrite") : translate("skip, this drawing has it");
    }
    list->setItemText(int(i), kActionColumn, action);
  }
  if (ui::Control* ok = m_dialog->control(res::kIdcOk)) ok->enable(any);
}

std::intptr_t ImportStylesDialog::onMessage(ui::Dialog& dialog, const ui::Message& m) {
  switch (m.msg) {
    case ui::kMsgInitDialog: {
      m_dialog = &dialog;
      if (ui::Control* list = dialog.control(res::kIdcImportStyles)) {
        list->setListStyle(ui::kListFullRowSelect);
        const int width = list->pixelRect().cx - 16;
        list->insertColumn(kNameColumn, translate("Style"), width * 3 / 5);
        list->insertColumn(kActionColumn, translate("Import"), width - width * 3 / 5);
        for (std::size_t i = 0; i < m_names.size(); ++i) list->addItem(m_names[i], std::intptr_t(i));
        if (!m_names.empty()) list->setSelection(0);
      }
      refreshRows();
      return 1;
    }
    case ui::kMsgCommand:
      switch (m.id) {
        case res::kIdcImportMarkAll: markAll(true); return 1;
        case res::kIdcImportClearMarks: markAll(false); return 1;
        case res::kIdcImportOverwrite:
          m_overwrite = dialog.control(res::kIdcImportOverwrite)->check() == ui::kChecked;
          refreshRows();
          return 1;
        case res::kIdcOk:
          if (!picked().empty()) dialog.end(res::kIdcOk);
          return 1;
        case res::kIdcCancel: dialog.end(res::kIdcCancel); return 1;
        default: return 0;
      }
    case ui::kMsgNotify:
      if (m.id != res::kIdcImportStyles) return 0;
      if (m.code == ui::kNotifyDoubleClick) {
        toggle(m.item);
        return 1;
      }
      if (m.code == ui::kNotifyKeyDown && m.key == ui::Key::kSpace) {
        toggle(dialog.control(res::kIdcImportStyles)->selection());
        return 1;
      }
      return 0;
    case ui::kMsgClose: dialog.end(res::kIdcCancel); return 1;
    default: return 0;
  }
}

bool importStylesFromDrawing(OdDbDatabase& target, ui::Dialog* owner) {
  std::string path;
  if (!ui::askOpenFileName(owner, translate("Import Dimension Styles"), translate("Drawing to import from:"),
                           translate("Drawings (*.dxf *.dwg)"), path))
    return false;
  std::unique_ptr<OdDbDatabase> source;
  try {
    source = readStyleSource(path);
  } catch (const OdError& e) {
    const OdString why = sourceErrorText(e);
    DDS_LOG_ERROR(kSrcDlgDimStyle, why);
    tellUser(why);
    return false;
  }
  std::vector<OdString> names = importableStyleNames(*source);
  std::vector<bool> inTarget;
  {
    OdDbDimStyleTablePtr table = target.getDimStyleTableId().safeOpenObject();
    for (const OdString& name : names) inTarget.push_back(table->has(name));
  }
  ImportStylesDialog dialog(std::move(names), std::move(inTarget));
  if (dialog.run(owner) != res::kIdcOk) return false;
  const StyleImportResult result = importDimStyles(target, *source, dialog.picked(), dialog.existing());
  for (const StyleImportLine& line : result.lines) tellUser(importLineText(line));
  tellUser(importSummaryText(result));
  return true;
}

}  // namespace dds
