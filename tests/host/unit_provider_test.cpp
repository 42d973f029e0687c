// The unit text markers follow the active drawing's settings.
#include <gtest/gtest.h>

#include "host_test_support.h"
#include "units/host_units.h"

namespace {

TEST(UnitSettings, MarkersFollowTheActiveDrawingAndWithoutOneTheDefaults) {
  ScriptedHost host;
  OdString text;
  ASSERT_EQ(hostdbRToS(1.5, -1, -1, text), 0);
  EXPECT_EQ(text, "1.5000");
  HostApDocument* a = host.newDocument(OdDb::kEnglish);
  a->database()->setLUNITS(4);  // architectural
  a->database()->setLUPREC(4);
  ASSERT_EQ(hostdbRToS(14.5, -1, -1, text), 0);
  EXPECT_EQ(text, "1'-2 1/2\"");
  double back = 0;
  ASSERT_TRUE(hostdbDisToF(text, -1, back));
  EXPECT_DOUBLE_EQ(back, 14.5);

  HostApDocument* b = host.newDocument(OdDb::kMetric);  // decimals with a decimal comma
  b->database()->setLUPREC(2);
  ASSERT_EQ(hostdbRToS(2.5, 255, 255, text), 0);
  EXPECT_EQ(text, "2,5");

  host.documents().activateDocument(a);
  ASSERT_EQ(hostdbRToS(2.5, -1, -1, text), 0);
  EXPECT_EQ(text, "2 1/2\"");
}

}  // namespace
