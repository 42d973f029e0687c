// Font mapping and text measurement, and the layout of formatted text.
#include <gtest/gtest.h>

#include "font_metrics.h"
#include "text_layout.h"

using render::FontMetrics;
using render::layoutText;

TEST(FontMetrics, StyleFontsMapToInstalledFacesWithAFallback) {
  FontMetrics& fm = FontMetrics::shared();
  // Stroke fonts measure with the sans face, the monospaced one with a
  // monospaced face.
  EXPECT_EQ(FontMetrics::requestedFamily("txt", ""), "DejaVu Sans");
  EXPECT_EQ(FontMetrics::requestedFamily("romans.shx", ""), "DejaVu Sans");
  EXPECT_EQ(FontMetrics::requestedFamily("MONOTXT.SHX", ""), "DejaVu Sans Mono");
  EXPECT_EQ(FontMetrics::requestedFamily("arial.ttf", ""), "arial");
  EXPECT_EQ(FontMetrics::requestedFamily("arial.ttf", "Liberation Serif"), "Liberation Serif");
  const int txt = fm.fontFor("txt", "");
  EXPECT_EQ(fm.fontFor("TXT", ""), txt);  // cached, any case
  EXPECT_EQ(fm.info(txt).family, "DejaVu Sans");
  EXPECT_FALSE(fm.info(txt).path.empty());
  // A file that is installed is found by its name.
  const int file = fm.fontFor("DejaVuSansMono.ttf", "");
  EXPECT_EQ(fm.info(file).family, "DejaVu Sans Mono");
  EXPECT_FALSE(fm.info(file).substituted);
  // One that is not still measures, flagged as substituted.
  const int missing = fm.fontFor("no-such-font-here.ttf", "");
  EXPECT_TRUE(fm.info(missing).substituted);
  EXPECT_GT(fm.textWidth(missing, "ABC"), 0.0);
  EXPECT_GT(fm.info(-1).capHeightPerEm, 0.0);  // a bad number never crashes
}

TEST(FontMetrics, WidthsAreAdditiveAndProportional) {
  FontMetrics& fm = FontMetrics::shared();
  const int f = fm.fontFor("txt", "");
  const double m = fm.textWidth(f, "M"), i = fm.textWidth(f, "i");
  EXPECT_NEAR(fm.textWidth(f, "MMMM"), 4 * m, 1e-12);
  EXPECT_GT(m, i);  // a proportional face
  EXPECT_GT(m, 0.8);
  EXPECT_LT(m, 1.6);  // per unit of cap height
  EXPECT_EQ(fm.textWidth(f, ""), 0.0);
  const int mono = fm.fontFor("monotxt", "");
  EXPECT_NEAR(fm.textWidth(mono, "M"), fm.textWidth(mono, "i"), 1e-12);
  EXPECT_GT(fm.textWidth(f, "\xff\xfe"), 0.0);  // malformed bytes still have a width
}

TEST(FontMetrics, CharactersTheFaceLacksComeFromAnotherInstalledFace) {
  FontMetrics& fm = FontMetrics::shared();
  const int sans = fm.fontFor("txt", "");
  // The arc length symbol is not in the sans face; it must not be drawn as
  // the question mark that stands for a missing glyph.
  double arcAdvance = 0, questionAdvance = 0;
  const auto arc = fm.outlines(sans, "\u2312", arcAdvance);
  const auto question = fm.outlines(sans, "?", questionAdvance);
  ASSERT_FALSE(arc.empty());
  EXPECT_NE(arc.size() == question.size() && arc[0].size() == question[0].size() &&
                arcAdvance == questionAdvance,
            true);
  EXPECT_GT(fm.textWidth(sans, "\u2312"), 0.0);
}

TEST(TextLayout, LinesStacksHeightsAndCodes) {
  const int f = FontMetrics::shared().fontFor("txt", "");
  const auto one = layoutText("10.00", 1.0, 1.0, f);
  ASSERT_EQ(one.runs.size(), 1u);
  EXPECT_NEAR(one.height, 1.0, 1e-12);  // a line of capitals
  EXPECT_NEAR(one.runs[0].y, -1.0, 1e-12);
  EXPECT_NEAR(one.width, FontMetrics::shared().textWidth(f, "10.00"), 1e-12);
  EXPECT_NEAR(layoutText("10.00", 1.0, 2.0, f).width, 2 * one.width, 1e-12);
  const auto two = layoutText("A\\PB", 1.0, 1.0, f);
  EXPECT_EQ(two.lines, 2);
  EXPECT_EQ(layoutText("A\\NB", 1.0, 1.0, f).lines, 2);  // a column break is no text
  EXPECT_NEAR(two.runs[1].y - two.runs[0].y, -render::kLineSpacing, 1e-12);
  // A tolerance pair in a smaller height, bottom aligned: its lower part
  // on the baseline.
  const auto tol = layoutText("5{\\H0.5x;\\A0;\\S+1^-2;}", 1.0, 1.0, f);
  ASSERT_EQ(tol.runs.size(), 3u);
  EXPECT_NEAR(tol.runs[1].height, 0.5, 1e-12);
  EXPECT_NEAR(tol.runs[2].y, tol.runs[0].y, 1e-12);
  EXPECT_GT(tol.runs[1].y, tol.runs[2].y);
  // Codes never show as text; escapes do.
  const auto codes = layoutText("{\\C1;\\fArial|b1;A}\\\\B\\{", 1.0, 1.0, f);
  std::string all;
  for (auto& r : codes.runs) all += r.text;
  EXPECT_EQ(all, "A\\B{");
  // A number's ';' may be left out: the text goes on after it.
  const auto bare = layoutText("{\\C1ab} c", 1.0, 1.0, f);
  ASSERT_EQ(bare.runs.size(), 2u);
  EXPECT_EQ(bare.runs[0].text + bare.runs[1].text, "ab c");
  EXPECT_EQ(bare.runs[0].color.index, 1);
  EXPECT_EQ(layoutText("90\\U+00B0", 1.0, 1.0, f).runs[0].text, "90\u00B0");
  EXPECT_EQ(render::expandSymbols("%%d%%p%%c%%%%%x"), "\u00B0\u00B1\u2300%%%x");
  // Character codes, and the underline and overline switches left out;
  // "%%" before anything else stays as typed.
  EXPECT_EQ(render::expandSymbols("%%17645%%u%%UA%%o%%z%%0"), "\u00B045A%%z%%0");
  EXPECT_EQ(render::splitBelowMark("a\\Xb").second, "b");
  EXPECT_EQ(render::splitBelowMark("a\\\\Xb").second, "");  // an escaped backslash
  // Unfinished codes end the text without running past it.
  EXPECT_NO_THROW(layoutText("\\S1/2", 1.0, 1.0, f));
  EXPECT_NO_THROW(layoutText("\\H", 1.0, 1.0, f));
  EXPECT_NO_THROW(layoutText("}}}{", 1.0, 1.0, f));
}

TEST(TextLayout, WrapsAlignsAndTabsWithinTheWidth) {
  const int f = FontMetrics::shared().fontFor("txt", "");
  const double word = FontMetrics::shared().textWidth(f, "WORD");
  const auto l = layoutText("WORD WORD WORD", 1.0, 1.0, f, 2.5 * word);
  ASSERT_EQ(l.lines, 2);
  EXPECT_EQ(l.runs[0].text, "WORD ");
  EXPECT_EQ(l.runs[2].text, "WORD");
  EXPECT_NEAR(l.runs[2].x, 0.0, 1e-12);  // the third word starts the second line
  EXPECT_LE(l.width, 2.5 * word + FontMetrics::shared().textWidth(f, " "));
  // A word longer than the width stands alone; no width: no wrapping.
  EXPECT_EQ(layoutText("LONGWORD x", 1.0, 1.0, f, 0.5).lines, 2);
  EXPECT_EQ(layoutText("WORD WORD WORD", 1.0, 1.0, f).lines, 1);
  // Right and centred paragraphs end at the width, less the right indent,
  // or are centred within it; a caret line feed starts a line.
  const auto right = layoutText("\\pqr,r1;WORD^JWORD", 1.0, 1.0, f, 10);
  ASSERT_EQ(right.lines, 2);
  EXPECT_NEAR(right.runs[1].x + word, 9, 1e-9);
  EXPECT_NEAR(layoutText("\\pqc;WORD", 1.0, 1.0, f, 10).runs[0].x, (10 - word) / 2, 1e-9);
  // Justified: the words of a line the paragraph goes on after reach the
  // width; its last line stays left.
  const auto justified = layoutText("\\pqj;WORD WORD WORD", 1.0, 1.0, f, 2.5 * word);
  ASSERT_EQ(justified.runs.size(), 3u);
  EXPECT_NEAR(justified.runs[1].x + word, 2.5 * word, 1e-9);
  EXPECT_NEAR(justified.runs[2].x, 0, 1e-9);
  // A right tab stop: the text after the tab ends at it.
  const auto tab = layoutText("\\pt2,r9;A^IB^IWORD", 1.0, 1.0, f);
  ASSERT_EQ(tab.runs.size(), 3u);
  EXPECT_NEAR(tab.runs[1].x, 2, 1e-9);
  EXPECT_NEAR(tab.runs[2].x + word, 9, 1e-9);
}
