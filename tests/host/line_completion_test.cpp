// Tab completion at the terminal, without a terminal.
#include <gtest/gtest.h>

#include "line_completion.h"

using namespace qrvhost;

namespace {
const CompletionWords kWords{{"DIMLINEAR", "DIMSTYLE", "-DIMSTYLE", "DIMREGEN", "SAVE", "SAVEAS"},
                             {"DIMASZ", "DIMSCALE", "DIMSTYLE", "LUNITS"}};
using Names = std::vector<std::string>;
}  // namespace

TEST(LineCompletion, CommandsThenVariablesAtTheCommandPrompt) {
  // Letter case is ignored; a name that is both a command and a variable
  // is offered once.
  EXPECT_EQ(completionCandidates("dims", "Command: ", true, kWords), (Names{"DIMSTYLE", "DIMSCALE"}));
  EXPECT_EQ(completionCandidates("  sa", "Command: ", true, kWords), (Names{"SAVE", "SAVEAS"}));
  EXPECT_EQ(completionCandidates("-d", "Command: ", true, kWords), (Names{"-DIMSTYLE"}));
  EXPECT_TRUE(completionCandidates("zz", "Command: ", true, kWords).empty());
  // After the command name only variables are known (SETVAR DIMA).
  EXPECT_EQ(completionCandidates("SETVAR dima", "Command: ", true, kWords), (Names{"DIMASZ"}));
}

TEST(LineCompletion, KeywordsOfTheCurrentPromptElsewhere) {
  const std::string prompt = "Specify dimension line location or [Text/Angle/Horizontal/Vertical/Rotated]: ";
  EXPECT_EQ(promptKeywords(prompt), (Names{"Text", "Angle", "Horizontal", "Vertical", "Rotated"}));
  EXPECT_EQ(completionCandidates("h", prompt, false, kWords), (Names{"Horizontal"}));
  EXPECT_EQ(completionCandidates("", "Enter a zoom option [Extents] <Extents>: ", false, {}), (Names{"Extents"}));
  // A prompt without brackets, or with a sentence in them, offers no keywords.
  EXPECT_TRUE(promptKeywords("Enter new value for DIMASZ <0.18>: ").empty());
  EXPECT_TRUE(promptKeywords("Select objects [or press Enter]: ").empty());
  EXPECT_EQ(completionCandidates("lu", "Enter variable name or [?]: ", false, kWords), (Names{"LUNITS"}));
  // Russian keywords are whole characters.
  const Names ru = completionCandidates("Т", "Положение размерной линии или [Текст/Угол/Тип]: ", false, {});
  EXPECT_EQ(ru, (Names{"Текст", "Тип"}));
  EXPECT_EQ(commonPrefix(ru), "Т");
}

TEST(LineCompletion, CommonPrefixIgnoresLetterCase) {
  EXPECT_EQ(commonPrefix({"DIMSTYLE", "dimscale"}), "DIMS");
  EXPECT_EQ(commonPrefix({"SAVE", "SAVEAS"}), "SAVE");
  EXPECT_EQ(commonPrefix({}), "");
}
