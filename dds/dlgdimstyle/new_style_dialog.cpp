#include "new_style_dialog.h"

#include <algorithm>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdStringUtil.h"
#include "host_context.h"
#include "res/dialog_templates.h"
#include "stdafx/host_access.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "stdafx/value_text.h"
#include "style_editor_launch.h"
#include "style_store.h"
#include "text_format.h"

namespace dds {
namespace {

constexpr const char* kHelpTopic = "QRV_HELP_DIMSTYLE_NEW";

struct UseForEntry {
  unsigned textId;
  int childType;
};
constexpr UseForEntry kUseFor[] = {{1009, kChildNone},    {1010, kChildLinear}, {1013, kChildAngular},
                                   {1011, kChildDiameter}, {1012, kChildRadius}, {1015, kChildOrdinate},
                                   {1014, kChildLeader}};

// The name without its "$d" suffix.
OdString withoutSuffix(const OdString& name) {
  const std::size_t dollar = name.rfind('$');
  return dollar == OdString::npos ? name : name.substr(0, dollar);
}

bool startsWithNoCase(const OdString& text, const char* prefix) {
  const std::string_view p(prefix);
  return text.size() >= p.size() && qrv::equalNoCase(std::string_view(text).substr(0, p.size()), p);
}

bool isOfChildType(const OdDbEntity* entity, int childType) {
  switch (childType) {
    case kChildLinear: return entity->isKindOf(OdDbRotatedDimension::desc());
    case kChildAngular:
      return entity->isKindOf(OdDb3PointAngularDimension::desc()) ||
             entity->isKindOf(OdDb2LineAngularDimension::desc());
    case kChildDiameter: return entity->isKindOf(OdDbDiametricDimension::desc());
    case kChildRadius: return entity->isKindOf(OdDbRadialDimension::desc());
    case kChildOrdinate: return entity->isKindOf(OdDbOrdinateDimension::desc());
    default: return false;  // leaders keep their style (see switchDimensionsToChild)
  }
}

}  // namespace

NewStyleDialog::NewStyleDialog(OdDbDatabase* db) : m_db(db) {}

int NewStyleDialog::run(ui::Dialog* owner, OdDbObjectId source) {
  if (!owner) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, "No parent window");
    return 3;
  }
  if (!m_db) m_db = currentDatabase();
  m_source = source;
  m_newStyle = OdDbObjectId();
  m_sourceIds.clear();
  m_sourceNames.clear();
  const int result = ui::runModalDialog(res::dialogTemplates(), res::kDlgNewStyle, *this, owner, this);
  m_dialog = nullptr;
  return result == 1 ? 1 : 2;
}

void NewStyleDialog::initDialog() {
  ui::Dialog& dlg = *m_dialog;
  dlg.setIcon(gpQrContext ? gpQrContext->applicationIcon(kQrAppIconId) : nullptr);
  ui::Control* sources = dlg.control(res::kIdcNewSource);
  ui::Control* useFor = dlg.control(res::kIdcNewUseFor);
  ui::Control* name = dlg.control(res::kIdcNewName);
  if (!sources) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, "IDC_SOURCE control not found");
    return;
  }
  if (!m_db) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, "No current database");
    return;
  }
  if (m_source.isNull()) m_source = currentStyleId(m_db);

  OdString proposal;
  try {
    OdDbDimStyleTablePtr table = m_db->getDimStyleTableId().safeOpenObject();
    for (auto it = table->newIterator(); !it->done(); it->step()) {
      OdDbDimStyleTableRecordPtr record = it->getRecord();
      if (record->isDependent()) continue;
      const OdDbObjectId id = it->getRecordId();
      const OdString label = styleLabel(id);
      const int entry = sources->addItem(label, std::intptr_t(m_sourceIds.size()));
      m_sourceIds.push_back(id);
      m_sourceNames.push_back(label);
      if (id != m_source) continue;
      sources->setSelection(entry);
      proposal = translate("Copy of ") + label.substr(0, label.find(" ["));
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }

  if (useFor) {
    for (const UseForEntry& e : kUseFor) useFor->addItem(loadString(e.textId), e.childType);
    useFor->setSelection(0);
  }
  if (proposal.empty()) proposal = translate("New style");
  const OdString first = proposal;
  for (int counter = 1; std::find(m_sourceNames.begin(), m_sourceNames.end(), proposal) != m_sourceNames.end();
       ++counter)
    proposal = hostFormat("%s %i", first.c_str(), counter);
  m_ready = true;
  if (name) name->setText(proposal);
  updateEnabling();
}

int NewStyleDialog::chosenType() const {
  ui::Control* useFor = m_dialog->control(res::kIdcNewUseFor);
  return useFor && useFor->selection() >= 0 ? int(useFor->itemData(useFor->selection())) : kChildNone;
}

OdString NewStyleDialog::typedName() const {
  ui::Control* name = m_dialog->control(res::kIdcNewName);
  return name ? OdString(name->text()) : OdString();
}

void NewStyleDialog::updateEnabling() {
  if (!m_ready) return;
  const int type = chosenType();
  if (ui::Control* name = m_dialog->control(res::kIdcNewName)) name->enable(type == kChildNone);
  bool valid = false;
  try {
    valid = !m_source.isNull() && isNewStyleNameValid(m_db, newStyleName(m_source, type, typedName()));
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }
  if (ui::Control* ok = m_dialog->control(res::kIdcOk)) ok->enable(valid);
}

void NewStyleDialog::sourceChanged() {
  ui::Control* sources = m_dialog->control(res::kIdcNewSource);
  ui::Control* name = m_dialog->control(res::kIdcNewName);
  if (!sources || !name) return;
  const std::intptr_t entry = sources->itemData(sources->selection());
  if (entry < 0 || std::size_t(entry) >= m_sourceIds.size()) return;
  const OdDbObjectId chosen = m_sourceIds[std::size_t(entry)];
  if (chosen == m_source) return;
  try {
    const OdString oldName = withoutSuffix(OdDbDimStyleTableRecordPtr(m_source.safeOpenObject())->getName());
    const OdString newName = OdDbDimStyleTableRecordPtr(chosen.safeOpenObject())->getName();
    m_source = chosen;
    OdString text = name->text();
    const std::size_t at = oldName.empty() ? OdString::npos : text.find(oldName);
    if (at == OdString::npos)
      text = translate("Copy of ") + newName;
    else
      text.replace(at, oldName.size(), newName);
    name->setText(withoutSuffix(text));
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }
  updateEnabling();
}

void NewStyleDialog::create() {
  if (!m_db) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, "No current database");
    m_dialog->end(2);
    return;
  }
  const int type = chosenType();
  ChildStyleInfo base;
  parseChildStyle(m_source, &base);  // an ordinary source gives its own name
  const OdDbObjectId created = createStyleFromBase(m_source, type, typedName());
  if (created.isNull()) {  // the store has logged why
    m_dialog->end(2);
    return;
  }
  m_newStyle = created;
  const StyleEditorOutcome outcome = runStyleEditor(created, m_dialog);
  if (outcome == StyleEditorOutcome::kCancelled) {
    try {
      OdDbObjectIdArray ids{created};
      m_db->purge(ids);
      if (ids.size() == 1) created.safeOpenObject(OdDb::kForWrite)->erase();
    } catch (const OdError& e) {
      DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
    }
    m_newStyle = OdDbObjectId();
    m_dialog->end(2);
    return;
  }
  if (type != kChildNone) switchDimensionsToChild(base.parentName, type);
  m_dialog->end(1);
}

// Dimensions of the chosen kind in model space and the paper spaces that
// use the parent take the child. Leaders keep the parent: the switch goes
// through the dimension interface, which leaders do not have.
void NewStyleDialog::switchDimensionsToChild(const OdString& parentName, int childType) {
  try {
    OdDbDimStyleTablePtr styles = m_db->getDimStyleTableId().safeOpenObject();
    const OdDbObjectId parent = styles->getAt(parentName);
    if (parent.isNull()) return;
    OdDbBlockTablePtr blocks = m_db->getBlockTableId().safeOpenObject();
    for (auto b = blocks->newIterator(); !b->done(); b->step()) {
      OdDbBlockTableRecordPtr block = b->getRecord();
      if (block->isDependent() || block->isFromExternalReference()) continue;
      const OdString name = block->getName();
      if (!qrv::equalNoCase(name, OdDbBlockTableRecord::modelSpaceName()) &&
          !startsWithNoCase(name, OdDbBlockTableRecord::paperSpaceName()))
        continue;
      for (auto e = block->newIterator(); !e->done(); e->step()) {
        try {
          OdDbEntityPtr entity = e->entity();
          if (!isOfChildType(entity.get(), childType)) continue;
          auto dim = OdDbDimension::cast(entity.get());
          if (!dim) {
            DDS_LOG_WARNING(kSrcDlgDimStyle, "not a dimension: " + entity->objectId().getHandle().ascii());
            continue;
          }
          if (dim->dimensionStyle() != parent) continue;
          dim->upgradeOpen();
          dim->setDimensionStyle(m_newStyle);
        } catch (const OdError& err) {
          DDS_LOG_ERROR(kSrcDlgDimStyle, err.description());
        }
      }
    }
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcDlgDimStyle, e.description());
  }
}

std::intptr_t NewStyleDialog::onMessage(ui::Dialog& dialog, const ui::Message& m) {
  switch (m.msg) {
    case ui::kMsgInitDialog:
      m_dialog = &dialog;
      m_ready = false;
      initDialog();
      return 1;
    case ui::kMsgCommand:
      switch (m.id) {
        case res::kIdcNewName:
          if (m.code == ui::kCmdEditChange) updateEnabling();
          return 1;
        case res::kIdcNewUseFor:
          if (m.code == ui::kCmdSelChange) updateEnabling();
          return 1;
        case res::kIdcNewSource:
          if (m.code == ui::kCmdSelChange) sourceChanged();
          return 1;
        case res::kIdcOk:
          create();
          return 1;
        case res::kIdcCancel:
          dialog.end(2);
          return 1;
        case res::kIdcHelp:
          if (gpQrContext) gpQrContext->showHelp(kHelpTopic, dialog.hostHandle());
          return 1;
        default:
          return 0;
      }
    case ui::kMsgHelp:
      if (gpQrContext) gpQrContext->showHelp(kHelpTopic, dialog.hostHandle());
      return 1;
    case ui::kMsgDestroy:
      if (dialog.owner()) dialog.owner()->show(true);
      return 1;
    default:
      return 0;
  }
}

}  // namespace dds
