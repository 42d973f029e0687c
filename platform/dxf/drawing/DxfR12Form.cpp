#include "DxfR12Form.h"

#include <algorithm>
#include <cctype>

void DxfR12Losses::add(const std::string& what, std::size_t count) {
  if (count == 0) return;
  for (auto& [name, n] : m_counts)
    if (name == what) {
      n += count;
      return;
    }
  m_counts.emplace_back(what, count);
}

namespace {

// "1 true colour", "1 extension dictionary": the noun of a kind (its last
// word, or the word before a bracket) in the singular; record types
// ("MTEXT") stay as they are.
std::string counted(std::size_t count, std::string kind) {
  if (count == 1) {
    const std::size_t end = std::min(kind.find(" ("), kind.size());
    const std::size_t begin = kind.rfind(' ', end - 1) == std::string::npos ? 0 : kind.rfind(' ', end - 1) + 1;
    const std::string noun = kind.substr(begin, end - begin);
    std::string one = noun;
    if (noun.size() > 3 && noun.compare(noun.size() - 3, 3, "ies") == 0)
      one = noun.substr(0, noun.size() - 3) + "y";
    else if (noun.size() > 1 && noun.back() == 's' && std::islower(static_cast<unsigned char>(noun.front())))
      one.pop_back();
    kind.replace(begin, noun.size(), one);
  }
  return std::to_string(count) + " " + kind;
}

}  // namespace

std::string DxfR12Losses::note() const {
  if (m_counts.empty()) return {};
  std::string text = "Not kept in R12:";
  for (std::size_t i = 0; i < m_counts.size(); ++i)
    text += (i ? ", " : " ") + counted(m_counts[i].second, m_counts[i].first);
  return text;
}

bool dxfIsR12RecordType(std::string_view type) {
  static constexpr std::string_view kTypes[] = {
      "SECTION", "ENDSEC", "EOF",    "TABLE",  "ENDTAB",   "VPORT",  "LTYPE",    "LAYER",  "STYLE",
      "VIEW",    "UCS",    "APPID",  "DIMSTYLE", "BLOCK",  "ENDBLK", "LINE",     "POINT",  "CIRCLE",
      "ARC",     "TRACE",  "SOLID",  "TEXT",   "SHAPE",    "INSERT", "ATTDEF",   "ATTRIB", "POLYLINE",
      "VERTEX",  "SEQEND", "3DLINE", "3DFACE", "DIMENSION", "VIEWPORT"};
  return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

bool dxfIsR12HeaderVariable(std::string_view name) {
  static constexpr std::string_view kNames[] = {
      "$ACADVER",    "$ANGBASE",    "$ANGDIR",     "$ATTDIA",     "$ATTMODE",    "$ATTREQ",     "$AUNITS",
      "$AUPREC",     "$AXISMODE",   "$AXISUNIT",   "$BLIPMODE",   "$CECOLOR",    "$CELTYPE",    "$CHAMFERA",
      "$CHAMFERB",   "$CLAYER",     "$COORDS",     "$DIMALT",     "$DIMALTD",    "$DIMALTF",    "$DIMAPOST",
      "$DIMASO",     "$DIMASZ",     "$DIMBLK",     "$DIMBLK1",    "$DIMBLK2",    "$DIMCEN",     "$DIMCLRD",
      "$DIMCLRE",    "$DIMCLRT",    "$DIMDLE",     "$DIMDLI",     "$DIMEXE",     "$DIMEXO",     "$DIMGAP",
      "$DIMLFAC",    "$DIMLIM",     "$DIMPOST",    "$DIMRND",     "$DIMSAH",     "$DIMSCALE",   "$DIMSE1",
      "$DIMSE2",     "$DIMSHO",     "$DIMSOXD",    "$DIMSTYLE",   "$DIMTAD",     "$DIMTFAC",    "$DIMTIH",
      "$DIMTIX",     "$DIMTM",      "$DIMTOFL",    "$DIMTOH",     "$DIMTOL",     "$DIMTP",      "$DIMTSZ",
      "$DIMTVP",     "$DIMTXT",     "$DIMZIN",     "$DRAGMODE",   "$DWGCODEPAGE", "$ELEVATION", "$EXTMAX",
      "$EXTMIN",     "$FASTZOOM",   "$FILLETRAD",  "$FILLMODE",   "$GRIDMODE",   "$GRIDUNIT",   "$HANDLING",
      "$HANDSEED",   "$INSBASE",    "$LIMCHECK",   "$LIMMAX",     "$LIMMIN",     "$LTSCALE",    "$LUNITS",
      "$LUPREC",     "$MAXACTVP",   "$MENU",       "$MIRRTEXT",   "$ORTHOMODE",  "$OSMODE",     "$PDMODE",
      "$PDSIZE",     "$PELEVATION", "$PEXTMAX",    "$PEXTMIN",    "$PLIMCHECK",  "$PLIMMAX",    "$PLIMMIN",
      "$PLINEGEN",   "$PLINEWID",   "$PSLTSCALE",  "$PUCSNAME",   "$PUCSORG",    "$PUCSXDIR",   "$PUCSYDIR",
      "$QTEXTMODE",  "$REGENMODE",  "$SHADEDGE",   "$SHADEDIF",   "$SKETCHINC",  "$SKPOLY",     "$SNAPANG",
      "$SNAPBASE",   "$SNAPISOPAIR", "$SNAPMODE",  "$SNAPSTYLE",  "$SNAPUNIT",   "$SPLFRAME",   "$SPLINESEGS",
      "$SPLINETYPE", "$SURFTAB1",   "$SURFTAB2",   "$SURFTYPE",   "$SURFU",      "$SURFV",      "$TDCREATE",
      "$TDINDWG",    "$TDUPDATE",   "$TDUSRTIMER", "$TEXTSIZE",   "$TEXTSTYLE",  "$THICKNESS",  "$TILEMODE",
      "$TRACEWID",   "$UCSNAME",    "$UCSORG",     "$UCSXDIR",    "$UCSYDIR",    "$UNITMODE",   "$USERI1",
      "$USERI2",     "$USERI3",     "$USERI4",     "$USERI5",     "$USERR1",     "$USERR2",     "$USERR3",
      "$USERR4",     "$USERR5",     "$USRTIMER",   "$VIEWCTR",    "$VIEWDIR",    "$VIEWSIZE",   "$VISRETAIN",
      "$WORLDVIEW"};
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

namespace {

std::string_view typeOf(const std::vector<DxfTag>& record) {
  return record.empty() ? std::string_view() : record.front().trimmed();
}

// Whether `code` is one of R12's group codes outside extended data.
bool isR12Code(int code) {
  return (code >= 0 && code <= 79) || (code >= 140 && code <= 147) || (code >= 170 && code <= 178) ||
         (code >= 210 && code <= 239) || code == 999;
}

bool isDefaultLineweight(const DxfTag& t) {
  const std::string_view v = t.trimmed();
  return v == "-1" || v == "-2" || v == "-3";
}

}  // namespace

bool dxfIsInR12Form(DxfTagRange record) {
  bool first = true, dimStyle = false;
  for (const DxfTag& t : record) {
    if (first) {
      first = false;
      dimStyle = t.trimmed() == "DIMSTYLE";  // its 5 names an arrowhead, its 105 is its handle
      continue;
    }
    if (t.code >= 1000) break;  // extended data, which R12 has
    if (t.code == 5 && !dimStyle && t.trimmed().empty()) return false;
    if (!isR12Code(t.code) && !(dimStyle && t.code == 105)) return false;
  }
  return true;
}

void DxfR12Form::tag(const DxfTag& t) {
  if (t.code == 0 && !m_record.empty()) writeRecord();
  m_record.push_back(t);
}

void DxfR12Form::finish() {
  if (!m_record.empty()) writeRecord();
}

bool DxfR12Form::keeps(const DxfTag& t) const {
  if (t.code == 5 || t.code == 105) return m_handles && !t.trimmed().empty();
  return isR12Code(t.code);
}

void DxfR12Form::writeRecord() {
  const std::string_view type = typeOf(m_record);
  if (type == "LWPOLYLINE") {
    writeLwPolyline();
  } else if (!dxfIsR12RecordType(type)) {
    m_losses.add(std::string(type));
  } else {
    const bool tableHead = type == "TABLE";
    const bool dimStyle = type == "DIMSTYLE";  // its 5 is an arrowhead's name, its handle 105
    bool inXData = false;
    int braces = 0;  // inside a "102 {NAME ... 102 }" group of a later version
    for (const DxfTag& t : m_record) {
      inXData = inXData || t.code == 1001;
      if (inXData) {
        m_out.tag(t);
        continue;
      }
      if (t.code == 102) {
        const std::string_view v = t.trimmed();
        if (!v.empty() && v.front() == '{') {
          ++braces;
          if (v == "{ACAD_XDICTIONARY") m_losses.add("extension dictionaries");
        } else if (v == "}" && braces > 0) {
          --braces;
        }
        continue;
      }
      if (braces > 0) continue;
      if (t.code >= 420 && t.code <= 439) {
        if (t.code < 430) m_losses.add("true colours");
        continue;
      }
      if (t.code == 440) {
        m_losses.add("transparencies");
        continue;
      }
      if (t.code >= 370 && t.code <= 379) {
        if (!isDefaultLineweight(t)) m_losses.add("lineweights");
        continue;
      }
      if (tableHead && t.code != 0 && t.code != 2 && t.code != 5 && t.code != 70) continue;
      if (dimStyle && t.code == 5) {
        m_out.tag(t);
        continue;
      }
      if (keeps(t)) m_out.tag(t);
    }
  }
  m_record.clear();
}

// POLYLINE, a VERTEX per point, SEQEND: the R12 form of a light polyline.
void DxfR12Form::writeLwPolyline() {
  struct Vertex {
    const DxfTag* x = nullptr;
    const DxfTag *y = nullptr, *start = nullptr, *end = nullptr, *bulge = nullptr;
  };
  std::vector<Vertex> vertices;
  std::vector<const DxfTag*> common, xdata;
  const DxfTag *flags = nullptr, *width = nullptr, *elevation = nullptr, *handle = nullptr;
  const DxfTag* layer = nullptr;
  std::vector<const DxfTag*> extrusion;
  bool inXData = false;
  for (const DxfTag& t : m_record) {
    inXData = inXData || t.code == 1001;
    if (inXData) {
      xdata.push_back(&t);
      continue;
    }
    switch (t.code) {
      case 5: handle = &t; break;
      case 8: layer = &t, common.push_back(&t); break;
      case 6: case 62: case 67: case 48: case 60: case 39: common.push_back(&t); break;
      case 70: flags = &t; break;
      case 43: width = &t; break;
      case 38: elevation = &t; break;
      case 210: case 220: case 230: extrusion.push_back(&t); break;
      case 10: vertices.emplace_back().x = &t; break;
      case 20: if (!vertices.empty()) vertices.back().y = &t; break;
      case 40: if (!vertices.empty()) vertices.back().start = &t; break;
      case 41: if (!vertices.empty()) vertices.back().end = &t; break;
      case 42: if (!vertices.empty()) vertices.back().bulge = &t; break;
      case 420: case 421: m_losses.add("true colours"); break;
      case 370: if (!isDefaultLineweight(t)) m_losses.add("lineweights"); break;
      default: break;
    }
  }
  auto newHandle = [&] {
    if (m_handles) m_out.handle(5, m_nextHandle++);
  };
  m_out.text(0, "POLYLINE");
  if (m_handles && handle) m_out.tag(*handle);
  else newHandle();
  for (const DxfTag* t : common) m_out.tag(*t);
  m_out.integer(66, 1);
  m_out.real(10, 0.0);
  m_out.real(20, 0.0);
  if (elevation) m_out.text(30, elevation->value);
  else m_out.real(30, 0.0);
  std::int64_t bits = 0;
  if (flags) dxfParseInt(flags->trimmed(), bits);
  m_out.integer(70, bits & (1 | 128));  // closed, linetype generated along the whole line
  if (width) m_out.text(40, width->value), m_out.text(41, width->value);
  for (const DxfTag* t : extrusion) m_out.tag(*t);
  for (const DxfTag* t : xdata) m_out.tag(*t);
  auto layerTag = [&] {
    if (layer) m_out.tag(*layer);
    else m_out.text(8, "0");
  };
  for (const Vertex& v : vertices) {
    m_out.text(0, "VERTEX");
    newHandle();
    layerTag();
    m_out.text(10, v.x->value);
    if (v.y) m_out.text(20, v.y->value);
    else m_out.real(20, 0.0);
    if (elevation) m_out.text(30, elevation->value);
    else m_out.real(30, 0.0);
    if (v.start) m_out.tag(*v.start);
    if (v.end) m_out.tag(*v.end);
    if (v.bulge) m_out.tag(*v.bulge);
    m_out.integer(70, 0);
  }
  m_out.text(0, "SEQEND");
  newHandle();
  layerTag();
}
