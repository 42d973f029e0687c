#include "text_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <numbers>

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
  double widthFactor = 1;
  double tracking = 1;  // each character's advance times this; its glyph keeps its width
  double oblique = 0;
  int font = -1;
  TextColor color;
  bool underline = false, overline = false, strike = false;
};

struct Item {
  bool stack = false;
  bool tab = false;
  char kind = 0;          // '/', '#', '^'
  std::string text;       // text run, or the upper part
  std::string lower;      // lower part of a stack
  Style style;
  double height = 0;
  int align = 1;
};

// Paragraph settings in text heights, as "\p" gives them.
struct Paragraph {
  double first = 0, left = 0, right = 0;  // the first line's indent is from the left one
  char align = 'l';                       // l, r, c, j, d
  struct Tab {
    double at = 0;
    char kind = 'l';  // l: text starts at the stop, r: ends there, c: centred on it
  };
  std::vector<Tab> tabs;
};

struct Line {
  std::vector<Item> items;
  Paragraph para;
  bool firstOfParagraph = true;
  bool columnBreak = false;  // "\N" ended it
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

// The number after a code that takes one ("\\C1;", "\\H2.5x;"), with an
// 'x' after it; the ';' that ends it may be left out ("\\C1text"), so the
// text goes on after the number.
std::string readNumberArgument(std::string_view s, std::size_t& i) {
  const std::size_t from = i;
  while (i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.' || s[i] == '-' || s[i] == '+'))
    ++i;
  if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) ++i;
  std::string arg(s.substr(from, i - from));
  if (i < s.size() && s[i] == ';') ++i;
  return arg;
}

// A number at the start of `arg` from `i` on, i past it (0 when none).
double readNumber(std::string_view arg, std::size_t& i) {
  const std::string rest(arg.substr(i));
  char* end = nullptr;
  const double v = std::strtod(rest.c_str(), &end);
  i += std::size_t(end - rest.c_str());
  return std::isfinite(v) ? v : 0.0;
}

// "\p" settings: "i<first>", "l<left>", "r<right>", "q<l|r|c|j|d>",
// "t<stop>,<stop>..." (a stop may start with 'c' or 'r'), separated by
// commas, "x" read and ignored; the settings not named stay.
void readParagraph(std::string_view arg, Paragraph& p) {
  for (std::size_t i = 0; i < arg.size();) {
    const char c = arg[i++];
    if (c == 'i') p.first = readNumber(arg, i);
    else if (c == 'l') p.left = readNumber(arg, i);
    else if (c == 'r') p.right = readNumber(arg, i);
    else if (c == 'q' && i < arg.size()) p.align = arg[i++];
    else if (c == 't') {
      p.tabs.clear();
      char kind = 'l';
      while (i < arg.size()) {
        if (arg[i] == 'c' || arg[i] == 'r' || arg[i] == ',') {
          kind = arg[i] == ',' ? 'l' : arg[i];
          ++i;
          continue;
        }
        const std::size_t before = i;
        const double stop = readNumber(arg, i);
        if (i == before) break;
        if (stop > 0) p.tabs.push_back({stop, kind});
        kind = 'l';
      }
    }
  }
}

// Parts of a stack: split at the first unescaped '/', '#' or '^'.
Item readStack(std::string_view arg, const Style& st) {
  Item it;
  it.stack = true;
  it.style = st;
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

std::vector<Line> parse(std::string_view s, double height, double widthFactor, int font) {
  std::vector<Line> lines(1);
  Style first;
  first.height = height;
  first.widthFactor = widthFactor;
  first.font = font;
  std::vector<Style> styles{first};
  Paragraph para;
  std::string run;
  auto flush = [&] {
    if (run.empty()) return;
    Item it;
    it.text = std::move(run);
    it.style = styles.back();
    it.height = styles.back().height;
    lines.back().items.push_back(std::move(it));
    run.clear();
  };
  auto newLine = [&](bool columnBreak) {
    flush();
    lines.back().columnBreak = columnBreak;
    lines.emplace_back();
    lines.back().para = para;
  };
  auto tab = [&] {
    flush();
    Item it;
    it.tab = true;
    it.style = styles.back();
    it.height = styles.back().height;
    lines.back().items.push_back(std::move(it));
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
    } else if (c == '\n' || startsWith(s, i, "^J")) {
      // A line feed, or its caret form as a text file holds it.
      newLine(false);
      i += c == '\n' ? 1 : 2;
    } else if (c == '\t' || startsWith(s, i, "^I")) {
      tab();
      i += c == '\t' ? 1 : 2;
    } else if (c == '\\' && i + 1 < s.size()) {
      const char code = s[i + 1];
      i += 2;
      Style& st = styles.back();
      switch (code) {
        // A paragraph and the alternate-text break start a line; a column
        // break also the next column where there are columns.
        case 'P': case 'X': newLine(false); break;
        case 'N': newLine(true); break;
        case '\\': case '{': case '}': run += code; break;
        case 'U':
          // "\U+XXXX": the character of that code.
          if (i + 5 <= s.size() && s[i] == '+' &&
              std::all_of(s.begin() + std::ptrdiff_t(i) + 1, s.begin() + std::ptrdiff_t(i) + 5,
                          [](char h) { return std::isxdigit(static_cast<unsigned char>(h)) != 0; })) {
            qrv::appendUtf8(run, char32_t(std::strtoul(std::string(s.substr(i + 1, 4)).c_str(), nullptr, 16)));
            i += 5;
          } else {
            run += "\\U";
          }
          break;
        case '~': run += ' '; break;
        case 'S': {
          flush();
          lines.back().items.push_back(readStack(readArgument(s, i), st));
          break;
        }
        case 'H': case 'W': case 'T': {
          flush();
          const std::string arg = readNumberArgument(s, i);
          const double v = std::strtod(arg.c_str(), nullptr);
          const bool relative = !arg.empty() && (arg.back() == 'x' || arg.back() == 'X');
          double& value = code == 'H' ? st.height : code == 'W' ? st.widthFactor : st.tracking;
          if (v > 0 && std::isfinite(v)) value = relative ? value * v : v;
          break;
        }
        case 'Q': {
          flush();
          const double deg = std::strtod(readNumberArgument(s, i).c_str(), nullptr);
          if (std::isfinite(deg) && std::fabs(deg) < 85) st.oblique = deg * std::numbers::pi / 180;
          break;
        }
        case 'A': {
          flush();
          const int a = std::atoi(readNumberArgument(s, i).c_str());
          if (a >= 0 && a <= 2) st.align = a;
          break;
        }
        case 'C': {
          flush();
          const int index = std::atoi(readNumberArgument(s, i).c_str());
          if (index >= 0 && index <= 256) st.color = TextColor{index, -1};
          break;
        }
        case 'c': {
          // The true colour's bytes in the order blue, green, red from the top.
          flush();
          const long v = std::strtol(readNumberArgument(s, i).c_str(), nullptr, 10) & 0xFFFFFF;
          st.color = TextColor{-1, int(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF))};
          break;
        }
        case 'f': case 'F': {
          flush();
          const std::string arg = readArgument(s, i);
          const std::string name = arg.substr(0, arg.find('|'));
          if (!name.empty())
            st.font = code == 'f' ? FontMetrics::shared().fontFor("", name) : FontMetrics::shared().fontFor(name, "");
          break;
        }
        case 'p': {
          flush();
          readParagraph(readArgument(s, i), para);
          lines.back().para = para;
          break;
        }
        case 'L': case 'l': flush(); st.underline = code == 'L'; break;
        case 'O': case 'o': flush(); st.overline = code == 'O'; break;
        case 'K': case 'k': flush(); st.strike = code == 'K'; break;
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

// Where a tab at x goes: the next stop of the paragraph's, then every four
// text heights (left stops).
Paragraph::Tab nextTab(double x, const Paragraph& p, double height) {
  for (const Paragraph::Tab& stop : p.tabs)
    if (stop.at * height > x + 1e-9) return {stop.at * height, stop.kind};
  const double step = 4 * height;
  return {(std::floor(x / step + 1e-9) + 1) * step, 'l'};
}

double nextTabStop(double x, const Paragraph& p, double height) { return nextTab(x, p, height).at; }

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

TextLayout layoutText(std::string_view contents, double height, double widthFactor, int font,
                      const TextLayoutOptions& o) {
  FontMetrics& fm = FontMetrics::shared();
  auto widthOf = [&](const std::string& t, const Item& it, double h) {
    return fm.textWidth(it.style.font, t) * h * it.style.widthFactor * it.style.tracking;
  };
  auto itemWidth = [&](const Item& it, std::size_t chars) {
    if (!it.stack) return widthOf(it.text.substr(0, chars), it, it.height);
    if (it.kind == '#') return widthOf(it.text, it, it.height) + 0.4 * it.height + widthOf(it.lower, it, it.height);
    return std::max(widthOf(it.text, it, it.height), widthOf(it.lower, it, it.height));
  };
  const std::vector<Line> source = parse(contents, height, widthFactor, font);
  auto indentOf = [&](const Line& l) { return (l.para.left + (l.firstOfParagraph ? l.para.first : 0)) * height; };

  // Lines as they will stand: each source line, broken at blanks to stay
  // within the width.
  std::vector<Line> lines;
  for (const Line& line : source) {
    lines.push_back(Line{{}, line.para, true, false});
    double x = indentOf(lines.back());
    auto limit = [&] { return o.wrapWidth - line.para.right * height; };
    auto place = [&](Item piece) {
      if (piece.tab) {
        x = nextTabStop(x, line.para, height);
        lines.back().items.push_back(std::move(piece));
        return;
      }
      const std::size_t end = piece.text.find_last_not_of(' ');
      const double visible = itemWidth(piece, piece.stack ? piece.text.size() : end == std::string::npos ? 0 : end + 1);
      if (o.wrapWidth > 0 && x > indentOf(lines.back()) + 1e-9 && x + visible > limit()) {
        lines.push_back(Line{{}, line.para, false, false});
        x = indentOf(lines.back());
      }
      x += itemWidth(piece, piece.text.size());
      lines.back().items.push_back(std::move(piece));
    };
    for (const Item& it : line.items) {
      if (it.stack || it.tab || o.wrapWidth <= 0) {
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
    lines.back().columnBreak = line.columnBreak;
  }

  TextLayout out;
  out.lines = int(lines.size());
  // Each line laid out on its own baseline at 0; then aligned and moved to
  // its place in its column.
  struct Placed {
    std::size_t runs = 0, strokes = 0;  // where its runs and strokes start
    double ascent = 0, descent = 0, start = 0, end = 0;
    double advance = 0;  // with trailing blanks
  };
  std::vector<Placed> placed;
  for (const Line& line : lines) {
    Placed pl{out.runs.size(), out.strokes.size(), height, 0.0, indentOf(line), indentOf(line), 0.0};
    double x = pl.start;
    auto decorate = [&](const Item& it, double from, double to, double y) {
      const Style& st = it.style;
      const double h = it.height;
      if (st.underline) out.strokes.push_back({{from, y - 0.2 * h}, {to, y - 0.2 * h}, st.color});
      if (st.overline) out.strokes.push_back({{from, y + 1.3 * h}, {to, y + 1.3 * h}, st.color});
      if (st.strike) out.strokes.push_back({{from, y + 0.5 * h}, {to, y + 0.5 * h}, st.color});
    };
    for (std::size_t k = 0; k < line.items.size(); ++k) {
      const Item& it = line.items[k];
      if (it.tab) {
        const Paragraph::Tab stop = nextTab(x, line.para, height);
        double to = stop.at;
        if (stop.kind != 'l') {
          // What follows up to the next tab ends at the stop or is centred on it.
          double follows = 0;
          for (std::size_t n = k + 1; n < line.items.size() && !line.items[n].tab; ++n)
            follows += itemWidth(line.items[n], line.items[n].text.size());
          to = std::max(x, stop.at - (stop.kind == 'r' ? follows : follows / 2));
        }
        decorate(it, x, to, 0.0);
        x = to;
        continue;
      }
      auto run = [&](const std::string& t, double rx, double ry, double h) {
        if (t.empty()) return;
        if (it.style.tracking == 1) {
          out.runs.push_back({t, rx, ry, h, it.style.widthFactor, it.style.oblique, it.style.font, it.style.color});
          return;
        }
        // Tracked: each character a run of its own at its spread-out place.
        for (std::size_t from = 0; from < t.size();) {
          const std::size_t at = from;
          qrv::decodeUtf8(t, from);
          const std::string one = t.substr(at, from - at);
          if (one != " ")
            out.runs.push_back({one, rx, ry, h, it.style.widthFactor, it.style.oblique, it.style.font, it.style.color});
          rx += widthOf(one, it, h);
        }
      };
      if (!it.stack) {
        const double w = widthOf(it.text, it, it.height);
        run(it.text, x, 0.0, it.height);
        decorate(it, x, x + w, 0.0);
        pl.ascent = std::max(pl.ascent, it.height);
        x += w;
        if (it.text.find_last_not_of(' ') != std::string::npos)
          pl.end = x - widthOf(it.text.substr(it.text.find_last_not_of(' ') + 1), it, it.height);
        continue;
      }
      const double s = it.height;
      const double total = kStackPitch * s + s;
      double bottom = height / 2 - total / 2;  // fractions sit on the middle
      if (it.kind == '^') {
        if (it.align == 0) bottom = 0.0;
        if (it.align == 2) bottom = height - total;
      }
      const double yl = bottom, yu = bottom + kStackPitch * s;
      pl.ascent = std::max(pl.ascent, yu + s);
      pl.descent = std::max(pl.descent, -bottom);
      const double wu = widthOf(it.text, it, s), wl = widthOf(it.lower, it, s);
      if (it.kind == '#') {
        const double slash = 0.4 * s;
        run(it.text, x, yu, s);
        out.strokes.push_back({{x + wu + 0.05 * s, yl}, {x + wu + slash - 0.05 * s, yu + s}, it.style.color});
        run(it.lower, x + wu + slash, yl, s);
        x += wu + slash + wl;
      } else if (it.kind == '/') {
        const double w = std::max(wu, wl);
        run(it.text, x + (w - wu) / 2, yu, s);
        run(it.lower, x + (w - wl) / 2, yl, s);
        const double bar = yl + s + (kStackPitch - 1) * s / 2;
        out.strokes.push_back({{x, bar}, {x + w, bar}, it.style.color});
        x += w;
      } else {  // tolerance pair: both parts flush left
        run(it.text, x, yu, s);
        run(it.lower, x, yl, s);
        x += std::max(wu, wl);
      }
      pl.end = x;
    }
    pl.advance = x;
    placed.push_back(pl);
  }

  // A line's runs and strokes end where the next line's start.
  auto runEndOf = [&](std::size_t li) { return li + 1 < lines.size() ? placed[li + 1].runs : out.runs.size(); };
  auto strokeEndOf = [&](std::size_t li) {
    return li + 1 < lines.size() ? placed[li + 1].strokes : out.strokes.size();
  };
  auto moveLine = [&](std::size_t li, double dx, double dy) {
    for (std::size_t k = placed[li].runs; k < runEndOf(li); ++k) {
      out.runs[k].x += dx;
      out.runs[k].y += dy;
    }
    for (std::size_t k = placed[li].strokes; k < strokeEndOf(li); ++k) {
      out.strokes[k].from.x += dx;
      out.strokes[k].to.x += dx;
      out.strokes[k].from.y += dy;
      out.strokes[k].to.y += dy;
    }
  };

  // Alignment within the width (the widest line's without one).
  double widest = 0;
  for (const Placed& pl : placed) widest = std::max(widest, pl.advance);
  const double box = o.wrapWidth > 0 ? o.wrapWidth : widest;
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const Line& line = lines[li];
    const double room = box - line.para.right * height - placed[li].end;
    double shift = 0;
    if (line.para.align == 'r') shift = room;
    if (line.para.align == 'c') shift = room / 2;
    const std::size_t runEnd = runEndOf(li), strokeEnd = strokeEndOf(li);
    // Justified: a line the paragraph goes on after (every line when
    // distributed) spreads its words over the width; only lines of plain
    // words, whose runs are the words.
    const bool wraps = li + 1 < lines.size() && !lines[li + 1].firstOfParagraph;
    if (o.wrapWidth > 0 && room > 0 && runEnd - placed[li].runs > 1 && strokeEnd == placed[li].strokes &&
        ((line.para.align == 'j' && wraps) || line.para.align == 'd') &&
        std::none_of(line.items.begin(), line.items.end(),
                     [](const Item& it) { return it.stack || it.tab || it.style.tracking != 1; })) {
      const double gap = room / double(runEnd - placed[li].runs - 1);
      for (std::size_t k = placed[li].runs; k < runEnd; ++k) out.runs[k].x += gap * double(k - placed[li].runs);
      placed[li].end += room;
      continue;
    }
    if (!(shift > 0)) continue;
    moveLine(li, shift, 0.0);
    placed[li].end += shift;
  }

  // Down the columns.
  const double pitch = o.lineSpacingFactor * kLineSpacing * height;
  auto columnHeight = [&](std::size_t c) {
    if (!o.columnHeights.empty()) return c < o.columnHeights.size() ? o.columnHeights[c] : 0.0;
    return o.columnHeight;
  };
  auto lastColumn = [&](std::size_t c) { return o.maxColumns > 0 && int(c) + 1 >= o.maxColumns; };
  std::size_t column = 0;
  double baseline = 0.0, prevDescent = 0.0;
  bool columnStart = true;
  std::vector<double> bottoms(1, 0.0);
  std::vector<std::size_t> columnOf(lines.size(), 0);
  std::vector<double> baselineOf(lines.size(), 0.0);
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const Placed& pl = placed[li];
    double next = columnStart ? -pl.ascent
                              : baseline - (o.exactSpacing ? pitch
                                                           : std::max(pitch, prevDescent + pl.ascent +
                                                                                 height * (kLineSpacing - 1)));
    // A line that would end below the column's height starts the next one.
    if (o.columns && !columnStart && columnHeight(column) > 0 && -(next - pl.descent) > columnHeight(column) + 1e-9 &&
        !lastColumn(column)) {
      ++column;
      bottoms.push_back(0.0);
      next = -pl.ascent;
    }
    baseline = next;
    columnStart = false;
    prevDescent = pl.descent;
    columnOf[li] = column;
    baselineOf[li] = baseline;
    bottoms[column] = std::max(bottoms[column], -(baseline - pl.descent));
    if (o.columns && lines[li].columnBreak && !lastColumn(column) && li + 1 < lines.size()) {
      ++column;
      bottoms.push_back(0.0);
      columnStart = true;
    }
  }
  const std::size_t count = bottoms.size();
  const double columnWidth = o.wrapWidth > 0 ? o.wrapWidth : widest;
  auto columnX = [&](std::size_t c) {
    return double(o.reversedFlow ? count - 1 - c : c) * (columnWidth + (o.columns ? o.gutter : 0.0));
  };
  for (std::size_t li = 0; li < lines.size(); ++li) moveLine(li, columnX(columnOf[li]), baselineOf[li]);
  for (std::size_t c = 0; c < count; ++c) {
    const double h = o.columns && columnHeight(c) > 0 ? std::max(columnHeight(c), bottoms[c]) : bottoms[c];
    out.columns.push_back({columnX(c), columnWidth, h});
    out.height = std::max(out.height, bottoms[c]);
  }
  out.width = count == 1 ? widest : columnX(o.reversedFlow ? 0 : count - 1) + columnWidth;
  return out;
}


}  // namespace render
