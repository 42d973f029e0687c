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

OdString arrowName(const EditorSource& source, const char* var) {
  return OdDmUtil::arrowName(std::get<OdDbObjectId>(source.get(var)));
}

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
  if (source.drawingDimsah) {
    m_first.setValue(arrowName(source, "DIMBLK1"));
    m_second.setValue(arrowName(source, "DIMBLK2"));
  } else {
    m_first.setValue(arrowName(source, "DIMBLK"));
    m_second.setValue(arrowName(source, "DIMBLK"));
  }
  m_leader.setValue(arrowName(source, "DIMLDRBLK"));
  setNumber(kArrowSize, source.number("DIMASZ"));
  enable({kFirstArrow}, e.notRadius() && e.notLeader() && e.notOrdinate());
  enable({kSecondArrow}, e.notLeader() && e.notOrdinate());
  enable({kLeaderArrow}, e.notRadius() && e.notOrdinate());

  const double cen = source.number("DIMCEN");
  setChecked(kMarkNone, cen == 0);
  setChecked(kMarkMark, cen > 0);
  setChecked(kMarkLine, cen < 0);
  setNumber(kMarkSize, std::fabs(cen));
  enable({kMarkSize}, cen != 0 && e.notLeader() && e.notOrdinate());
  enable({kMarkSizeSpin}, e.notLeader() && e.notOrdinate());

  const int arcSymbol = std::get<int>(source.get("DIMARCSYM"));
  setChecked(kArcPreceding, arcSymbol == 0);
  setChecked(kArcAbove, arcSymbol == 1);
  setChecked(kArcNone, arcSymbol == 2);

  setNumber(kJogAngle, wholeDegrees(source.number("DIMJOGANG") * 180.0 / std::numbers::pi));
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
  if (a != b) {
    out.put("DIMSAH", true);
    out.put("DIMBLK1", out.arrowId(a));
    out.put("DIMBLK2", out.arrowId(b));
    if (a.empty() || b.empty()) out.put("DIMBLK", OdDbObjectId());
  } else if (out.drawingDimsah()) {
    out.put("DIMBLK1", out.arrowId(a));
    out.put("DIMBLK2", out.arrowId(a));
  } else {
    out.put("DIMBLK", out.arrowId(a));
  }
}

void SymbolsArrowsPage::store(EditorStore& out) const {
  out.put("DIMASZ", number(kArrowSize));
  storeArrowheads(out);
  out.put("DIMLDRBLK", out.arrowId(m_leader.value()));
  double cen = 0.0;
  if (!isChecked(kMarkNone)) {
    cen = number(kMarkSize);
    if (isChecked(kMarkLine)) cen = -std::fabs(cen);
  }
  out.put("DIMCEN", cen);
  out.put("DIMARCSYM", isChecked(kArcAbove) ? 1 : isChecked(kArcNone) ? 2 : 0);
  out.put("DIMJOGANG", wholeDegrees(number(kJogAngle)) * std::numbers::pi / 180.0);
}

}  // namespace dds
