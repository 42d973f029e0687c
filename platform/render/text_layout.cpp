#include "text_layout.h"

#include <algorithm>
#include <cstdlib>

#include "font_metrics.h"
#include "OdStringUtil.h"

namespace render {
namespace {

// Stacked fractions are drawn smaller than the text around them; tolerance
// pairs take the height in force (dimension text sets it with "\H").
constexpr double kFractionScale = 0.7;
// Baseline of the upper part above that of the lower, per part height.
constexpr double kStackPitch = 1.25;

struct Style {
  double height = 0;
  int align = 1;  // stack alignment
};

struct Item {
  bool stack = false;
  char kind = 0;          // '/', '#', '^'
  std::string text;       // text run, or the upper part
  std::string lower;      // lower part of a stack
  double height = 0;
  int align = 1;
};

struct Line {
  std::vector<Item> items;
};

bool startsWith(std::string_view s, std::size_t i, std::string_view what) {
  return s.substr(i, what.size()) == what;
}

// Reads a symbol code at s[i] ("%%c", ...), appending its character.
bool readSymbol(std::string_view s, std::size_t& i, std::string& out) {
  if (!startsWith(s, i, "%%") || i + 2 >= s.size()) return false;
  switch (s[i + 2]) {
    case 'c': case 'C': qrv::appendUtf8(out, U'\u2300'); break;
    case 'd': case 'D': qrv::appendUtf8(out, U'\u00B0'); break;
    case 'p': case 'P': qrv::appendUtf8(out, U'\u00B1'); break;
    case '%': out += '%'; break;
    // Underline and overline switches: the lines are not drawn, and the
    // codes never show as text.
    case 'u': case 'U': case 'o': case 'O': break;
    default: {
      // "%%nnn": the character of that code (three digits at most).
      std::size_t end = i + 2;
      char32_t code = 0;
      while (end < s.size() && end < i + 5 && s[end] >= '0' && s[end] <= '9') code = code * 10 + char32_t(s[end++] - '0');
      if (end == i + 2 || code == 0) return false;
      qrv::appendUtf8(out, code);
      i = end;
      return true;
    }
  }
  i += 3;
  return true;
}

// The argument of a code up to its ';' (or the end), i past the ';'.
std::string readArgument(std::string_view s, std::size_t& i) {
  const std::size_t end = s.find(';', i);
  std::string arg(s.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
  i = end == std::string_view::npos ? s.size() : end + 1;
  return arg;
}

// Parts of a stack: split at the first unescaped '/', '#' or '^'.
Item readStack(std::string_view arg, const Style& st) {
  Item it;
  it.stack = true;
  it.align = st.align;
  std::string* target = &it.text;
  for (std::size_t i = 0; i < arg.size(); ++i) {
    const char c = arg[i];
    if (c == '\\' && i + 1 < arg.size()) {
      *target += arg[++i];
      continue;
    }
    if (!it.kind && (c == '/' || c == '#' || c == '^')) {
      it.kind = c;
      target = &it.lower;
      continue;
    }
    if (std::size_t j = i; readSymbol(arg, j, *target)) {
      i = j - 1;
      continue;
    }
    *target += c;
  }
  if (!it.kind) it.kind = '^';  // a stack without a divider stacks nothing below
  it.height = st.height * (it.kind == '^' ? 1.0 : kFractionScale);
  return it;
}

std::vector<Line> parse(std::string_view s, double height) {
  std::vector<Line> lines(1);
  std::vector<Style> styles{Style{height, 1}};
  std::string run;
  auto flush = [&] {
    if (run.empty()) return;
    Item it;
    it.text = std::move(run);
    it.height = styles.back().height;
    lines.back().items.push_back(std::move(it));
    run.clear();
  };
  for (std::size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c == '{') {
      flush();
      styles.push_back(styles.back());
      ++i;
    } else if (c == '}') {
      flush();
      if (styles.size() > 1) styles.pop_back();
      ++i;
    } else if (c == '\n') {
      flush();
      lines.emplace_back();
      ++i;
    } else if (c == '\\' && i + 1 < s.size()) {
      const char code = s[i + 1];
      i += 2;
      switch (code) {
        // A paragraph, the alternate-text break, and a column break: until
        // columns are laid out side by side, a column goes on below.
        case 'P': case 'X': case 'N':
          flush();
          lines.emplace_back();
          break;
        case '\\': case '{': case '}': run += code; break;
        case '~': run += ' '; break;
        case 'S': {
          flush();
          lines.back().items.push_back(readStack(readArgument(s, i), styles.back()));
          break;
        }
        case 'H': {
          flush();
          const std::string arg = readArgument(s, i);
          const double v = std::strtod(arg.c_str(), nullptr);
          if (v > 0) styles.back().height = (!arg.empty() && (arg.back() == 'x' || arg.back() == 'X'))
                                                ? styles.back().height * v
                                                : v;
          break;
        }
        case 'A': {
          flush();
          const int a = std::atoi(readArgument(s, i).c_str());
          if (a >= 0 && a <= 2) styles.back().align = a;
          break;
        }
        // Codes with an argument that change nothing measurable here.
        case 'C': case 'c': case 'F': case 'f': case 'Q': case 'T': case 'W': case 'p':
          readArgument(s, i);
          break;
        // Switches without argument.
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': break;
        default: run += '\\'; run += code; break;
      }
    } else if (readSymbol(s, i, run)) {
    } else {
      run += c;
      ++i;
    }
  }
  flush();
  return lines;
}

// Breaks lines at blanks so that they fit the width: text items are cut
// into words (each keeping the blank after it), stacks stay whole.
template <class Measure>
std::vector<Line> wrap(const std::vector<Line>& lines, double width, Measure itemWidth) {
  std::vector<Line> out;
  for (const Line& line : lines) {
    out.emplace_back();
    double x = 0.0;
    auto place = [&](Item piece) {
      const std::size_t end = piece.text.find_last_not_of(' ');
      const double visible = itemWidth(piece, end == std::string::npos ? 0 : end + 1);
      if (x > 0 && x + visible > width) {
        out.emplace_back();
        x = 0.0;
      }
      x += itemWidth(piece, piece.text.size());
      out.back().items.push_back(std::move(piece));
    };
    for (const Item& it : line.items) {
      if (it.stack) {
        place(it);
        continue;
      }
      for (std::size_t from = 0; from < it.text.size();) {
        std::size_t blank = it.text.find(' ', from);
        blank = blank == std::string::npos ? it.text.size() : it.text.find_first_not_of(' ', blank);
        if (blank == std::string::npos) blank = it.text.size();
        Item piece = it;
        piece.text = it.text.substr(from, blank - from);
        place(std::move(piece));
        from = blank;
      }
    }
  }
  return out;
}

}  // namespace

std::string expandSymbols(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();)
    if (!readSymbol(text, i, out)) out += text[i++];
  return out;
}

std::pair<std::string, std::string> splitBelowMark(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '\\') continue;
    if (text[i + 1] == 'X') return {std::string(text.substr(0, i)), std::string(text.substr(i + 2))};
    ++i;  // an escaped character is never a mark
  }
  return {std::string(text), {}};
}

TextLayout layoutText(std::string_view contents, double height, double widthFactor, int font, double wrapWidth) {
  FontMetrics& fm = FontMetrics::shared();
  auto widthOf = [&](const std::string& t, double h) { return fm.textWidth(font, t) * h * widthFactor; };
  TextLayout out;
  std::vector<Line> lines = parse(contents, height);
  if (wrapWidth > 0) {
    lines = wrap(lines, wrapWidth, [&](const Item& it, std::size_t chars) {
      if (!it.stack) return widthOf(it.text.substr(0, chars), it.height);
      return std::max(widthOf(it.text, it.height), widthOf(it.lower, it.height));
    });
  }
  out.lines = int(lines.size());
  double baseline = 0.0, prevDescent = 0.0;
  for (std::size_t li = 0; li < lines.size(); ++li) {
    // Vertical extent of the line around its baseline.
    double ascent = height, descent = 0.0;
    struct Placed {
      double yu = 0, yl = 0;
    };
    std::vector<Placed> placed;
    for (const Item& it : lines[li].items) {
      Placed p;
      if (it.stack) {
        const double s = it.height;
        const double total = kStackPitch * s + s;
        double bottom = height / 2 - total / 2;  // fractions sit on the middle
        if (it.kind == '^') {
          if (it.align == 0) bottom = 0.0;
          if (it.align == 2) bottom = height - total;
        }
        p.yl = bottom;
        p.yu = bottom + kStackPitch * s;
        ascent = std::max(ascent, p.yu + s);
        descent = std::max(descent, -bottom);
      } else {
        ascent = std::max(ascent, it.height);
      }
      placed.push_back(p);
    }
    if (li == 0) baseline = -ascent;
    else baseline -= std::max(kLineSpacing * height, prevDescent + ascent + height * (kLineSpacing - 1));
    prevDescent = descent;
    double x = 0.0;
    for (std::size_t k = 0; k < lines[li].items.size(); ++k) {
      const Item& it = lines[li].items[k];
      if (!it.stack) {
        out.runs.push_back({it.text, x, baseline, it.height});
        x += widthOf(it.text, it.height);
        continue;
      }
      const double s = it.height;
      const double wu = widthOf(it.text, s), wl = widthOf(it.lower, s);
      const double yu = baseline + placed[k].yu, yl = baseline + placed[k].yl;
      if (it.kind == '#') {
        const double slash = 0.4 * s;
        out.runs.push_back({it.text, x, yu, s});
        out.strokes.push_back({{x + wu + 0.05 * s, yl}, {x + wu + slash - 0.05 * s, yu + s}});
        out.runs.push_back({it.lower, x + wu + slash, yl, s});
        x += wu + slash + wl;
      } else if (it.kind == '/') {
        const double w = std::max(wu, wl);
        if (!it.text.empty()) out.runs.push_back({it.text, x + (w - wu) / 2, yu, s});
        if (!it.lower.empty()) out.runs.push_back({it.lower, x + (w - wl) / 2, yl, s});
        const double bar = yl + s + (kStackPitch - 1) * s / 2;
        out.strokes.push_back({{x, bar}, {x + w, bar}});
        x += w;
      } else {  // tolerance pair: both parts flush left
        if (!it.text.empty()) out.runs.push_back({it.text, x, yu, s});
        if (!it.lower.empty()) out.runs.push_back({it.lower, x, yl, s});
        x += std::max(wu, wl);
      }
    }
    out.width = std::max(out.width, x);
    out.height = -(baseline - descent);
  }
  return out;
}

}  // namespace render
