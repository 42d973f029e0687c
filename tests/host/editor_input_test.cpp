// Prompts answered from a script: results, Enter, cancel and the transcript.
#include <gtest/gtest.h>

#include "host_test_support.h"

namespace {

const char* const kOptions =
    "ANnotative Save Restore STatus Variables Apply ? *ANnotative *Save *Restore *STatus *Variables *Apply *?";
const char* const kMainPrompt = "Enter a dimension style option [%s]<Restore>:";

TEST(KeywordPrompt, ResultsForEnterKeywordsAndGlobalSpellings) {
  ScriptedHost host("\nsave\n_st\n?\n");
  OdString keyword;
  EXPECT_EQ(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), kPromptEnter);
  EXPECT_EQ(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault, &keyword), 2 + 1);
  EXPECT_EQ(keyword, "Save");
  EXPECT_EQ(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault, &keyword), 2 + 7 + 3);
  EXPECT_EQ(keyword, "STatus");
  EXPECT_EQ(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 2 + 6);
}

TEST(KeywordPrompt, InvalidAnswerIsRefusedAndAskedAgain) {
  ScriptedHost host("bogus\nre\n");
  EXPECT_EQ(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 2 + 2);
  const std::string shown =
      "Enter a dimension style option [ANnotative/Save/Restore/STatus/Variables/Apply/?]<Restore>: ";
  EXPECT_EQ(host.transcript(), shown + "bogus\nInvalid option keyword.\n" + shown + "re\n");
}

TEST(KeywordPrompt, EnterWithoutDefaultAsksAgain) {
  ScriptedHost host("\nyes\n");
  EXPECT_EQ(host.input().getKeyword("Go on? [%s]:", "Yes No", 0), 2);
  EXPECT_NE(host.transcript().find("An answer is required."), std::string::npos);
}

TEST(KeywordPrompt, CancelAndEndOfScriptGiveBelowOne) {
  ScriptedHost host("^C\n\x1b\n");
  EXPECT_LT(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 1);
  EXPECT_LT(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 1);
  EXPECT_LT(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 1);  // end of script
  EXPECT_TRUE(host.console.inputEnded());
  EXPECT_LT(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 1);  // and stays ended
  EXPECT_NE(host.transcript().find("^C\n*Cancel*\n"), std::string::npos);
}

TEST(TextPrompt, ResultsForTextEnterQuestionMarkAndCancel) {
  ScriptedHost host("  My Style  \n\n?\n^C\n");
  OdString text;
  EXPECT_EQ(host.input().getString("Enter name [%s]:", "?", 3, text), kPromptText);
  EXPECT_EQ(text, "My Style");
  text = "untouched";
  EXPECT_EQ(host.input().getString("Enter name [%s]:", "?", 3, text), kPromptEnter);
  EXPECT_EQ(host.input().getString("Enter name [%s]:", "?", 3, text), 2);
  EXPECT_EQ(text, "untouched");
  const int cancelled = host.input().getString("Enter name [%s]:", "?", 3, text);
  EXPECT_TRUE(cancelled != 0 && cancelled != 1 && cancelled != 2);
}

TEST(TextPrompt, BlanksOnlyWhereAllowed) {
  ScriptedHost host("two words\none\n");
  OdString text;
  EXPECT_EQ(host.input().getString("Name:", "", kPromptEmptyAllowed, text), kPromptText);
  EXPECT_EQ(text, "one");
  EXPECT_NE(host.transcript().find("Blanks are not allowed in this answer."), std::string::npos);
}

TEST(TextPrompt, WindowsLineEndsInScripts) {
  ScriptedHost host("Standard\r\n\r\n");
  OdString text;
  EXPECT_EQ(host.input().getString("Name:", "", 7, text), kPromptText);
  EXPECT_EQ(text, "Standard");
  EXPECT_EQ(host.input().getString("Name:", "", 7, text), kPromptEnter);
}

}  // namespace
