// The words for what a picture left out: the kinds of entities the
// renderer does not draw, as a drafter calls them.
#include <algorithm>
#include <iterator>
#include <string_view>

#include "renderer.h"

namespace render {

namespace {

struct KindWords {
  std::string_view type;
  const char* en;
  const char* ru;
};

// The kinds most often met in drawings; any other is named as its file
// names it.
constexpr KindWords kWords[] = {
    {"3DSOLID", "ACIS solids", "тела ACIS"},
    {"BODY", "ACIS bodies", "тела ACIS"},
    {"REGION", "regions", "области"},
    {"HATCH", "hatches", "штриховки"},
    {"POLYLINE", "polylines (2D, 3D, meshes)", "полилинии (2D, 3D, сети)"},
    {"ATTDEF", "attribute definitions", "определения атрибутов"},
    {"ATTRIB", "attributes", "атрибуты"},
    {"MULTILEADER", "multileaders", "мультивыноски"},
    {"MLINE", "multilines", "мультилинии"},
    {"IMAGE", "images", "изображения"},
    {kImageFileNotShown, "pictures of images (file not found or not readable; the frame is drawn)",
     "растровые изображения (файл не найден или не читается; нарисована рамка)"},
    {"WIPEOUT", "wipeouts", "маскировки"},
    {"VIEWPORT", "viewports", "видовые экраны"},
    {kViewportBoundaryNotUsed, "viewport clip boundaries (no closed outline; the rectangle is used)",
     "контуры подрезки видовых экранов (нет замкнутого контура; использован прямоугольник)"},
    {"ACAD_TABLE", "tables", "таблицы"},
    {"TOLERANCE", "tolerance frames", "допуски формы"},
    {"MESH", "meshes", "сети"},
    {"OLE2FRAME", "OLE objects", "объекты OLE"},
    {"ACAD_PROXY_ENTITY", "proxy entities", "прокси-объекты"},
};

}  // namespace

std::string notDrawnText(const std::map<std::string, int>& notDrawn, bool russian) {
  std::string out;
  for (const auto& [type, count] : notDrawn) {
    if (!out.empty()) out += ", ";
    // "hatches (2)": the count after the kind reads right for one and for
    // many, in either language.
    const auto* words = std::find_if(std::begin(kWords), std::end(kWords),
                                     [&](const KindWords& w) { return w.type == type; });
    out += words != std::end(kWords) ? (russian ? words->ru : words->en) : type;
    out += " (" + std::to_string(count) + ")";
  }
  return out;
}

}  // namespace render
