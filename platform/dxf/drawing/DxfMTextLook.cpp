#include "DxfMTextLook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string_view>

#include "DxfTagNumbers.h"

namespace {

using dxftag::integer;
using dxftag::number;

OdDbMTextLook::Columns columnType(int v) {
  if (v == 1) return OdDbMTextLook::Columns::kStatic;
  if (v == 2) return OdDbMTextLook::Columns::kDynamic;
  return OdDbMTextLook::Columns::kNone;
}

// The column values of the extended data: "ACAD_MTEXT_COLUMN_INFO_BEGIN",
// then pairs of a 1070 naming the value and the value (the heights after
// "50" are a count and that many 1040), up to "..._END";
// "ACAD_MTEXT_COLUMNS_BEGIN" with 47, the count and the handles (1005) of
// the records holding the further columns; "ACAD_MTEXT_DEFINED_HEIGHT_BEGIN"
// with 46 and the height; "ACAD_MTEXT_TEXT_BORDERS_BEGIN": the frames are
// entities of their own.
void readExtendedColumns(std::span<const DxfTag> tags, std::size_t from, OdDbMTextLook& look, bool& haveColumns,
                         bool& ownBorders, std::vector<std::uint64_t>& linked) {
  bool acad = false;
  std::string_view section;
  int name = 0;  // the value the next tag holds
  int heights = 0;
  for (std::size_t i = from; i < tags.size(); ++i) {
    const DxfTag& t = tags[i];
    if (t.code == 1001) {
      acad = t.trimmed() == "ACAD";
      section = {};
      continue;
    }
    if (!acad) continue;
    if (t.code == 1000) {
      const std::string_view v = t.trimmed();
      section = v.ends_with("_BEGIN") ? v.substr(0, v.size() - 6) : std::string_view();
      if (section == "ACAD_MTEXT_TEXT_BORDERS") ownBorders = true;
      name = 0;
      continue;
    }
    if (section == "ACAD_MTEXT_COLUMNS") {
      if (t.code == 1005) {
        std::uint64_t h = 0;
        if (dxfParseHandle(t.trimmed(), h) && h != 0) linked.push_back(h);
      }
      continue;
    }
    if (section == "ACAD_MTEXT_DEFINED_HEIGHT") {
      if (t.code == 1040) look.columnHeight = std::max(0.0, number(t));
      continue;
    }
    if (section != "ACAD_MTEXT_COLUMN_INFO") continue;
    if (heights > 0 && t.code == 1040) {
      look.columnHeights.push_back(number(t));
      --heights;
      continue;
    }
    if (name == 0) {
      if (t.code == 1070) name = integer(t);
      continue;
    }
    haveColumns = true;
    switch (name) {
      case 75: look.columns = columnType(integer(t)); break;
      case 76: look.columnCount = integer(t); break;
      case 78: look.reversedFlow = integer(t) != 0; break;
      case 48: look.columnWidth = number(t); break;
      case 49: look.gutter = number(t); break;
      case 50: heights = std::clamp(integer(t), 0, 1000); break;
      default: break;
    }
    name = 0;
  }
}

}  // namespace

DxfMTextLookRead dxfReadMTextLook(std::span<const DxfTag> tags) {
  DxfMTextLookRead out;
  auto look = std::make_shared<OdDbMTextLook>();
  bool inText = false, embedded = false, inGroup = false, haveColumns = false, ownBorders = false;
  bool trueFill = false, inEntity = false;
  std::size_t xdata = tags.size();
  for (std::size_t i = 1; i < tags.size(); ++i) {
    const DxfTag& t = tags[i];
    if (t.code >= 1000) {
      xdata = i;
      break;
    }
    if (t.code == 102) {
      inGroup = t.trimmed().starts_with("{");
      continue;
    }
    if (inGroup) continue;
    if (t.code == 100) {
      inText = t.trimmed() == "AcDbMText";
      inEntity = t.trimmed() == "AcDbEntity";
      continue;
    }
    if (inEntity && t.code == 440) look->opacity = dxftag::opacity(t);
    if (t.code == 101) {
      embedded = true;
      continue;
    }
    if (embedded) {
      // The embedded object repeats codes of the record with its own
      // meanings: these are the columns.
      switch (t.code) {
        case 71: look->columns = columnType(integer(t)); haveColumns = true; break;
        case 72: look->columnCount = integer(t); break;
        case 44: look->columnWidth = number(t); break;
        case 45: look->gutter = number(t); break;
        case 41: look->columnHeight = std::max(0.0, number(t)); break;
        case 74: look->reversedFlow = integer(t) != 0; break;
        case 46: look->columnHeights.push_back(number(t)); break;
        default: break;
      }
      continue;
    }
    if (!inText) continue;
    switch (t.code) {
      case 44: look->lineSpacingFactor = number(t, 1.0); break;
      case 73: look->exactSpacing = integer(t) == 2; break;
      case 90: look->background = integer(t); break;
      case 63:
        if (!trueFill) look->fillColor = OdCmColor::fromIndex(OdInt16(std::clamp(integer(t), 0, 257)));
        break;
      case 421: {
        const auto v = std::uint32_t(integer(t));
        look->fillColor = OdCmColor::fromRGB(OdUInt8(v >> 16), OdUInt8(v >> 8), OdUInt8(v));
        trueFill = true;
        break;
      }
      case 45: look->fillScale = number(t, 1.5); break;
      case 441: look->fillOpacity = dxftag::opacity(t); break;
      case 46: look->columnHeight = std::max(0.0, number(t)); break;
      case 75: look->columns = columnType(integer(t)); haveColumns = true; break;
      case 76: look->columnCount = integer(t); break;
      case 78: look->reversedFlow = integer(t) != 0; break;
      case 48: look->columnWidth = number(t); break;
      case 49: look->gutter = number(t); break;
      default: break;
    }
  }
  if (!embedded) readExtendedColumns(tags, xdata, *look, haveColumns, ownBorders, out.linkedColumns);
  // The frames an older file draws as entities of their own are not drawn twice.
  if (ownBorders) look->background &= ~OdDbMTextLook::kFrame;
  if (!haveColumns) look->columns = OdDbMTextLook::Columns::kNone;
  // A height that is not a number or not positive: the column takes the rest.
  for (double& h : look->columnHeights)
    if (!(h > 0)) h = 0;
  look->columnCount = std::clamp(look->columnCount, 0, 1000);
  if (!(look->lineSpacingFactor > 0)) look->lineSpacingFactor = 1.0;
  if (!(look->fillScale >= 1)) look->fillScale = 1.0;
  if (!(look->columnWidth > 0)) look->columnWidth = 0;
  if (!(look->gutter >= 0)) look->gutter = 0;
  const OdDbMTextLook plain;
  if (look->columns == plain.columns && look->lineSpacingFactor == plain.lineSpacingFactor &&
      look->exactSpacing == plain.exactSpacing && look->opacity == plain.opacity &&
      (look->background & (OdDbMTextLook::kFill |
                                                                       OdDbMTextLook::kDrawingBackground |
                                                                       OdDbMTextLook::kFrame)) == 0)
    return out;
  out.look = std::move(look);
  return out;
}

OdDbMTextLookPtr dxfLinkedColumnLook(const OdDbMTextLook& first) {
  auto look = std::make_shared<OdDbMTextLook>(first);
  look->columns = OdDbMTextLook::Columns::kStatic;
  look->columnCount = 1;
  look->columnHeights.clear();
  return look;
}
