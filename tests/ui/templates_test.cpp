// The module's dialog templates as resources: both languages, one layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "OdStringUtil.h"
#include "dialog_template.h"
#include "dialog_templates.h"

namespace {

std::set<int> templateIds() {
  std::set<int> ids;
  const ui::DialogResourceTable& table = dds::res::dialogTemplates();
  for (std::size_t i = 0; i < table.count; ++i) ids.insert(table.items[i].id);
  return ids;
}

}  // namespace

TEST(DialogTemplates, EveryTemplateHasBothLanguagesWithOneLayout) {
  const std::set<int> ids = templateIds();
  ASSERT_TRUE(ids.count(1011));
  for (int id : ids) {
    SCOPED_TRACE(id);
    auto en = ui::loadDialogTemplate(dds::res::dialogTemplates(), id, HostLanguage::kEnglish);
    auto ru = ui::loadDialogTemplate(dds::res::dialogTemplates(), id, HostLanguage::kRussian);
    ASSERT_TRUE(en && ru);
    EXPECT_EQ(en->language, HostLanguage::kEnglish);
    EXPECT_EQ(ru->language, HostLanguage::kRussian) << "Russian falls back to English";
    EXPECT_EQ(en->cx, ru->cx);
    EXPECT_EQ(en->cy, ru->cy);
    EXPECT_EQ(en->child, ru->child);
    EXPECT_EQ(en->child, en->caption.empty());
    if (!en->child) {
      EXPECT_NE(en->caption, ru->caption);
    }
    ASSERT_EQ(en->controls.size(), ru->controls.size());
    std::set<int> seen;
    for (std::size_t i = 0; i < en->controls.size(); ++i) {
      const ui::ControlTemplate &a = en->controls[i], &b = ru->controls[i];
      EXPECT_EQ(a.id, b.id);
      EXPECT_EQ(a.kind, b.kind);
      EXPECT_EQ(a.rect, b.rect);
      EXPECT_EQ(a.style, b.style);
      EXPECT_TRUE(seen.insert(a.id).second) << "duplicate id " << a.id;
      // Controls stay inside their dialog.
      EXPECT_LE(a.rect.right(), en->cx) << a.id;
      EXPECT_LE(a.rect.bottom(), en->cy) << a.id;
      // Each language gives every control its own mnemonic letter.
      for (const auto* tmpl : {&*en, &*ru}) {
        // The English Lines page keeps its established captions, four of
        // which share the access key L.
        if (tmpl->id == 1003 && tmpl->language == HostLanguage::kEnglish) continue;
        std::set<std::string> letters;
        for (const ui::ControlTemplate& c : tmpl->controls) {
          const std::string text = c.text;
          const std::size_t amp = text.find('&');
          if (amp == std::string::npos || amp + 1 >= text.size()) continue;
          const std::size_t len = (static_cast<unsigned char>(text[amp + 1]) >= 0xC0) ? 2 : 1;
          EXPECT_TRUE(letters.insert(qrv::foldCase(text.substr(amp + 1, len))).second)
              << "mnemonic used twice: " << text;
        }
      }
      // Buttons and labels with English words have Russian ones.
      const std::string caption = a.text;
      if (a.kind == ui::ControlKind::kButton && std::any_of(caption.begin(), caption.end(), ::isalpha)) {
        EXPECT_STRNE(a.text, b.text) << a.id;
      }
    }
  }
}

TEST(DialogTemplates, UnknownIdAndSessionLanguage) {
  EXPECT_FALSE(ui::loadDialogTemplate(dds::res::dialogTemplates(), 999));
  setHostLanguage(HostLanguage::kRussian);
  auto ru = ui::loadDialogTemplate(dds::res::dialogTemplates(), 1011);
  setHostLanguage(HostLanguage::kEnglish);
  ASSERT_TRUE(ru);
  EXPECT_EQ(ru->caption, "Сравнение размерных стилей");
}

TEST(DialogTemplates, DialogUnitsFollowTheFont) {
  const ui::DialogUnits units{6, 13};
  EXPECT_EQ(units.toPixels(ui::Rect{0, 0, 337, 231}), (ui::Rect{0, 0, 506, 375}));
  // Neighbouring controls stay neighbours in pixels: no gaps from rounding.
  const ui::Rect a = units.toPixels({7, 9, 42, 8}), b = units.toPixels({49, 9, 10, 8});
  EXPECT_EQ(a.right(), b.x);
  const ui::DialogUnits big{9, 20};
  EXPECT_EQ(big.toPixels(ui::Rect{4, 8, 4, 8}), (ui::Rect{9, 20, 9, 20}));
}
