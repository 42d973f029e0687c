#include "dialog_script.h"

#include <cstdio>
#include <optional>
#include <sstream>
#include <vector>

#include "OdStringUtil.h"
#include "backend.h"
#include "dialog.h"
#include "headless_backend.h"
#include "user_input.h"
#include "wide_text.h"

namespace ui {
namespace {

std::string quoted(const std::string& text) { return dumpQuoted(text); }

}  // namespace

std::string dumpQuoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += ch;
    }
  }
  return out + "\"";
}

namespace {

std::string withoutMnemonic(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&') continue;
    if (text[i] == '&') ++i;  // "&&" shows one ampersand
    out += text[i];
  }
  return out;
}

void dumpInto(const Dialog& dialog, std::ostringstream& out, const std::string& indent) {
  for (const auto& cp : dialog.controls()) {
    const Control& c = *cp;
    out << indent << c.id() << ' ' << controlKindName(c.kind()) << ' '
        << (c.isEnabled() ? "enabled" : "disabled") << ' ' << (c.isVisible() ? "visible" : "hidden") << ' '
        << quoted(c.text());
    switch (c.kind()) {
      case ControlKind::kCheckBox:
      case ControlKind::kRadioButton:
        out << " check=" << c.check();
        break;
      case ControlKind::kDropDown:
      case ControlKind::kTab:
        out << " selection=" << c.selection();
        if (c.selection() >= 0) out << ' ' << quoted(c.itemText(c.selection()));
        break;
      case ControlKind::kListView:
        out << " selection=" << c.selection();
        break;
      case ControlKind::kEdit:
        if (c.isReadOnly()) out << " read-only";
        if (const std::optional<TextColors> colors = cp->textColors()) out << ' ' << dumpTextColors(*colors);
        break;
      default:
        break;
    }
    if (!c.icon().empty()) out << " icon=" << c.icon();
    if (!c.tooltip().empty()) out << " tooltip=" << quoted(c.tooltip());
    out << '\n';
    if (c.kind() == ControlKind::kListView && c.columnCount() > 0) {
      out << indent << "  columns:";
      for (std::size_t i = 0; i < c.columns().size(); ++i)
        out << (i ? " |" : "") << ' ' << quoted(c.columns()[i].header) << ' ' << c.columns()[i].width;
      out << '\n';
    }
    if (c.kind() == ControlKind::kDropDown || c.kind() == ControlKind::kListView || c.kind() == ControlKind::kTab) {
      const int columns = std::max(1, c.columnCount());
      for (int i = 0; i < c.itemCount(); ++i) {
        out << indent << "  " << (c.kind() == ControlKind::kListView ? "row " : "item ") << i << ':';
        const int indentLevel = c.item(i)->indent;
        if (indentLevel > 0) out << " indent=" << indentLevel;
        for (int col = 0; col < columns; ++col) out << (col ? " |" : "") << ' ' << quoted(c.itemText(i, col));
        out << '\n';
      }
    }
  }
  for (const auto& page : dialog.children()) {
    out << indent << "page " << page->windowId() << " template " << page->templateId() << ' '
        << (page->isVisible() ? "visible" : "hidden") << '\n';
    dumpInto(*page, out, indent + "  ");
  }
}

// Splits off the first blank-separated word.
std::string nextWord(std::string& rest) {
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string::npos) {
    rest.clear();
    return std::string();
  }
  const std::size_t end = rest.find_first_of(" \t", start);
  std::string word = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
  rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  return word;
}

// The rest of the line as one text: a text in double quotes keeps its
// blanks at either end.
std::string restText(const std::string& rest) {
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  std::string text = rest.substr(start);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

bool parseInt(const std::string& word, int& value) {
  if (word.empty()) return false;
  std::size_t used = 0;
  try {
    value = std::stoi(word, &used);
  } catch (...) {
    return false;
  }
  return used == word.size();
}

// Pages reuse ids of their dialog and of each other. Holders of a control
// with this id, in the order they are asked: pages that are shown, the
// dialog itself, then hidden pages.
void holdersOf(Dialog& dialog, int id, std::vector<Dialog*>& shown, std::vector<Dialog*>& hidden) {
  for (const auto& page : dialog.children()) {
    std::vector<Dialog*> pageShown, pageHidden;
    holdersOf(*page, id, pageShown, pageHidden);
    if (page->control(id)) pageShown.push_back(page.get());
    std::vector<Dialog*>& into = page->isVisible() ? shown : hidden;
    into.insert(into.end(), pageShown.begin(), pageShown.end());
    hidden.insert(hidden.end(), pageHidden.begin(), pageHidden.end());
  }
}

// The dialog (or page) whose control a line means: a control of a shown
// page wins over the dialog's own control of the same id; when the line
// picks an item, a control that has items wins over one that has none
// (so the tab control of a dialog is reached from any page).
Dialog* holderOf(Dialog& dialog, int id, bool wantsItems = false) {
  std::vector<Dialog*> order, hidden;
  holdersOf(dialog, id, order, hidden);
  if (dialog.control(id)) order.push_back(&dialog);
  order.insert(order.end(), hidden.begin(), hidden.end());
  if (wantsItems)
    for (Dialog* d : order)
      if (d->control(id)->itemCount() > 0) return d;
  return order.empty() ? nullptr : order.front();
}

// A button by id or by caption (without the mnemonic mark, any case).
Control* findButton(Dialog& dialog, const std::string& what, Dialog*& holder) {
  int id = 0;
  if (parseInt(what, id)) {
    holder = holderOf(dialog, id);
    return holder ? holder->control(id) : nullptr;
  }
  for (const auto& c : dialog.controls()) {
    const ControlKind k = c->kind();
    if ((k == ControlKind::kButton || k == ControlKind::kCheckBox || k == ControlKind::kRadioButton) &&
        qrv::equalNoCase(withoutMnemonic(c->text()), withoutMnemonic(what))) {
      holder = &dialog;
      return c.get();
    }
  }
  for (const auto& page : dialog.children())
    if (page->isVisible())
      if (Control* c = findButton(*page, what, holder)) return c;
  return nullptr;
}

ScriptLineResult failed(std::string why) { return ScriptLineResult{false, std::move(why)}; }

ScriptLineResult runLine(Dialog& dialog, const std::string& line, const ScriptPrinter& print) {
  std::string rest = line;
  const std::string verb = qrv::foldCase(nextWord(rest));
  std::string why;
  auto done = [&](bool ok) { return ok ? ScriptLineResult{} : failed(why); };
  auto controlHolder = [&](int& id) -> Dialog* {
    const std::string word = nextWord(rest);
    if (!parseInt(word, id)) return nullptr;
    return holderOf(dialog, id, verb == "select");
  };

  if (verb.empty()) return ScriptLineResult{};
  if (verb == "dump") {
    std::istringstream lines(dumpDialog(dialog));
    for (std::string l; std::getline(lines, l);) print(l);
    return ScriptLineResult{};
  }
  if (verb == "clipboard") {
    std::optional<std::u16string> text = clipboard().unicodeText();
    if (!text) {
      print("clipboard: no text");
      return ScriptLineResult{};
    }
    std::istringstream lines(hostWideToUtf8(*text));
    for (std::string l; std::getline(lines, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      print("clipboard: " + quoted(l));
    }
    return ScriptLineResult{};
  }
  if (verb == "press") {
    const std::string what = restText(rest);
    Dialog* holder = nullptr;
    Control* c = findButton(dialog, what, holder);
    if (!c) return failed("no button " + what);
    return done(user::click(*holder, c->id(), &why));
  }
  if (verb == "close") return done(user::close(dialog));
  if (verb == "picture") {
    const std::string path = restText(rest);
    if (path.empty()) return failed("picture needs a file name");
    if (!backend().savePicture(dialog, path, why)) return failed(why);
    print("picture: " + path);
    return ScriptLineResult{};
  }
  if (verb == "menu") {
    const std::string entry = restText(rest);
    if (entry.empty()) return failed("menu needs an entry");
    headlessBackend().queueMenuAnswer(entry);
    return ScriptLineResult{};
  }
  if (verb == "hold" || verb == "release") {
    const std::string name = restText(rest);
    if (!qrv::equalNoCase(name, "Shift")) return failed("only Shift can be held");
    headlessBackend().setShiftDown(verb == "hold");
    return ScriptLineResult{};
  }
  if (verb == "key") {
    const std::string name = nextWord(rest);
    const Key key = keyFromName(name);
    if (key == Key::kNone) return failed("unknown key " + name);
    int id = 0;
    Dialog* holder = &dialog;
    if (!restText(rest).empty()) {
      holder = controlHolder(id);
      if (!holder) return failed("no control " + std::to_string(id));
    }
    return done(user::pressKey(*holder, key, id, &why));
  }

  int id = 0;
  Dialog* holder = controlHolder(id);
  if (!holder) return failed(verb == "select" || verb == "type" || verb == "check" || verb == "clear" ||
                                     verb == "spin" || verb == "edit" || verb == "rclick" || verb == "dblclick"
                                 ? "no control " + std::to_string(id)
                                 : "unknown command " + verb);
  Control* c = holder->control(id);
  if (verb == "select") {
    const std::string what = restText(rest);
    int index = -1;
    if (what.size() > 1 && what[0] == '#' && parseInt(what.substr(1), index)) return done(user::select(*holder, id, index, &why));
    index = c->findItemText(what);
    if (index < 0)
      for (int i = 0; i < c->itemCount() && index < 0; ++i)
        if (qrv::equalNoCase(c->itemText(i), what)) index = i;
    if (index < 0) return failed("control " + std::to_string(id) + " has no item " + quoted(what));
    return done(user::select(*holder, id, index, &why));
  }
  if (verb == "type") return done(user::type(*holder, id, restText(rest), &why));
  if (verb == "check") return done(user::setCheck(*holder, id, true, &why));
  if (verb == "clear") return done(user::setCheck(*holder, id, false, &why));
  if (verb == "spin") {
    const std::string dir = qrv::foldCase(nextWord(rest));
    if (dir != "up" && dir != "down") return failed("spin needs up or down");
    return done(user::spin(*holder, id, dir == "up", &why));
  }
  int index = -1;
  const std::string indexWord = nextWord(rest);
  const bool hasIndex = parseInt(indexWord.size() > 1 && indexWord[0] == '#' ? indexWord.substr(1) : indexWord, index);
  if (verb == "edit") {
    if (!hasIndex) return failed("edit needs a row number");
    // Without a text the edit is cancelled; "" gives an empty text.
    if (rest.find_first_not_of(" \t") == std::string::npos)
      return done(user::editLabel(*holder, id, index, std::nullopt, &why));
    return done(user::editLabel(*holder, id, index, restText(rest), &why));
  }
  if (verb == "rclick") return done(user::rightClick(*holder, id, hasIndex ? index : -1, Point{}, &why));
  if (verb == "dblclick") return done(user::doubleClick(*holder, id, hasIndex ? index : -1, &why));
  return failed("unknown command " + verb);
}

}  // namespace

ScriptLineResult runDialogScriptLine(Dialog& dialog, const std::string& line, const ScriptPrinter& print) {
  ScriptLineResult r = runLine(dialog, line, print);
  dispatchPostedMessages();
  return r;
}

std::string dumpTextColors(const TextColors& colors) {
  char text[40];
  std::snprintf(text, sizeof text, "colors=#%02X%02X%02X/#%02X%02X%02X", colors.text.r, colors.text.g, colors.text.b,
                colors.background.r, colors.background.g, colors.background.b);
  return text;
}

std::string dumpDialog(const Dialog& dialog) {
  std::ostringstream out;
  out << "dialog " << dialog.templateId() << ' ' << quoted(dialog.caption()) << '\n';
  dumpInto(dialog, out, "  ");
  return out.str();
}

}  // namespace ui
