// The system-variable service: result buffers, text forms, ranges.
#include <gtest/gtest.h>

#include "OdDbDimStyleTableRecord.h"
#include "OdDmUtil.h"
#include "app_services.h"
#include "host_test_support.h"
#include "sysvars.h"

namespace {

TEST(SysVars, DimensionVariablesAsResultBuffersAndText) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument(OdDb::kMetric);
  HostSysVars& vars = host.services.sysVars();
  OdResBufPtr asz = vars.getVar("dimasz");
  ASSERT_TRUE(asz);
  EXPECT_EQ(asz->restype(), 40);
  EXPECT_DOUBLE_EQ(asz->getDouble(), 2.5);
  EXPECT_EQ(vars.valueText("DIMASZ"), "2.5");
  EXPECT_EQ(vars.setFromText("DIMASZ", "3.75"), S_OK);
  EXPECT_DOUBLE_EQ(doc->database()->dimasz(), 3.75);
  EXPECT_EQ(vars.setVar("DIMDEC", *OdResBuf::newRb(70, OdInt16(3))), S_OK);
  EXPECT_EQ(doc->database()->dimdec(), 3);
  EXPECT_EQ(vars.valueText("DIMSAH"), "Off");
  EXPECT_EQ(vars.setFromText("DIMSAH", "on"), S_OK);
  EXPECT_TRUE(doc->database()->dimsah());
  EXPECT_EQ(vars.valueText("DIMPOST"), "\"\"");
  EXPECT_EQ(vars.setFromText("DIMPOST", "<> mm"), S_OK);
  EXPECT_EQ(doc->database()->dimpost(), "<> mm");
  EXPECT_EQ(vars.setFromText("DIMPOST", "."), S_OK);  // "." clears a text
  EXPECT_EQ(doc->database()->dimpost(), "");
  EXPECT_EQ(vars.valueText("DIMDSEP"), "\",\"");
  EXPECT_EQ(vars.setFromText("DIMDSEP", "."), S_OK);
  EXPECT_EQ(doc->database()->dimdsep(), '.');
}

TEST(SysVars, WrongKindsAndRangesAreRefusedWithoutChange) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  HostSysVars& vars = host.services.sysVars();
  OdString why;
  EXPECT_EQ(vars.setFromText("DIMASZ", "big", nullptr, &why), E_INVALIDARG);
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(vars.setVar("DIMASZ", *OdResBuf::newRb(1, "2")), E_INVALIDARG);
  EXPECT_EQ(vars.setFromText("DIMASZ", "nan"), E_INVALIDARG);
  // A byte-sized variable does not wrap around.
  EXPECT_EQ(vars.setFromText("DIMZIN", "300"), E_INVALIDARG);
  EXPECT_EQ(vars.setFromText("LUPREC", "9"), E_INVALIDARG);
  EXPECT_EQ(vars.setFromText("DIMLWD", "7"), E_INVALIDARG);
  EXPECT_EQ(vars.setFromText("DIMLWD", "BYLAYER"), S_OK);
  EXPECT_EQ(vars.valueText("DIMLWD"), "BYLAYER");
  EXPECT_EQ(vars.setFromText("DIMCLRD", "Color 300"), E_INVALIDARG);
  EXPECT_EQ(vars.setFromText("DIMCLRD", "10,20,30"), S_OK);
  EXPECT_EQ(vars.valueText("DIMCLRD"), "10,20,30");
  EXPECT_EQ(vars.getVar("DIMCLRD")->restype(), 420);
  EXPECT_EQ(vars.setFromText("DIMCLRE", "red"), S_OK);
  EXPECT_EQ(vars.getVar("DIMCLRE")->getInt16(), 1);
  // The storage type's range is not the variable's; a line break or NUL
  // typed into a text would break the file it is saved to.
  EXPECT_EQ(vars.setFromText("DIMDEC", "9", nullptr, &why), E_INVALIDARG);
  EXPECT_EQ(why, "the allowed values are 0..8");
  EXPECT_EQ(vars.setFromText("DIMPOST", "mm\rX", nullptr, &why), E_INVALIDARG);
  EXPECT_EQ(why, "a text cannot hold a line break or a NUL character");
  EXPECT_EQ(vars.setFromText("DIMPOST", OdString("mm\0X", 4)), E_INVALIDARG);
  EXPECT_EQ(vars.setFromText("DIMBLK", "*Paper_Space", nullptr, &why), E_INVALIDARG);
  EXPECT_EQ(why, "\"*Paper_Space\" is a layout or anonymous block and cannot be an arrowhead");
  EXPECT_EQ(vars.setVar("DIMBLK", *OdResBuf::newRb(340, doc->database()->getModelSpaceId())), E_INVALIDARG);
  EXPECT_DOUBLE_EQ(doc->database()->dimasz(), 2.5);
  EXPECT_EQ(doc->database()->dimzin(), 8);
  EXPECT_EQ(doc->database()->dimpost(), "");
}

TEST(SysVars, RecordVariablesByIdentifierAndName) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  OdDbDatabase& db = *doc->database();
  HostSysVars& vars = host.services.sysVars();
  OdResBufPtr style = vars.getVar("DIMSTYLE", &db);
  ASSERT_TRUE(style);
  EXPECT_EQ(style->restype(), 340);
  EXPECT_EQ(style->getObjectId(), db.getDimstyle());
  EXPECT_EQ(vars.valueText("DIMSTYLE"), "Standard");
  EXPECT_EQ(vars.setFromText("DIMSTYLE", "NoSuchStyle"), E_INVALIDARG);
  // An identifier of another table is no dimension style.
  EXPECT_EQ(vars.setVar("DIMSTYLE", *OdResBuf::newRb(340, db.getLayerZeroId())), E_INVALIDARG);
  EXPECT_EQ(db.getDimstyle(), db.getDimStyleStandardId());
  // Arrows by name; "." is the default closed filled arrow.
  EXPECT_EQ(vars.setFromText("DIMBLK", "_Dot"), S_OK);
  EXPECT_EQ(OdDmUtil::arrowName(db.dimblk()), "_Dot");
  EXPECT_EQ(vars.setFromText("DIMBLK", "."), S_OK);
  EXPECT_TRUE(db.dimblk().isNull());
  EXPECT_EQ(vars.valueText("DIMBLK"), ".");
  EXPECT_EQ(vars.setFromText("DIMTXSTY", "."), E_INVALIDARG);
}

TEST(SysVars, SessionVariablesReadOnlyAndNoDrawing) {
  ScriptedHost host;
  HostSysVars& vars = host.services.sysVars();
  EXPECT_FALSE(vars.getVar("DIMASZ"));  // no drawing open
  EXPECT_EQ(vars.setFromText("DIMASZ", "1"), E_FAIL);
  OdResBufPtr active = vars.getVar("CMDACTIVE");
  ASSERT_TRUE(active);
  EXPECT_EQ(active->restype(), 90);
  EXPECT_EQ(active->getInt32(), 0);
  vars.setCommandActive(1);
  EXPECT_EQ(vars.getVar("CMDACTIVE")->getInt32(), 1);
  EXPECT_EQ(vars.setVar("CMDACTIVE", *OdResBuf::newRb(90, OdInt32(0))), E_FAIL);
  EXPECT_FALSE(vars.getVar("NOSUCHVAR"));
  EXPECT_EQ(vars.setFromText("MEASUREINIT", "1"), S_OK);
  EXPECT_EQ(host.services.app().createNewDrawing()->getMEASUREMENT(), OdDb::kMetric);
  // The service is what the module reaches through the entry table.
  EXPECT_EQ(hostSysVars(), &vars);
}

TEST(SysVars, EveryNameReadsAndItsTextSetsItBack) {
  ScriptedHost host;
  host.newDocument(OdDb::kEnglish);
  HostSysVars& vars = host.services.sysVars();
  for (const std::string& name : vars.names()) {
    ASSERT_TRUE(vars.getVar(name)) << name;
    if (vars.isReadOnly(name)) continue;
    const OdString before = vars.valueText(name);
    OdString why;
    // DIMTXSTY and the other record names give their names back.
    EXPECT_EQ(vars.setFromText(name, before, nullptr, &why), S_OK) << name << " " << before << ": " << why;
    EXPECT_EQ(vars.valueText(name), before) << name;
  }
}

}  // namespace
