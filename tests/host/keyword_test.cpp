// Keyword lists and their abbreviations.
#include <gtest/gtest.h>

#include "keyword_list.h"

namespace {

const char* const kStyleOptions =
    "ANnotative Save Restore STatus Variables Apply ? *ANnotative *Save *Restore *STatus *Variables *Apply *?";

// The capitals are the shortest accepted prefix, wherever they stand; a
// keyword without capitals is typed whole; Cyrillic folds case too.
TEST(KeywordAbbreviation, CapitalsAreTheShortestAcceptedPrefix) {
  const struct {
    const char* keyword;
    const char* typed;
    bool accepted;
  } cases[] = {{"ANnotative", "an", true}, {"ANnotative", "AnNo", true},   {"ANnotative", "annotative", true},
               {"ANnotative", "a", false}, {"ANnotative", "annotatives", false}, {"ANnotative", "ax", false},
               {"STatus", "st", true},     {"Save", "st", false},          {"Save", "", false},
               {"eXit", "x", true},        {"eXit", "ex", true},           {"eXit", "e", false},
               {"?", "?", true},           {"none", "NONE", true},         {"none", "no", false},
               {"Да", "д", true},          {"Да", "ДА", true},             {"Нет", "н", true},
               {"Нет", "д", false}};
  for (const auto& c : cases) EXPECT_EQ(keywordAccepts(c.keyword, c.typed), c.accepted) << c.keyword << " " << c.typed;
}

TEST(KeywordList, NumbersLocalThenGlobalKeywords) {
  const HostKeywordList list(kStyleOptions);
  ASSERT_EQ(list.local().size(), 7u);
  ASSERT_EQ(list.global().size(), 7u);
  EXPECT_EQ(list.match("s"), 1);
  EXPECT_EQ(list.match("ST"), 3);
  EXPECT_EQ(list.match("?"), 6);
  // A leading underscore asks for the global spelling.
  EXPECT_EQ(list.match("_s"), 8);
  EXPECT_EQ(list.match("_?"), 13);
  EXPECT_FALSE(list.match("x").has_value());
  EXPECT_FALSE(list.match("").has_value());
}

TEST(KeywordList, GlobalKeywordsAnswerWhenTheLocalOnesAreTranslated) {
  const HostKeywordList list("Да Нет *Yes *No");
  EXPECT_EQ(list.match("да"), 0);
  EXPECT_EQ(list.match("yes"), 2);
  EXPECT_EQ(list.match("N"), 3);  // no local keyword starts with N in Latin letters
  EXPECT_EQ(list.displayText(), "Да/Нет");
}

TEST(KeywordList, PromptFilling) {
  const HostKeywordList list(kStyleOptions);
  EXPECT_EQ(fillPromptKeywords("Enter a dimension style option [%s]<Restore>:", list),
            "Enter a dimension style option [ANnotative/Save/Restore/STatus/Variables/Apply/?]<Restore>:");
  EXPECT_EQ(fillPromptKeywords("100%% [%s] %s", HostKeywordList("Yes No")), "100% [Yes/No] %s");
  // Without keywords the prompt may hold user text; nothing is replaced.
  EXPECT_EQ(fillPromptKeywords("Style 50%s <x>:", HostKeywordList("")), "Style 50%s <x>:");
}

}  // namespace
