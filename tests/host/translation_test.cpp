// Resource translation and the host's own texts.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "../shared/translated_texts.h"
#include "host_test_support.h"
#include "host_text.h"
#include "opm/palette_texts.h"
#include "translation.h"

namespace {

const QrStringEntry kStrings[] = {{10, "Linear", "Линейный"}, {11, "Only English", ""}, {12, "Both", nullptr}};
const QrLiteralEntry kLiterals[] = {{"Arrows:", "None", "Нет"}, {"", "None", "Не задан"}, {"", "Open", "Открытая"}};
const QrModuleResources kModule = {"testmod", kStrings, 3, kLiterals, 3};

struct LanguageGuard {
  ~LanguageGuard() {
    setHostLanguage(HostLanguage::kEnglish);
    Supp_UninitResTranslation(&kModule);
  }
};

TEST(Translation, StringsAreEnglishUntilTheModuleSwitchesTranslationOn) {
  LanguageGuard guard;
  setHostLanguage(HostLanguage::kRussian);
  EXPECT_EQ(Supp_LoadString(&kModule, 10), "Linear");
  Supp_InitResTranslation(&kModule);
  Supp_InitResTranslation(&kModule);
  EXPECT_TRUE(Supp_IsTranslationActive(&kModule));
  EXPECT_EQ(Supp_LoadString(&kModule, 10), "Линейный");
  EXPECT_EQ(Supp_LoadString(&kModule, 11), "Only English");  // no translation: English
  EXPECT_EQ(Supp_LoadString(&kModule, 12), "Both");
  setHostLanguage(HostLanguage::kEnglish);
  EXPECT_EQ(Supp_LoadString(&kModule, 10), "Linear");
}

TEST(Translation, UnknownIdsGiveEmptyTextAndAWarning) {
  LanguageGuard guard;
  CapturedLog log;
  EXPECT_EQ(Supp_LoadString(&kModule, 999), "");
  EXPECT_NE(log.text().find("WARNING 'string 999 not found in module testmod'"), std::string::npos);
}

TEST(Translation, LiteralsByContextThenWithout) {
  LanguageGuard guard;
  Supp_InitResTranslation(&kModule);
  setHostLanguage(HostLanguage::kRussian);
  EXPECT_EQ(Supp_Translate("None", "Arrows:"), "Нет");
  EXPECT_EQ(Supp_Translate("None"), "Не задан");
  EXPECT_EQ(Supp_Translate("Open", "Arrows:"), "Открытая");
  EXPECT_EQ(Supp_Translate("Unknown words"), "Unknown words");
  Supp_UninitResTranslation(&kModule);
  EXPECT_EQ(Supp_Translate("None", "Arrows:"), "None");
}

TEST(Translation, LanguageNames) {
  EXPECT_EQ(parseHostLanguage("ru"), HostLanguage::kRussian);
  EXPECT_EQ(parseHostLanguage("ru_RU.UTF-8"), HostLanguage::kRussian);
  EXPECT_EQ(parseHostLanguage("en_GB"), HostLanguage::kEnglish);
  EXPECT_EQ(parseHostLanguage("C"), HostLanguage::kEnglish);
  EXPECT_FALSE(parseHostLanguage("de_DE").has_value());
  EXPECT_FALSE(parseHostLanguage("rus").has_value());
}

TEST(HostTexts, EveryTextHasARussianFormWithTheSameConversions) {
  const QrModuleResources& res = hostTextResources();
  ASSERT_GT(res.stringCount, 40u);
  std::set<unsigned> ids;
  for (std::size_t i = 0; i < res.stringCount; ++i) {
    const QrStringEntry& e = res.strings[i];
    EXPECT_EQ(e.id, i + 1) << "the table must follow the enumeration";
    ASSERT_NO_FATAL_FAILURE(expectSameTextInBothLanguages(e.en, e.ru));
    ids.insert(e.id);
  }
  EXPECT_EQ(ids.size(), res.stringCount);

  // The palette's literals: each English text once, with its conversions.
  const QrModuleResources& palette = hostPaletteTextResources();
  std::set<std::string> english;
  for (std::size_t i = 0; i < palette.literalCount; ++i) {
    const QrLiteralEntry& e = palette.literals[i];
    ASSERT_NO_FATAL_FAILURE(expectSameTextInBothLanguages(e.en, e.ru));
    EXPECT_TRUE(english.insert(std::string(e.context) + "|" + e.en).second) << e.en;
  }
}

TEST(HostTexts, KeywordListsKeepTheEnglishGlobalSpellings) {
  LanguageGuard guard;
  setHostLanguage(HostLanguage::kRussian);
  EXPECT_EQ(hostText(HostText::kYesNoKeywords), "Да Нет *Yes *No");
  EXPECT_EQ(hostText(HostText::kCommandPrompt), "Команда:");
}

}  // namespace
