#include "lines_page.h"

#include "OdDbSymbolTableRecord.h"
#include "editor_store.h"
#include "page_lines_template.h"
#include "style_editor_dialog.h"

namespace dds {
namespace {

using namespace res::lines;

// The name of the linetype a variable refers to; a null reference is
// ByBlock.
OdString linetypeName(const EditorSource& source, const char* var) {
  const OdDbObjectId id = std::get<OdDbObjectId>(source.get(var));
  if (id.isNull()) return "ByBlock";
  OdDbObjectPtr obj = id.openObject();
  const auto* record = dynamic_cast<const OdDbSymbolTableRecord*>(obj.get());
  return record ? record->getName() : OdString("ByBlock");
}

OdDb::LineWeight lineweight(const EditorSource& source, const char* var) {
  return static_cast<OdDb::LineWeight>(std::get<int>(source.get(var)));
}

}  // namespace

LinesPage::LinesPage(StyleEditorDialog& editor)
    : EditorPage(editor),
      m_dimLinetype(std::make_unique<CLineTypeCtl>(editor.database())),
      m_ext1Linetype(std::make_unique<CLineTypeCtl>(editor.database())),
      m_ext2Linetype(std::make_unique<CLineTypeCtl>(editor.database())),
      m_dimLineweight(std::make_unique<CLineWeightCtl>(editor.database() ? editor.database()->getLWUNITS() : 1)),
      m_extLineweight(std::make_unique<CLineWeightCtl>(editor.database() ? editor.database()->getLWUNITS() : 1)) {}

LinesPage::~LinesPage() = default;

void LinesPage::created() {
  ui::Dialog& page = *window();
  m_dimColor.attach(page, kDimColor);
  m_extColor.attach(page, kExtColor);
  m_dimLinetype->attach(page, kDimLinetype);
  m_ext1Linetype->attach(page, kExt1Linetype);
  m_ext2Linetype->attach(page, kExt2Linetype);
  m_dimLineweight->attach(page, kDimLineweight);
  m_extLineweight->attach(page, kExtLineweight);
  auto preview = [this](const auto&) { editor().requestPreviewUpdate(); };
  m_dimColor.onChanged(preview);
  m_extColor.onChanged(preview);
  m_dimLineweight->onChanged(preview);
  m_extLineweight->onChanged(preview);
  // The picker is modal over the editor; a linetype it loads joins every
  // list and the preview's drawing.
  for (CLineTypeCtl* list : {m_dimLinetype.get(), m_ext1Linetype.get(), m_ext2Linetype.get()}) {
    list->setOwnerWindow(editor().window(), StyleEditorDialog::kUmReloadLinetypes);
    list->onChanged(preview);
  }
}

void LinesPage::destroyed() {
  m_dimColor.detach();
  m_extColor.detach();
  m_dimLinetype->detach();
  m_ext1Linetype->detach();
  m_ext2Linetype->detach();
  m_dimLineweight->detach();
  m_extLineweight->detach();
}

void LinesPage::reloadLinetypes() {
  for (CLineTypeCtl* list : {m_dimLinetype.get(), m_ext1Linetype.get(), m_ext2Linetype.get()})
    list->setValue(list->value());
}

void LinesPage::load(const EditorSource& source) {
  m_dimLinetype->setValue(linetypeName(source, "DIMLTYPE"));
  m_ext1Linetype->setValue(linetypeName(source, "DIMLTEX1"));
  m_ext2Linetype->setValue(linetypeName(source, "DIMLTEX2"));
  m_dimColor.setValue(std::get<OdCmColor>(source.get("DIMCLRD")));
  m_extColor.setValue(std::get<OdCmColor>(source.get("DIMCLRE")));
  m_dimLineweight->setValue(lineweight(source, "DIMLWD"));
  m_extLineweight->setValue(lineweight(source, "DIMLWE"));

  setChecked(kSuppressDim1, source.flag("DIMSD1"));
  setChecked(kSuppressDim2, source.flag("DIMSD2"));
  setChecked(kSuppressExt1, source.flag("DIMSE1"));
  setChecked(kSuppressExt2, source.flag("DIMSE2"));
  setChecked(kFixedLength, source.flag("DIMFXLON"));
  loadNumber(kLength, source.number("DIMFXL"));
  loadNumber(kDimExtend, source.number("DIMDLE"));
  loadNumber(kBaseline, source.number("DIMDLI"));
  loadNumber(kExtBeyond, source.number("DIMEXE"));
  loadNumber(kOffset, source.number("DIMEXO"));

  const StyleEditorDialog& e = editor();
  const bool d = !source.flag("DIMSD1") && !source.flag("DIMSD2");
  const bool x = !source.flag("DIMSE1") && !source.flag("DIMSE2");
  const bool f = source.flag("DIMFXLON");
  const bool rl = e.notRadius() && e.notLeader();
  enable({kDimColor, kDimLineweight}, d && e.notOrdinate());
  enable({kDimLinetype}, d);
  enable({kDimExtend, kDimExtendSpin}, d && rl && e.notOrdinate());
  enable({kBaseline, kBaselineSpin}, rl);
  enable({kExtColor, kExtLineweight}, x && e.notLeader());
  enable({kExt1Linetype, kExt2Linetype}, x);
  enable({kExtBeyond, kExtBeyondSpin}, x && rl && e.notOrdinate());
  enable({kOffset, kOffsetSpin, kFixedLength}, x && rl);
  enable({kLength, kLengthSpin}, x && f && rl);
  enable({kSuppressDim1, kSuppressDim2}, e.notLeader() && e.notOrdinate());
  enable({kSuppressExt1}, e.notLeader());
  enable({kSuppressExt2}, rl);
}

void LinesPage::enableDimensionLines(bool shown) {
  const StyleEditorDialog& e = editor();
  enable({kDimColor, kDimLineweight}, shown && e.notOrdinate());
  enable({kDimLinetype}, shown);
  enable({kDimExtend, kDimExtendSpin}, shown && e.notRadius() && e.notOrdinate());
}

void LinesPage::enableExtensionLines(bool shown, bool fixedLength) {
  const StyleEditorDialog& e = editor();
  enable({kExtColor, kExt1Linetype, kExt2Linetype, kExtLineweight}, shown);
  enable({kExtBeyond, kExtBeyondSpin}, shown && e.notRadius() && e.notOrdinate());
  enable({kOffset, kOffsetSpin, kFixedLength}, shown && e.notRadius());
  enable({kLength, kLengthSpin}, shown && fixedLength && e.notRadius());
}

void LinesPage::command(int id, unsigned code) {
  if (code != ui::kCmdClicked) return;
  switch (id) {
    case kSuppressDim1:
    case kSuppressDim2:
      enableDimensionLines(!(isChecked(kSuppressDim1) && isChecked(kSuppressDim2)));
      break;
    case kSuppressExt1:
    case kSuppressExt2:
      enableExtensionLines(!(isChecked(kSuppressExt1) && isChecked(kSuppressExt2)), isChecked(kFixedLength));
      break;
    case kFixedLength:
      enable({kLength, kLengthSpin}, isChecked(kFixedLength) && editor().notRadius() && editor().notLeader());
      break;
    default:
      break;
  }
}

void LinesPage::store(EditorStore& out) const {
  out.put("DIMLTYPE", out.linetypeId(m_dimLinetype->value()));
  out.put("DIMLTEX1", out.linetypeId(m_ext1Linetype->value()));
  out.put("DIMLTEX2", out.linetypeId(m_ext2Linetype->value()));
  out.put("DIMCLRD", m_dimColor.value());
  out.put("DIMCLRE", m_extColor.value());
  out.put("DIMLWD", int(m_dimLineweight->value()));
  out.put("DIMLWE", int(m_extLineweight->value()));
  out.put("DIMFXLON", isChecked(kFixedLength));
  putNumber(out, "DIMFXL", kLength);
  out.put("DIMSD1", isChecked(kSuppressDim1));
  out.put("DIMSD2", isChecked(kSuppressDim2));
  out.put("DIMSE1", isChecked(kSuppressExt1));
  out.put("DIMSE2", isChecked(kSuppressExt2));
  putNumber(out, "DIMDLE", kDimExtend);
  putNumber(out, "DIMDLI", kBaseline);
  putNumber(out, "DIMEXE", kExtBeyond);
  putNumber(out, "DIMEXO", kOffset);
}

}  // namespace dds
