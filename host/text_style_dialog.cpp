// The host's text style dialog ("TextPropsCmd"), which modules run through
// the command factory: the font file, fixed height, width factor and
// oblique angle of the active drawing's text styles. Values wrong as typed
// are named in the dialog, which stays open; nothing is written until OK.
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>

#include "OdDbDatabase.h"
#include "OdDbTextStyleTableRecord.h"
#include "command_factory.h"
#include "control.h"
#include "dialog.h"
#include "documents.h"
#include "host_commands.h"
#include "host_services.h"
#include "host_texts_local.h"

namespace qrvhost {
namespace {

constexpr int kTemplateId = 9200;
enum : int { kStyle = 100, kFont = 101, kHeight = 102, kWidth = 103, kOblique = 104, kMessage = 105 };

struct StyleValues {
  std::string font;
  double height = 0, width = 1, obliqueDegrees = 0;
};

std::optional<double> number(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(' ') + 1;
  double v = 0;
  const char* begin = text.data() + first;
  if (*begin == '+') ++begin;
  const auto [stop, error] = std::from_chars(begin, text.data() + last, v);
  if (error != std::errc() || stop != text.data() + last || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string numberText(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

class TextStyleDialog : public ui::DialogHandler {
public:
  explicit TextStyleDialog(OdDbDatabase& db) : m_db(db) {}
  bool changed() const { return m_changed; }

  std::intptr_t onMessage(ui::Dialog& d, const ui::Message& m) override {
    switch (m.msg) {
      case ui::kMsgInitDialog:
        fill(d);
        return 1;
      case ui::kMsgClose:
        d.end(ui::kIdCancel);
        return 1;
      case ui::kMsgCommand:
        if (m.id == kStyle && m.code == ui::kCmdSelChange) {
          // The values typed for the style shown are kept when another is shown.
          if (!keep(d)) d.control(kStyle)->setSelection(m_shown);
          else show(d);
        } else if (m.id == ui::kIdOk) {
          if (keep(d) && write(d)) d.end(ui::kIdOk);
        } else if (m.id == ui::kIdCancel) {
          d.end(ui::kIdCancel);
        }
        return 1;
      default:
        return 0;
    }
  }

private:
  void fill(ui::Dialog& d) {
    ui::Control& list = *d.control(kStyle);
    OdDbTextStyleTablePtr table = m_db.getTextStyleTableId().safeOpenObject();
    for (auto it = table->newIterator(); !it->done(); it->step()) {
      OdDbTextStyleTableRecordPtr r = it->getRecord();
      if (r->isDependent() || r->isShapeFile()) continue;
      list.addItem(r->getName());
      m_values[r->getName()] = {r->fileName(), r->textSize(), r->xScale(), r->obliquingAngle() * 180 / std::numbers::pi};
    }
    list.setSelection(list.itemCount() > 0 ? 0 : -1);
    show(d);
  }

  void show(ui::Dialog& d) {
    const ui::Control& list = *d.control(kStyle);
    m_shown = list.selection();
    if (m_shown < 0) return;
    const StyleValues& v = m_values[list.itemText(m_shown)];
    d.control(kFont)->setText(v.font);
    d.control(kHeight)->setText(numberText(v.height));
    d.control(kWidth)->setText(numberText(v.width));
    d.control(kOblique)->setText(numberText(v.obliqueDegrees));
    d.control(kMessage)->setText("");
  }

  // Takes the fields into the values of the style shown; false, with the
  // reason shown, when a field is wrong.
  bool keep(ui::Dialog& d) {
    if (m_shown < 0) return true;
    const std::optional<double> height = number(d.control(kHeight)->text());
    const std::optional<double> width = number(d.control(kWidth)->text());
    const std::optional<double> oblique = number(d.control(kOblique)->text());
    const std::string font = d.control(kFont)->text();
    const char* en = nullptr;
    const char* ru = nullptr;
    if (!height || *height < 0) {
      en = "The height must be a number of 0 or more (0: set where the style is used).";
      ru = "Высота должна быть числом не меньше 0 (0: задаётся при использовании стиля).";
    } else if (!width || *width <= 0 || *width > 100) {
      en = "The width factor must be a number above 0 and at most 100.";
      ru = "Степень растяжения должна быть числом больше 0 и не больше 100.";
    } else if (!oblique || std::fabs(*oblique) > 85) {
      en = "The oblique angle must be a number of degrees from -85 to 85.";
      ru = "Угол наклона должен быть числом градусов от -85 до 85.";
    } else if (font.find_first_not_of(' ') == std::string::npos) {
      en = "The font file must be named.";
      ru = "Укажите файл шрифта.";
    }
    if (en) {
      d.control(kMessage)->setText(std::string(inSessionLanguage({en, ru})));
      return false;
    }
    m_values[d.control(kStyle)->itemText(m_shown)] = {font, *height, *width, *oblique};
    return true;
  }

  bool write(ui::Dialog& d) {
    try {
      OdDbTextStyleTablePtr table = m_db.getTextStyleTableId().safeOpenObject();
      for (const auto& [name, v] : m_values) {
        OdDbTextStyleTableRecordPtr r = table->getAt(name).safeOpenObject();
        const double oblique = v.obliqueDegrees * std::numbers::pi / 180;
        if (r->fileName() == v.font && r->textSize() == v.height && r->xScale() == v.width &&
            r->obliquingAngle() == oblique)
          continue;
        r->upgradeOpen();
        r->setFileName(v.font);
        r->setTextSize(v.height);
        r->setXScale(v.width);
        r->setObliquingAngle(oblique);
        m_changed = true;
      }
    } catch (const OdError& e) {
      d.control(kMessage)->setText(e.description());
      return false;
    }
    return true;
  }

  OdDbDatabase& m_db;
  std::map<std::string, StyleValues> m_values;
  int m_shown = -1;
  bool m_changed = false;
};

ui::DialogTemplate textStyleTemplate() {
  struct Texts {
    TwoLanguageText caption, style, font, height, width, oblique, cancel;
  };
  static const Texts t{{"Text Style", "Текстовый стиль"},     {"&Style name:", "&Имя стиля:"},
                       {"&Font file:", "&Файл шрифта:"},      {"&Height:", "&Высота:"},
                       {"&Width factor:", "&Растяжение:"},    {"&Oblique angle:", "&Угол наклона:"},
                       {"Cancel", "Отмена"}};
  ui::DialogTemplate tmpl;
  tmpl.id = kTemplateId;
  tmpl.language = hostLanguage();
  tmpl.caption = inSessionLanguage(t.caption);
  tmpl.cx = 220;
  tmpl.cy = 128;
  // The texts live as long as the template: kept in strings of their own.
  static std::vector<std::string> keep;
  keep = {inSessionLanguage(t.style), inSessionLanguage(t.font), inSessionLanguage(t.height),
          inSessionLanguage(t.width), inSessionLanguage(t.oblique), inSessionLanguage(t.cancel)};
  using ui::ControlKind;
  tmpl.controls = {
      {-1, ControlKind::kLabel, keep[0].c_str(), {6, 8, 70, 8}, 0},
      {kStyle, ControlKind::kDropDown, "", {80, 6, 134, 12}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[1].c_str(), {6, 24, 70, 8}, 0},
      {kFont, ControlKind::kEdit, "", {80, 22, 134, 12}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[2].c_str(), {6, 40, 70, 8}, 0},
      {kHeight, ControlKind::kEdit, "", {80, 38, 60, 12}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[3].c_str(), {6, 56, 70, 8}, 0},
      {kWidth, ControlKind::kEdit, "", {80, 54, 60, 12}, ui::kStyleTabStop},
      {-1, ControlKind::kLabel, keep[4].c_str(), {6, 72, 70, 8}, 0},
      {kOblique, ControlKind::kEdit, "", {80, 70, 60, 12}, ui::kStyleTabStop},
      {kMessage, ControlKind::kLabel, "", {6, 88, 208, 16}, 0},
      {ui::kIdOk, ControlKind::kButton, "OK", {108, 108, 50, 14}, ui::kStyleDefault | ui::kStyleTabStop},
      {ui::kIdCancel, ControlKind::kButton, keep[5].c_str(), {164, 108, 50, 14}, ui::kStyleTabStop},
  };
  return tmpl;
}

// S_OK when the user pressed OK, S_FALSE when cancelled, E_FAIL without a
// drawing.
HRESULT runTextStyleDialog(const ICmdParams*) {
  HostServices* services = HostServices::current();
  HostApDocument* doc = services ? services->documents().curDocument() : nullptr;
  if (!doc || !doc->database()) return E_FAIL;
  TextStyleDialog handler(*doc->database());
  return ui::runModalDialog(textStyleTemplate(), handler, nullptr) == ui::kIdOk ? S_OK : S_FALSE;
}

}  // namespace

void installTextStyleCommand(HostServices& services) {
  services.commandFactory().addHostCommand("TextPropsCmd", &runTextStyleDialog);
}

}  // namespace qrvhost
