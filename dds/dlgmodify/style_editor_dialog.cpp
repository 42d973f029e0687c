#include "style_editor_dialog.h"

#include <cctype>
#include <cmath>

#include "OdDbTextStyleTableRecord.h"
#include "backend.h"
#include "dialog_templates.h"
#include "dlgdimstyle/style_store.h"
#include "editor_input.h"
#include "editor_page.h"
#include "editor_pages.h"
#include "editor_store.h"
#include "host_context.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "style_editor_template.h"
#include "text_format.h"
#include "tolerances_page.h"
#include "wndpreview/sample_drawing.h"
#include "wndpreview/style_preview.h"

namespace dds {
namespace {

constexpr const char* kHelpTopic = "QRV_HELP_DIMSTYLE_MODIFY";

// Lists whose items are fixed texts; the item index is the stored value
// (for the linear unit lists, the value less one).
struct FixedList {
  int tab;
  int listId;
  std::initializer_list<unsigned> items;
};
const FixedList kFixedLists[] = {
    {kTabText, 1078, {1031, 1030, 1032, 1033, 1191}},
    {kTabText, 1079, {1034, 1035, 1036, 1037, 1038}},
    {kTabPrimaryUnits, 1110, {1039, 1040, 1041, 1042, 1043, 1044}},
    {kTabAlternateUnits, 1136, {1039, 1040, 1041, 1261, 1262, 1042, 1043, 1044}},
    {kTabPrimaryUnits, 1106, {1053, 1054, 1058, 1059}},
    {kTabPrimaryUnits, 1115, {1045, 1046, 1047}},
    {kTabPrimaryUnits, 1117, {1060, 1061, 1062}},
    {kTabTolerances, 1147, {1071, 1072, 1073, 1074, 1075}},
    {kTabTolerances, 1161, {1068, 1069, 1070}},
};
constexpr int kTextStyleList = 1067;
constexpr int kDecimalSeparatorList = 1117;  // Primary units: '.', ',', ' '

// Precision patterns by unit mode; 0 where a mode has none.
constexpr unsigned kAngularPatterns[] = {1048, 1055, 1056, 1057};
constexpr unsigned kLinearPatterns[] = {0, 1049, 1048, 1050, 1051, 1052, 1048};
constexpr unsigned kAlternatePatterns[] = {0, 1049, 1048, 1050, 1051, 1052, 1051, 1052, 1048};

// The preview kind of a style name ending in "$" and a child digit; 0 for
// any other name.
int previewKindOfName(const OdString& name) {
  if (name.size() < 2 || name[name.size() - 2] != '$' || !std::isdigit(static_cast<unsigned char>(name.back())))
    return kPreviewAll;
  return std::max(int(kPreviewAll), previewKindOfChildDigit(name.back() - '0'));
}

template <class Action>
void guardedFill(Action&& action) {
  try {
    action();
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgModify, e.description());
  } catch (...) {
    DDS_LOG_ERROR(kSrcDlgModify, loadString(1029));
  }
}

}  // namespace

StyleEditorDialog::StyleEditorDialog(OdDbDatabase* db) : m_db(db) {}

StyleEditorDialog::~StyleEditorDialog() = default;

void StyleEditorDialog::prepare(OdDbObjectId style) {
  if (!m_db) m_db = currentDatabase();
  m_record = nullptr;
  m_previewCopy = nullptr;
  if (!style.isNull()) {
    try {
      m_record = OdDbDimStyleTableRecordPtr(style.safeOpenObject(OdDb::kForWrite));
    } catch (const OdError& e) {
      DDS_LOG_ERROR(kSrcDlgModify, e.description());
    }
  }
  m_preview = std::make_unique<StylePreview>(m_db);
  if (m_record) findPreviewCopy();
}

void StyleEditorDialog::findPreviewCopy() {
  OdDbDatabase* sample = m_preview->sampleDatabase();
  if (!sample) return;
  const OdString name = m_record->getName();
  try {
    for (int attempt = 0; attempt < 2 && !m_previewCopy; ++attempt) {
      if (attempt == 1) m_preview->synchronize(m_db);
      OdDbDimStyleTablePtr table = sample->getDimStyleTableId().safeOpenObject();
      const OdDbObjectId id = table->getAt(name);
      if (!id.isNull()) m_previewCopy = OdDbDimStyleTableRecordPtr(id.safeOpenObject(OdDb::kForWrite));
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgModify, e.description());
  }
}

int StyleEditorDialog::run(ui::Dialog* owner) {
  if (!m_preview) prepare(m_record ? m_record->objectId() : OdDbObjectId());
  m_pages.clear();
  const int result = ui::runModalDialog(res::dialogTemplates(), res::kDlgStyleEditor, *this, owner, this);
  if (result < 0) DDS_LOG_ERROR(kSrcDlgModify, "dialog template 1010 not found");
  m_window = nullptr;
  return result == 1 ? 1 : 2;
}

EditorPage* StyleEditorDialog::page(int tab) const {
  return tab >= 0 && tab < int(m_pages.size()) ? m_pages[std::size_t(tab)].get() : nullptr;
}

void StyleEditorDialog::initDialog(ui::Dialog& dialog) {
  m_window = &dialog;
  dialog.setIcon(gpQrContext ? gpQrContext->applicationIcon(kQrAppIconId) : nullptr);
  if (m_record) {
    dialog.setCaption(dialog.caption() + ": " + styleLabel(m_record->objectId()));
  } else {
    dialog.setCaption(loadString(1286) + ": " + currentStyleName(m_db));
  }
  if (!createPages()) return;
  if (m_preview) m_preview->attach(dialog.control(res::kIdcEditorPreview));
  reloadLinetypeLists();
  guardedFill([this] { fillTextStyleList(); });
  guardedFill([this] { fillFixedLists(); });
  loadControls();
  requestPreviewUpdate();
}

bool StyleEditorDialog::createPages() {
  ui::Control* tabs = m_window->control(res::kIdcEditorTabs);
  if (!tabs) {
    DDS_LOG_ERROR(kSrcDlgModify, "IDC_TAB control not found");
    return false;
  }
  const ui::Rect place = ui::backend().dialogUnits().toPixels(res::kEditorPageRect);
  for (const EditorPageEntry& page : editorPageEntries()) {
    const int tab = int(m_pages.size());
    std::optional<ui::DialogTemplate> tmpl = ui::loadDialogTemplate(res::dialogTemplates(), page.templateId);
    if (!tmpl) {  // a page still to come shows empty
      tmpl = ui::DialogTemplate{};
      tmpl->id = page.templateId;
      tmpl->cx = res::kEditorPageRect.cx;
      tmpl->cy = res::kEditorPageRect.cy;
      tmpl->child = true;
    }
    m_pages.push_back(tmpl->controls.empty() ? makeEmptyPage(*this) : page.make(*this));
    ui::Dialog* window = m_window->createChild(*tmpl, m_pages.back().get(), page.windowId, this);
    window->setPlacement(place);
    window->show(tab == 0);
    tabs->addItem(loadString(page.tabText), tab);
  }
  tabs->setSelection(0);
  return true;
}

void StyleEditorDialog::showPage(int tab, bool on) {
  if (EditorPage* p = page(tab); p && p->window()) p->window()->show(on);
}

void StyleEditorDialog::fillFixedLists() {
  for (const FixedList& fixed : kFixedLists) {
    EditorPage* p = page(fixed.tab);
    ui::Control* list = p && p->window() ? p->window()->control(fixed.listId) : nullptr;
    if (!list) continue;  // a page that does not show this list yet
    list->clearItems();
    for (unsigned id : fixed.items) list->addItem(loadString(id));
  }
}

void StyleEditorDialog::fillTextStyleList() {
  EditorPage* p = page(kTabText);
  ui::Control* list = p && p->window() ? p->window()->control(kTextStyleList) : nullptr;
  if (!list || !m_db) return;
  OdDbTextStyleTablePtr table = m_db->getTextStyleTableId().safeOpenObject();
  for (auto it = table->newIterator(); !it->done(); it->step()) {
    OdDbTextStyleTableRecordPtr record = it->getRecord();
    if (record->isDependent() || record->isShapeFile()) continue;
    list->addItem(record->getName());
  }
}

void StyleEditorDialog::reloadLinetypeLists() {
  if (!m_db) return;
  for (const auto& p : m_pages) guardedFill([&p] { p->reloadLinetypes(); });
}

void StyleEditorDialog::fillPrecisionList(int mode, ui::Control* list, bool angular, bool alternate) {
  if (!list) {
    DDS_LOG_ERROR(kSrcDlgModify, "(IsWindow(hCombo))");
    return;
  }
  const std::span<const unsigned> patterns = angular     ? std::span<const unsigned>(kAngularPatterns)
                                             : alternate ? std::span<const unsigned>(kAlternatePatterns)
                                                         : std::span<const unsigned>(kLinearPatterns);
  if (mode < 0 || mode >= int(patterns.size()) || patterns[std::size_t(mode)] == 0) {
    DDS_LOG_ERROR(kSrcDlgModify, hostFormat("no precision list for unit mode %d", mode));
    return;
  }
  const int selected = list->selection();
  list->clearItems();
  const OdString pattern = loadString(patterns[std::size_t(mode)]);
  for (std::size_t start = 0;;) {
    const std::size_t end = pattern.find(';', start);
    list->addItem(pattern.substr(start, end == OdString::npos ? OdString::npos : end - start));
    if (end == OdString::npos) break;
    start = end + 1;
  }
  list->setSelection(selected < list->itemCount() ? selected : -1);
}

TolerancesPage* StyleEditorDialog::tolerancesPage() const {
  auto* p = dynamic_cast<TolerancesPage*>(page(kTabTolerances));
  if (!p || !p->window()) DDS_LOG_ERROR(kSrcDlgModify, "the Tolerances page is missing");
  return p && p->window() ? p : nullptr;
}

void StyleEditorDialog::applyToleranceMethod(int method) {
  if (TolerancesPage* p = tolerancesPage()) p->applyToleranceMethod(method);
}

void StyleEditorDialog::updateToleranceZeroSuppression(bool alternateOn) {
  if (TolerancesPage* p = tolerancesPage()) p->updateToleranceZeroSuppression(alternateOn);
}

void StyleEditorDialog::stepSpinValue(ui::Control* field, int delta, double step) {
  if (delta == 0 || !field) return;
  // Text that is not a number stays for the user to correct: stepping from
  // a guessed 0 would hide the mistake.
  const std::optional<double> v = readFieldNumber(field->text(), decimalSeparator());
  if (!v) return;
  const double s = delta > 0 ? step : -step;
  field->setText(writeControlDouble(std::ceil((*v - s) * 100000.0 - 0.5) / 100000.0));
  requestPreviewUpdate();
}

char StyleEditorDialog::decimalSeparator() const {
  const EditorPage* primary = page(kTabPrimaryUnits);
  const ui::Control* list = primary && primary->window() ? primary->window()->control(kDecimalSeparatorList) : nullptr;
  return list && list->selection() == 1 ? ',' : '.';
}

void StyleEditorDialog::requestPreviewUpdate() {
  if (m_window) m_window->post(kUmUpdatePreview);
}

void StyleEditorDialog::loadControls() {
  ChildStyleInfo child;
  if (!m_record)
    m_type = kTypeOverride;
  else
    m_type = parseChildStyle(m_record->objectId(), &child) ? child.digit : kTypeStyle;
  const EditorSource source{m_record ? m_record->dimVars() : m_db->dimVars(), m_db};
  for (int tab : kEditorLoadOrder)
    if (EditorPage* p = page(tab)) p->load(source);
  for (const auto& p : m_pages) p->afterLoad();
}

void StyleEditorDialog::storeControls(EditorStore& out) const {
  for (const auto& p : m_pages) p->store(out);
}

void StyleEditorDialog::refreshPreview() {
  // A burst of changes is shown once.
  m_window->removePosted(kUmUpdatePreview);
  ++m_previewRefreshes;
  OdDbDatabase* sample = m_preview ? m_preview->sampleDatabase() : nullptr;
  if (!sample) return;
  try {
    EditorStore store(sample);
    store.takeArrowsFrom(m_db);
    if (!m_record) {
      storeControls(store);
      writeCurrentValues(sample, withoutRefusedValues(store));
      m_preview->showCurrentValues(kPreviewAll, sample);
    } else if (m_previewCopy) {
      storeControls(store);
      writeStyleValues(m_previewCopy.get(), withoutRefusedValues(store));
      m_preview->showStyle(previewKindOfName(m_record->getName()), m_previewCopy.get());
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgModify, e.description());
  }
}

void StyleEditorDialog::accept() {
  if (!m_db) {
    DDS_LOG_ERROR(kSrcDlgModify, "No current database");
    return;
  }
  try {
    EditorStore store(m_db);
    storeControls(store);
    const OdString refusal = refusedValueMessage(store, [&](int var) {
      return m_record ? m_record->dimVar(var) : m_db->dimVar(var);
    });
    if (!refusal.empty()) {  // nothing is written; the user corrects the field
      DDS_LOG_WARNING(kSrcDlgModify, refusal);
      if (HostEdInput* input = currentEditorInput()) input->print(refusal);
      return;
    }
    if (m_record)
      writeStyleValues(m_record.get(), store);
    else
      writeCurrentValues(m_db, store);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgModify, e.description());
    return;
  }
  m_previewCopy = nullptr;
  m_window->end(1);
}

void StyleEditorDialog::showHelp() {
  if (gpQrContext) gpQrContext->showHelp(kHelpTopic, m_window ? m_window->hostHandle() : nullptr);
}

std::intptr_t StyleEditorDialog::onMessage(ui::Dialog& dialog, const ui::Message& m) {
  switch (m.msg) {
    case ui::kMsgInitDialog:
      initDialog(dialog);
      return 1;
    case ui::kMsgCommand:
      switch (m.id) {
        case res::kIdcOk:
          accept();
          return 1;
        case res::kIdcCancel:
          dialog.end(2);
          return 1;
        case res::kIdcHelp:
          showHelp();
          return 1;
        default:
          return 0;
      }
    case ui::kMsgNotify:
      if (m.id != res::kIdcEditorTabs || !m.control) return 0;
      if (m.code == ui::kNotifyTabSelChanging) showPage(m.control->selection(), false);
      if (m.code == ui::kNotifyTabSelChange) showPage(m.control->selection(), true);
      return 0;
    case ui::kMsgHelp:
      showHelp();
      return 1;
    case ui::kMsgClose:
      dialog.end(2);
      return 1;
    case kUmUpdatePreview:
      refreshPreview();
      return 1;
    case kUmReloadLinetypes:
      reloadLinetypeLists();
      if (m_preview) guardedFill([this] { m_preview->synchronize(m_db); });
      requestPreviewUpdate();
      return 1;
    case ui::kMsgDestroy:
      if (m_preview) m_preview->detach();
      m_previewCopy = nullptr;
      m_window = nullptr;
      return 1;
    default:
      return 0;
  }
}

}  // namespace dds
