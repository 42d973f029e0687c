#include "symbols_arrows_page.h"

#include <cmath>
#include <numbers>

#include "OdDmUtil.h"
#include "editor_store.h"
#include "page_symbols_template.h"
#include "style_editor_dialog.h"

namespace dds {
namespace {

using namespace res::symbols;

double wholeDegrees(double degrees) { return std::floor(degrees + 0.5); }

}  // namespace

SymbolsArrowsPage::SymbolsArrowsPage(StyleEditorDialog& editor)
    : EditorPage(editor), m_first(editor.database()), m_second(editor.database()), m_leader(editor.database()) {}

void SymbolsArrowsPage::created() {
  ui::Dialog& page = *window();
  m_first.attach(page, kFirstArrow);
  m_second.attach(page, kSecondArrow);
  m_leader.attach(page, kLeaderArrow);
  // A new first arrowhead is taken for the second one too.
  m_first.onChanged([this](const OdString& name) {
    m_second.setValue(name);
    editor().requestPreviewUpdate();
  });
  m_second.onChanged([this](const OdString&) { editor().requestPreviewUpdate(); });
  m_leader.onChanged([this](const OdString&) { editor().requestPreviewUpdate(); });
}

void SymbolsArrowsPage::destroyed() {
  m_first.detach();
  m_second.detach();
  m_leader.detach();
}

void SymbolsArrowsPage::load(const EditorSource& source) {
  const StyleEditorDialog& e = editor();
  // The style's own DIMSAH says which arrowheads its dimensions read.
  m_loaded.separate = source.flag("DIMSAH");
  m_loaded.blkId = std::get<OdDbObjectId>(source.get("DIMBLK"));
  m_loaded.blk1Id = std::get<OdDbObjectId>(source.get("DIMBLK1"));
  m_loaded.blk2Id = std::get<OdDbObjectId>(source.get("DIMBLK2"));
  m_loaded.blk = OdDmUtil::arrowName(m_loaded.blkId);
  m_loaded.blk1 = OdDmUtil::arrowName(m_loaded.blk1Id);
  m_loaded.blk2 = OdDmUtil::arrowName(m_loaded.blk2Id);
  m_first.setValue(m_loaded.separate ? m_loaded.blk1 : m_loaded.blk);
  m_second.setValue(m_loaded.separate ? m_loaded.blk2 : m_loaded.blk);
  m_loaded.first = m_first.value();
  m_loaded.second = m_second.value();
  m_loaded.leaderId = std::get<OdDbObjectId>(source.get("DIMLDRBLK"));
  m_leader.setValue(OdDmUtil::arrowName(m_loaded.leaderId));
  loadNumber(kArrowSize, source.number("DIMASZ"));
  enable({kFirstArrow}, e.notRadius() && e.notLeader() && e.notOrdinate());
  enable({kSecondArrow}, e.notLeader() && e.notOrdinate());
  enable({kLeaderArrow}, e.notRadius() && e.notOrdinate());

  const double cen = source.number("DIMCEN");
  setChecked(kMarkNone, cen == 0);
  setChecked(kMarkMark, cen > 0);
  setChecked(kMarkLine, cen < 0);
  loadNumber(kMarkSize, std::fabs(cen));
  enable({kMarkSize}, cen != 0 && e.notLeader() && e.notOrdinate());
  enable({kMarkSizeSpin}, e.notLeader() && e.notOrdinate());

  const int arcSymbol = std::get<int>(source.get("DIMARCSYM"));
  setChecked(kArcPreceding, arcSymbol == 0);
  setChecked(kArcAbove, arcSymbol == 1);
  setChecked(kArcNone, arcSymbol == 2);

  // The field shows whole degrees; untouched, it keeps the angle exactly.
  const double jog = source.number("DIMJOGANG");
  loadNumber(kJogAngle, wholeDegrees(jog * 180.0 / std::numbers::pi), jog);
}

void SymbolsArrowsPage::command(int id, unsigned code) {
  if (code != ui::kCmdClicked) return;
  const bool marks = editor().notLeader() && editor().notOrdinate();
  if (id == kMarkNone) enable({kMarkSize, kMarkSizeSpin}, false);
  if (id == kMarkMark || id == kMarkLine) enable({kMarkSize, kMarkSizeSpin}, marks);
}

void SymbolsArrowsPage::storeArrowheads(EditorStore& out) const {
  const OdString& a = m_first.value();
  const OdString& b = m_second.value();
  if (a == m_loaded.first && b == m_loaded.second) {
    // Untouched lists give back every arrowhead variable as it was, also
    // those the lists do not show; the preview's drawing takes them by name.
    const bool source = out.database() == editor().database();
    out.put("DIMSAH", m_loaded.separate);
    out.put("DIMBLK1", source ? m_loaded.blk1Id : out.arrowId(m_loaded.blk1));
    out.put("DIMBLK2", source ? m_loaded.blk2Id : out.arrowId(m_loaded.blk2));
    out.put("DIMBLK", source ? m_loaded.blkId : out.arrowId(m_loaded.blk));
  } else if (a != b) {
    out.put("DIMSAH", true);
    out.put("DIMBLK1", out.arrowId(a));
    out.put("DIMBLK2", out.arrowId(b));
    if (a.empty() || b.empty()) out.put("DIMBLK", OdDbObjectId());
  } else if (m_loaded.separate) {
    out.put("DIMBLK1", out.arrowId(a));
    out.put("DIMBLK2", out.arrowId(a));
  } else {
    // Separate arrowheads chosen and taken back in this session may have
    // reached the preview's copy: one arrowhead means DIMSAH off again
    // (the style's own value, so the drawing sees no change).
    out.put("DIMSAH", false);
    out.put("DIMBLK", out.arrowId(a));
  }
}

void SymbolsArrowsPage::store(EditorStore& out) const {
  putNumber(out, "DIMASZ", kArrowSize);
  storeArrowheads(out);
  const bool leaderUntouched = out.database() == editor().database() &&
                               m_leader.value() == OdDmUtil::arrowName(m_loaded.leaderId);
  out.put("DIMLDRBLK", leaderUntouched ? m_loaded.leaderId : out.arrowId(m_leader.value()));
  if (isChecked(kMarkNone)) {
    out.put("DIMCEN", 0.0);
  } else if (const std::optional<double> size = fieldValue(out, kMarkSize)) {
    out.put("DIMCEN", isChecked(kMarkLine) ? -std::fabs(*size) : *size);
  }
  out.put("DIMARCSYM", isChecked(kArcAbove) ? 1 : isChecked(kArcNone) ? 2 : 0);
  if (const std::optional<double> jog = untouchedValue(kJogAngle)) {
    out.put("DIMJOGANG", *jog);
  } else if (const std::optional<double> degrees = typedNumber(out, kJogAngle)) {
    out.put("DIMJOGANG", wholeDegrees(*degrees) * std::numbers::pi / 180.0);
  }
}

}  // namespace dds
