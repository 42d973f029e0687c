// Prompts answered from a script: results, Enter, cancel and the transcript.
#include <gtest/gtest.h>

#include "host_test_support.h"

#include <cmath>

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

TEST(KeywordPrompt, InvalidAnswersAndEnterWithoutADefaultAreAskedAgain) {
  ScriptedHost host("bogus\nre\n\nyes\n");
  EXPECT_EQ(host.input().getKeyword(kMainPrompt, kOptions, kPromptHasDefault), 2 + 2);
  const std::string shown =
      "Enter a dimension style option [ANnotative/Save/Restore/STatus/Variables/Apply/?]<Restore>: ";
  EXPECT_EQ(host.transcript(), shown + "bogus\nInvalid option keyword.\n" + shown + "re\n");
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

TEST(TextPrompt, BlanksOnlyWhereAllowedAndWindowsLineEnds) {
  ScriptedHost host("two words\none\nStandard\r\n\r\n");
  OdString text;
  EXPECT_EQ(host.input().getString("Name:", "", kPromptEmptyAllowed, text), kPromptText);
  EXPECT_EQ(text, "one");
  EXPECT_NE(host.transcript().find("Blanks are not allowed in this answer."), std::string::npos);
  EXPECT_EQ(host.input().getString("Name:", "", 7, text), kPromptText);
  EXPECT_EQ(text, "Standard");
  EXPECT_EQ(host.input().getString("Name:", "", 7, text), kPromptEnter);
}

TEST(PointText, AbsoluteRelativePolarAndUnitForms) {
  const std::optional<OdGePoint3d> last = OdGePoint3d(10, 20);
  auto at = [&](const char* text) { return hostParsePoint(text, last); };
  EXPECT_EQ(at(" 1.5 , -2 "), OdGePoint3d(1.5, -2));
  EXPECT_EQ(at("1,2,3"), OdGePoint3d(1, 2, 3));
  EXPECT_EQ(at("1'6\",2 1/2"), OdGePoint3d(18, 2.5));
  EXPECT_EQ(at("@1,-1"), OdGePoint3d(11, 19));
  EXPECT_EQ(at("@"), *last);
  const OdGePoint3d polar = *at("@2<90");
  EXPECT_NEAR(polar.x, 10, 1e-12);
  EXPECT_NEAR(polar.y, 22, 1e-12);
  const OdGePoint3d marked = *at("4<0.5r");
  EXPECT_NEAR(marked.x, 4 * std::cos(0.5), 1e-12);
  for (const char* bad : {"", "1", "1,2,3,4", "a,b", "1,", "@1<", "<45", "1;2", "1,nan"})
    EXPECT_FALSE(at(bad)) << bad;
  HostPointError why = HostPointError::kNone;
  EXPECT_FALSE(hostParsePoint("@1,1", std::nullopt, &why));
  EXPECT_EQ(why, HostPointError::kNoLastPoint);
}

// A picked point on the snap grid, then along X or Y from the base point;
// without a base, ortho leaves the point where the grid put it.
TEST(PointText, PickedPointsFollowTheGridAndOrtho) {
  HostDraftingModes modes;
  const OdGePoint3d cursor(12.4, 7.6);
  EXPECT_EQ(hostDraftedPoint(cursor, OdGePoint3d(0, 0), modes), cursor);
  modes.snapToGrid = true;
  modes.snapX = 5;
  modes.snapY = 2;
  EXPECT_EQ(hostDraftedPoint(cursor, std::nullopt, modes), OdGePoint3d(10, 8));
  modes.ortho = true;
  EXPECT_EQ(hostDraftedPoint(cursor, OdGePoint3d(1, 1), modes), OdGePoint3d(10, 1));  // mostly along X
  EXPECT_EQ(hostDraftedPoint({2.2, 9.1}, OdGePoint3d(1, 1), modes), OdGePoint3d(1, 10));  // mostly along Y
  modes.snapToGrid = false;
  EXPECT_EQ(hostDraftedPoint(cursor, OdGePoint3d(1, 1), modes), OdGePoint3d(12.4, 1));
  EXPECT_EQ(hostDraftedPoint(cursor, std::nullopt, modes), cursor);
}

// A window following the prompt: told of each wait with its rubber band
// and preview, and of its end, also when the prompt is cancelled.
struct RecordingTracker : HostPointTracker {
  std::vector<std::string> events;
  void pointRequested(const HostPointRequest& r) override {
    std::string e = "ask " + r.prompt;
    if (r.options->base) e += " from " + hostPointAnswer(*r.options->base);
    if (r.options->preview) e += r.options->preview({1, 1}) ? " with preview" : " without preview";
    events.push_back(e);
  }
  void pointRequestEnded() override { events.push_back("end"); }
};

TEST(PointPrompt, PointsOptionsRetriesAndTheWindowHook) {
  ScriptedHost host("x\n1,2\nV\n@3,0\n^C\n");
  RecordingTracker tracker;
  host.input().setPointTracker(&tracker);
  HostPointOptions options;
  options.base = OdGePoint3d(1, 2);
  options.preview = [](const OdGePoint3d&) -> OdDbEntityPtr { return OdDbEntityPtr(); };
  OdGePoint3d p;
  EXPECT_EQ(host.input().getPoint("Point or [%s]:", "Vertical *Vertical", 0, p), kPromptPoint);
  EXPECT_EQ(p, OdGePoint3d(1, 2));
  EXPECT_EQ(host.input().getPoint("Point or [%s]:", "Vertical *Vertical", 0, p, options), kPromptKeyword);
  EXPECT_EQ(host.input().getPoint("Point:", "", 0, p, options), kPromptPoint);
  EXPECT_EQ(p, OdGePoint3d(4, 2));
  EXPECT_EQ(host.input().getPoint("Point:", "", 0, p), kPromptCancelled);
  EXPECT_NE(host.transcript().find("Point or [Vertical]: x\nInvalid point \"x\""), std::string::npos)
      << host.transcript();
  const std::vector<std::string> expected = {"ask Point or [Vertical]:", "end",
                                             "ask Point or [Vertical]: from 1,2 without preview", "end",
                                             "ask Point: from 1,2 without preview", "end", "ask Point:", "end"};
  EXPECT_EQ(tracker.events, expected);
  EXPECT_EQ(hostParsePoint(hostPointAnswer({0.1, 1.0 / 3, -7e-300}), std::nullopt), OdGePoint3d(0.1, 1.0 / 3, -7e-300));
}

}  // namespace
