#include "DxfActiveViewport.h"

#include <cmath>

#include "OdStringUtil.h"

namespace {

// The drawing's value for a tag of the entry; nothing for tags it does not
// model.
std::optional<double> modelled(int code, const OdDbHeaderVars& vars) {
  switch (code) {
    case 75: return vars.snapmode;
    case 76: return vars.gridmode;
    case 14: return vars.snapunit[0];
    case 24: return vars.snapunit[1];
    case 15: return vars.gridunit[0];
    case 25: return vars.gridunit[1];
  }
  return std::nullopt;
}

bool differs(const DxfTag& t, const OdDbHeaderVars& vars) {
  const std::optional<double> v = modelled(t.code, vars);
  if (!v) return false;
  if (t.code == 75 || t.code == 76) return (t.toInt() != 0) != (*v != 0);
  const double read = t.toDouble();
  // A spacing the reader did not take (none, not a number) stays as it was.
  if (!(read > 0 && std::isfinite(read))) return false;
  return read != *v;
}

}  // namespace

std::optional<std::size_t> dxfActiveViewport(const DxfDrawingSource& src) {
  const DxfTable* table = src.doc.table("VPORT");
  if (!table) return std::nullopt;
  for (std::size_t i = table->head + 1; i < table->endTab; ++i)
    for (const DxfTag& t : src.tags(i))
      if (t.code == 2) {
        if (qrv::equalNoCase(t.trimmed(), "*ACTIVE")) return i;
        break;
      }
  return std::nullopt;
}

void dxfReadActiveViewport(const DxfTagRange& tags, OdDbHeaderVars& vars) {
  for (const DxfTag& t : tags) {
    switch (t.code) {
      case 75: vars.snapmode = t.toInt() != 0; break;
      case 76: vars.gridmode = t.toInt() != 0; break;
      case 14: case 24: case 15: case 25: {
        const double v = t.toDouble();
        if (!(v > 0 && std::isfinite(v))) break;
        double* unit = t.code == 14 || t.code == 24 ? vars.snapunit : vars.gridunit;
        unit[t.code >= 20] = v;
        break;
      }
    }
  }
}

bool dxfWriteActiveViewportTag(DxfWriter& w, const DxfTag& tag, const OdDbHeaderVars& vars) {
  if (!differs(tag, vars)) return false;
  const double v = *modelled(tag.code, vars);
  if (tag.code == 75 || tag.code == 76)
    w.integer(tag.code, v != 0 ? 1 : 0);
  else
    w.real(tag.code, v);
  return true;
}

bool dxfActiveViewportChanged(const DxfTagRange& tags, const OdDbHeaderVars& vars) {
  for (const DxfTag& t : tags)
    if (differs(t, vars)) return true;
  return false;
}
