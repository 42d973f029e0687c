// Keyword lists and their abbreviations.
#include <gtest/gtest.h>

#include "keyword_list.h"

namespace {

const char* const kStyleOptions =
    "ANnotative Save Restore STatus Variables Apply ? *ANnotative *Save *Restore *STatus *Variables *Apply *?";

TEST(KeywordAbbreviation, CapitalsAreTheShortestAcceptedPrefix) {
  EXPECT_TRUE(keywordAccepts("ANnotative", "an"));
  EXPECT_TRUE(keywordAccepts("ANnotative", "AnNo"));
  EXPECT_TRUE(keywordAccepts("ANnotative", "annotative"));
  EXPECT_FALSE(keywordAccepts("ANnotative", "a"));
  EXPECT_FALSE(keywordAccepts("ANnotative", "annotatives"));
  EXPECT_FALSE(keywordAccepts("ANnotative", "ax"));
  EXPECT_TRUE(keywordAccepts("STatus", "st"));
  EXPECT_FALSE(keywordAccepts("Save", "st"));
  EXPECT_FALSE(keywordAccepts("Save", ""));
}

TEST(KeywordAbbreviation, InnerCapitalsAndKeywordsWithoutCapitals) {
  EXPECT_TRUE(keywordAccepts("eXit", "x"));
  EXPECT_TRUE(keywordAccepts("eXit", "ex"));
  EXPECT_FALSE(keywordAccepts("eXit", "e"));
  EXPECT_TRUE(keywordAccepts("?", "?"));
  EXPECT_TRUE(keywordAccepts("none", "NONE"));
  EXPECT_FALSE(keywordAccepts("none", "no"));
}

TEST(KeywordAbbreviation, CyrillicKeywordsFoldCase) {
  EXPECT_TRUE(keywordAccepts("Да", "д"));
  EXPECT_TRUE(keywordAccepts("Да", "ДА"));
  EXPECT_TRUE(keywordAccepts("Нет", "н"));
  EXPECT_FALSE(keywordAccepts("Нет", "д"));
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
