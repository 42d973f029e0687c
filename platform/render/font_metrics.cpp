#include "font_metrics.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <filesystem>
#include <deque>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "OdStringUtil.h"

namespace render {
namespace {

constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr const char* kFallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// Without any loadable font every character is taken this wide per unit of
// cap height: about the mean advance of a sans face.
constexpr double kEstimatedAdvance = 0.85;

std::string lower(std::string_view s) { return qrv::foldCase(s); }

std::string stemOf(std::string_view fileName) {
  std::string name = std::filesystem::path(std::string(fileName)).filename().string();
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string extensionOf(std::string_view fileName) {
  std::string name = std::filesystem::path(std::string(fileName)).filename().string();
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : lower(name.substr(dot + 1));
}

struct Face {
  FontInfo info;
  FT_Face face = nullptr;
  std::unordered_map<char32_t, double> advances;  // in ems
};

// Collects an outline's contours, curves cut into short straight pieces.
struct OutlineSink {
  std::vector<std::vector<Point2>>* contours;
  double scale, dx;
  Point2 last;
  Point2 at(const FT_Vector* v) const { return {dx + v->x * scale, v->y * scale}; }
  void add(Point2 p) {
    contours->back().push_back(p);
    last = p;
  }
  static int moveTo(const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    s->contours->emplace_back();
    s->add(s->at(to));
    return 0;
  }
  static int lineTo(const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    s->add(s->at(to));
    return 0;
  }
  static int conicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    const Point2 p0 = s->last, p1 = s->at(c), p2 = s->at(to);
    for (int i = 1; i <= 6; ++i) {
      const double t = i / 6.0, u = 1 - t;
      s->add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    return 0;
  }
  static int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    const Point2 p0 = s->last, p1 = s->at(c1), p2 = s->at(c2), p3 = s->at(to);
    for (int i = 1; i <= 8; ++i) {
      const double t = i / 8.0, u = 1 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      s->add({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    return 0;
  }
};

}  // namespace

struct FontMetrics::Impl {
  std::mutex mutex;
  FT_Library library = nullptr;
  // Our own configuration, so that the process-wide one is neither created
  // nor torn down by us.
  FcConfig* config = nullptr;
  std::deque<Face> faces;  // references stay valid as fallback faces are added
  std::map<std::string, int> byKey;
  // For characters a face lacks (such as the arc length symbol in DejaVu
  // Sans): the installed face fontconfig finds for them, or -1.
  std::unordered_map<char32_t, int> fallbackForChar;

  Impl() {
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
    config = FcInitLoadConfigAndFonts();
  }
  ~Impl() {
    for (Face& f : faces)
      if (f.face) FT_Done_Face(f.face);
    if (library) FT_Done_FreeType(library);
    if (config) FcConfigDestroy(config);
  }

  // The installed file whose name is exactly fileName (any letter case).
  std::string fileNamed(std::string_view fileName) {
    if (!config) return {};
    const std::string wanted = lower(std::filesystem::path(std::string(fileName)).filename().string());
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    std::string found;
    for (int i = 0; set && i < set->nfont && found.empty(); ++i) {
      FcChar8* file = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
      const std::string path = reinterpret_cast<const char*>(file);
      if (lower(std::filesystem::path(path).filename().string()) == wanted) found = path;
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
  }

  // fontconfig's best match for a family, with the family it really is.
  std::pair<std::string, std::string> match(const std::string& family) {
    if (!config) return {};
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
    if (!pattern) return {};
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* best = FcFontMatch(config, pattern, &result);
    std::pair<std::string, std::string> out;
    if (best) {
      FcChar8* file = nullptr;
      FcChar8* fam = nullptr;
      if (FcPatternGetString(best, FC_FILE, 0, &file) == FcResultMatch) out.first = reinterpret_cast<char*>(file);
      if (FcPatternGetString(best, FC_FAMILY, 0, &fam) == FcResultMatch) out.second = reinterpret_cast<char*>(fam);
      FcPatternDestroy(best);
    }
    FcPatternDestroy(pattern);
    return out;
  }

  bool load(Face& f, const std::string& path) {
    if (!library || path.empty()) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return false;
    f.face = face;
    f.info.path = path;
    if (face->family_name && f.info.family.empty()) f.info.family = face->family_name;
    // The cap height from the OS/2 table when the font records it, else
    // from the outline of "H".
    double cap = 0.0;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
      if (os2->version >= 2 && os2->sCapHeight > 0) cap = double(os2->sCapHeight) / face->units_per_EM;
    if (cap <= 0.0 && face->units_per_EM > 0 &&
        FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0)
      cap = double(face->glyph->metrics.height) / face->units_per_EM;
    if (cap > 0.1 && cap < 1.5) f.info.capHeightPerEm = cap;
    if (face->units_per_EM > 0) {
      const double descent = -double(face->descender) / face->units_per_EM;
      if (descent > 0.0 && descent < 1.0) f.info.descentPerEm = descent;
    }
    return true;
  }

  int create(std::string_view fileName, std::string_view typeface) {
    Face f;
    const std::string family = requestedFamily(fileName, typeface);
    const std::string ext = extensionOf(fileName);
    std::string path;
    if (typeface.empty() && (ext == "ttf" || ext == "otf" || ext == "ttc")) path = fileNamed(fileName);
    if (path.empty() && !family.empty()) {
      auto [file, matched] = match(family);
      path = file;
      f.info.family = matched;
      f.info.substituted = lower(matched) != lower(family);
    }
    if (path.empty() || !load(f, path)) {
      f = Face();
      f.info.family = kFallbackFamily;
      f.info.substituted = !family.empty() && lower(family) != lower(kFallbackFamily);
      auto [file, matched] = match(kFallbackFamily);
      if (!load(f, file)) load(f, kFallbackFile);
    }
    faces.push_back(std::move(f));
    return int(faces.size()) - 1;
  }

  int fallbackFace(char32_t cp) {
    auto it = fallbackForChar.find(cp);
    if (it != fallbackForChar.end()) return it->second;
    int index = -1;
    if (config) {
      FcPattern* pattern = FcPatternCreate();
      FcCharSet* chars = FcCharSetCreate();
      FcCharSetAddChar(chars, FcChar32(cp));
      FcPatternAddCharSet(pattern, FC_CHARSET, chars);
      FcConfigSubstitute(config, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      if (FcPattern* best = FcFontMatch(config, pattern, &result)) {
        FcChar8* file = nullptr;
        Face f;
        if (FcPatternGetString(best, FC_FILE, 0, &file) == FcResultMatch &&
            load(f, reinterpret_cast<const char*>(file)) && FT_Get_Char_Index(f.face, cp) != 0) {
          faces.push_back(std::move(f));
          index = int(faces.size()) - 1;
        }
        FcPatternDestroy(best);
      }
      FcCharSetDestroy(chars);
      FcPatternDestroy(pattern);
    }
    fallbackForChar.emplace(cp, index);
    return index;
  }

  // The face and glyph that draw cp: the face's own, another installed
  // face's, or the face's "?" when no installed font has the character.
  std::pair<Face*, FT_UInt> glyphFor(Face& f, char32_t cp) {
    if (!f.face) return {&f, 0};
    if (FT_UInt g = FT_Get_Char_Index(f.face, cp)) return {&f, g};
    if (cp >= 0x80) {
      const int fb = fallbackFace(cp);
      if (fb >= 0) return {&faces[fb], FT_Get_Char_Index(faces[fb].face, cp)};
    }
    return {&f, FT_Get_Char_Index(f.face, U'?')};
  }

  double advanceEm(Face& f, char32_t cp) {
    auto it = f.advances.find(cp);
    if (it != f.advances.end()) return it->second;
    double adv = kEstimatedAdvance * f.info.capHeightPerEm;
    if (f.face && f.face->units_per_EM > 0) {
      auto [g, glyph] = glyphFor(f, cp);
      if (g->face->units_per_EM > 0 && FT_Load_Glyph(g->face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0)
        adv = double(g->face->glyph->metrics.horiAdvance) / g->face->units_per_EM;
    }
    f.advances.emplace(cp, adv);
    return adv;
  }
};

FontMetrics::FontMetrics() : m_impl(std::make_unique<Impl>()) {}
FontMetrics::~FontMetrics() = default;

FontMetrics& FontMetrics::shared() {
  static FontMetrics instance;
  return instance;
}

std::string FontMetrics::requestedFamily(std::string_view fileName, std::string_view typeface) {
  if (!typeface.empty()) return std::string(typeface);
  const std::string ext = extensionOf(fileName);
  const std::string stem = lower(stemOf(fileName));
  if (ext == "ttf" || ext == "otf" || ext == "ttc") return stemOf(fileName);
  // Stroke (shape) fonts have no outlines to measure: the monospaced one
  // maps to a monospaced face, every other to the sans face.
  if (stem == "monotxt") return "DejaVu Sans Mono";
  return kFallbackFamily;
}

int FontMetrics::fontFor(std::string_view fileName, std::string_view typeface) {
  const std::string key = lower(fileName) + '\n' + lower(typeface);
  std::lock_guard lock(m_impl->mutex);
  auto it = m_impl->byKey.find(key);
  if (it != m_impl->byKey.end()) return it->second;
  const int id = m_impl->create(fileName, typeface);
  m_impl->byKey.emplace(key, id);
  return id;
}

FontInfo FontMetrics::info(int font) const {
  std::lock_guard lock(m_impl->mutex);
  if (font < 0 || font >= int(m_impl->faces.size())) return FontInfo{kFallbackFamily, {}, true, 0.729};
  return m_impl->faces[font].info;
}

double FontMetrics::textWidth(int font, std::string_view utf8) {
  std::lock_guard lock(m_impl->mutex);
  if (font < 0 || font >= int(m_impl->faces.size())) return kEstimatedAdvance * double(qrv::codePointCount(utf8));
  Face& f = m_impl->faces[font];
  double ems = 0.0;
  for (std::size_t i = 0; i < utf8.size();) ems += m_impl->advanceEm(f, qrv::decodeUtf8(utf8, i));
  return ems / f.info.capHeightPerEm;
}

std::vector<std::vector<Point2>> FontMetrics::outlines(int font, std::string_view utf8, double& advanceEm) {
  std::lock_guard lock(m_impl->mutex);
  std::vector<std::vector<Point2>> contours;
  advanceEm = 0.0;
  if (font < 0 || font >= int(m_impl->faces.size())) return contours;
  Face& f = m_impl->faces[font];
  if (!f.face || f.face->units_per_EM == 0) return contours;
  FT_Outline_Funcs funcs{};
  funcs.move_to = &OutlineSink::moveTo;
  funcs.line_to = &OutlineSink::lineTo;
  funcs.conic_to = &OutlineSink::conicTo;
  funcs.cubic_to = &OutlineSink::cubicTo;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = qrv::decodeUtf8(utf8, i);
    auto [g, glyph] = m_impl->glyphFor(f, cp);
    if (g->face->units_per_EM > 0 &&
        FT_Load_Glyph(g->face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
        g->face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      OutlineSink sink{&contours, 1.0 / g->face->units_per_EM, advanceEm, {}};
      FT_Outline_Decompose(&g->face->glyph->outline, &funcs, &sink);
    }
    advanceEm += m_impl->advanceEm(f, cp);
  }
  return contours;
}

}  // namespace render
