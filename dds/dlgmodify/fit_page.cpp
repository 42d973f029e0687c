#include "fit_page.h"

#include <charconv>
#include <cmath>

#include "editor_store.h"
#include "page_fit_template.h"
#include "style_editor_dialog.h"

namespace dds {
namespace {

using namespace res::fit;

constexpr ui::TextColors kWrongNumberColors{{240, 0, 0}, {255, 255, 255}};

// The DIMATFIT value of each fit button.
struct FitChoice {
  int button;
  int atfit;
};
constexpr FitChoice kFitChoices[] = {{kBestFit, 3}, {kArrows, 1}, {kText, 2}, {kBoth, 0}};
constexpr int kTextMoves[] = {kBesideLine, kOverWithLeader, kOverNoLeader};

}  // namespace

bool FitPage::isWrongScale(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return true;
  const std::size_t last = text.find_last_not_of(" \t") + 1;
  double value = 0.0;
  const char* begin = text.data() + first;
  const char* end = text.data() + last;
  if (*begin == '+') ++begin;
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error != std::errc() || stop != end || !std::isfinite(value) || value < 0.0;
}

void FitPage::created() {
  // The field's colours answer for its text as it stands whenever it is drawn.
  if (ui::Control* scale = control(kScale))
    scale->setExtension([](ui::Control& c, const ui::Message& m) -> std::optional<std::intptr_t> {
      if (m.msg != ui::kMsgCtlColorEdit || !m.colors || !isWrongScale(c.text())) return std::nullopt;
      *m.colors = kWrongNumberColors;
      return 1;
    });
}

void FitPage::destroyed() {
  if (ui::Control* scale = control(kScale)) scale->setExtension(nullptr);
}

void FitPage::load(const EditorSource& source) {
  const StyleEditorDialog& e = editor();
  const bool keepInside = source.flag("DIMTIX");
  const int atfit = int(source.number("DIMATFIT"));
  setChecked(kKeepInside, keepInside);
  for (const FitChoice& choice : kFitChoices) setChecked(choice.button, !keepInside && choice.atfit == atfit);

  setChecked(kSuppressArrows, source.flag("DIMSOXD"));
  const int tmove = int(source.number("DIMTMOVE"));
  for (int i = 0; i < int(std::size(kTextMoves)); ++i) setChecked(kTextMoves[i], i == tmove);
  setChecked(kDimLineInside, source.flag("DIMTOFL"));
  setChecked(kPlaceManually, source.flag("DIMUPT"));

  const double scale = source.number("DIMSCALE");
  setChecked(kOverallScale, scale != 0.0);
  setChecked(kScaleToLayout, scale == 0.0);
  loadNumber(kScale, scale);
  enable({kScale, kScaleSpin}, scale != 0.0);

  enable({kKeepInside}, e.notRadius() && e.notLeader() && e.notOrdinate());
  const bool fits = e.notLeader() && e.notOrdinate();
  enable({kFitLabel, kBestFit, kArrows, kText, kBoth, kBesideLine, kOverWithLeader, kOverNoLeader, kPlaceManually,
          kDimLineInside},
         fits);
  if (ui::Control* beside = control(kBesideLine))
    if (ui::Control* label = window()->controlBefore(*beside)) label->enable(fits);
}

void FitPage::command(int id, unsigned code) {
  if (code != ui::kCmdClicked) return;
  if (id == kOverallScale) enable({kScale, kScaleSpin}, true);
  if (id == kScaleToLayout) enable({kScale, kScaleSpin}, false);
}

void FitPage::store(EditorStore& out) const {
  const bool keepInside = isChecked(kKeepInside);
  out.put("DIMTIX", keepInside);
  if (!keepInside) {
    int atfit = 0;
    for (const FitChoice& choice : kFitChoices)
      if (isChecked(choice.button)) {
        atfit = choice.atfit;
        break;
      }
    out.put("DIMATFIT", atfit);
  }
  out.put("DIMSOXD", isChecked(kSuppressArrows));
  out.put("DIMTMOVE", isChecked(kOverWithLeader) ? 1 : isChecked(kOverNoLeader) ? 2 : 0);
  out.put("DIMTOFL", isChecked(kDimLineInside));
  out.put("DIMUPT", isChecked(kPlaceManually));
  // The leader child compares the scale as typed, whatever the choice.
  if (const std::optional<double> typed = fieldValue(out, kScale))
    out.put("DIMSCALE", isChecked(kOverallScale) ? std::fabs(*typed) : 0.0).leaderValue = *typed;
}

}  // namespace dds
