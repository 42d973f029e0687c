// -LAYER and the Layer manager in a whole qrvhost session: the options as
// drafters type them and the dialog as users click it, the refusals with
// their reasons, new objects on the current layer, one undo
// step, and what ezdxf reads from the saved drawing. (Its Russian keywords
// are run with the other Russian commands in the drafting sessions.)
#include <gtest/gtest.h>

#include "OdDbLayerTableRecord.h"
#include "OdDbSymbolTable.h"
#include "session_support.h"

using namespace sessions;

namespace {

TEST(LayerSessions, OptionsAndTheLayerManagerChangeTheLayersAndRefuseWhatCannotBeDone) {
  const auto dir = tempFolder("layer-options");
  makeDrawing(dir / "in.dxf");
  const auto out = dir / "out.dxf";
  const Result r = runScript(dir,
                             "-LAYER\n"
                             "New\nWalls, Doors ,Hidden lines,Bad*Name\n"
                             "Color\nmauve\n1\nWalls,Doors\n"
                             "Ltype\nHIDDEN\nContinuous\nNone*\n"
                             "LW\n0.33\n0,35mm\nWALLS\n"
                             "F\n0,Doors\n"
                             "LO\nW*\n"
                             "Make\nNotes\n"
                             "Set\nDoors\n"
                             "D\n0,Notes,Hidden lines\n"
                             "R\nWalls\nWall outlines\n"
                             "?\n*\n"
                             "\n"
                             "DIMLINEAR 0,0 10,0 5,5\n"
                             "SAVEAS\n" + out.string() + "\n"
                             // The whole run of options is one step.
                             "UNDO\n2\n-LAYER\n?\n\n\n"
                             // The Layer manager, played as a user would: what it refuses it
                             // names and stays open; OK writes everything as one undo step.
                             "-LAYER\nNew\nOld\n\n"
                             "LAYER\n"
                             // What the dialog says shows in its dump.
                             "press New\ntype 310 Walls\ntype 314 mauve\ndump\ntype 314 1\nselect 316 0.35mm\n"
                             "press Frozen\npress Set Current\ndump\n"  // a frozen layer cannot be current
                             // nor can the current one be frozen or deleted
                             "select 300 #0\npress Frozen\ndump\npress Delete\ndump\n"
                             "select 300 Old\ntype 310 walls\npress OK\ndump\n"  // two layers of one name
                             "select 300 walls\ntype 310 Kept\npress Set Current\npress OK\n"
                             "SAVEAS\n" + (dir / "dialog.dxf").string() + "\nUNDO\n1\n-LAYER\n?\n\n\n"
                             "QUIT\nN\n",
                             (dir / "in.dxf").string());
  ASSERT_EQ(r.status, 0) << r.out;
  expectAllIn(r.out, {"Enter an option [?/Make/Set/New/ON/OFF/Color/Ltype/LWeight/Freeze/Thaw/LOck/Unlock/Rename/Delete]:",
                      "Layer \"Walls\" created.", "Layer \"Hidden lines\" created.",
                      "\"Bad*Name\" cannot be a layer name:", "\"mauve\" is no colour",
                      "Enter name list of layer(s) for color red <0>: Walls,Doors\n2 layer(s) changed.",
                      "Linetype \"HIDDEN\" is not loaded in this drawing.", "No layer matches \"None*\".",
                      "\"0.33\" is no lineweight", "Layer \"0\" is the current layer and cannot be frozen.",
                      "Layer \"Notes\" created.\nCurrent layer: \"Notes\".",
                      "Layer \"Doors\" is frozen and cannot be made current.", "Layer \"0\" cannot be deleted.",
                      "Layer \"Notes\" is the current layer and cannot be deleted.", "Layer \"Hidden lines\" deleted.",
                      "Layer \"Walls\" renamed to \"Wall outlines\".", "Undone: -LAYER"});
  // After the undo, the listing shows the drawing as it was.
  const std::size_t undone = r.out.find("Undone: -LAYER");
  ASSERT_NE(undone, std::string::npos);
  EXPECT_FALSE(contains(r.out.substr(undone), "Wall outlines")) << r.out;

  auto db = readDxfDrawing(out.string());
  OdDbLayerTableRecordPtr current = db->getCLAYER().safeOpenObject();
  EXPECT_EQ(current->getName(), "Notes");
  const auto dims = entitiesOf<OdDbDimension>(*db);
  ASSERT_EQ(dims.size(), 3u);
  EXPECT_EQ(dims[2]->layerId(), db->getCLAYER());  // drawn on the current layer
  OdDbLayerTablePtr layers = db->getLayerTableId().safeOpenObject();
  EXPECT_FALSE(layers->has("Hidden lines"));

  // The manager's work, and the undo step that took it back.
  // (The dump quotes texts: a quote inside stands as \".)
  expectAllIn(r.out, {"mauve\\\" is no colour", "Walls\\\" is frozen and cannot be made current.",
                      "0\\\" is the current layer and cannot be frozen.",
                      "0\\\" is the current layer and cannot be deleted.", "Two layers are named", "Undone: LAYER"});
  EXPECT_TRUE(contains(r.out.substr(r.out.find("Undone: LAYER")), "Old ")) << r.out;
  auto dialog = readDxfDrawing((dir / "dialog.dxf").string());
  OdDbLayerTablePtr dialogLayers = dialog->getLayerTableId().safeOpenObject();
  EXPECT_FALSE(dialogLayers->has("Old"));
  OdDbLayerTableRecordPtr kept = dialogLayers->getAt("Kept").safeOpenObject();
  EXPECT_EQ(dialog->getCLAYER(), kept->objectId());
  OdDbLayerTableRecordPtr walls = dialogLayers->getAt("Walls").safeOpenObject();
  EXPECT_TRUE(walls->isFrozen());
  EXPECT_EQ(walls->color(), OdCmColor::fromIndex(1));
  EXPECT_EQ(walls->lineWeight(), OdDb::kLnWt035);

  if (!ezdxfAvailable()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string report = ezdxfReport(dir,
                                         "for l in doc.layers:\n"
                                         "    print(l.dxf.name, l.is_on(), l.is_frozen(), l.is_locked(), l.color,\n"
                                         "          l.dxf.linetype, l.dxf.lineweight)\n"
                                         "print('current', doc.header['$CLAYER'])\n",
                                         out);
  expectAllIn(report, {"errors 0", "Wall outlines True False True 1 Continuous 35",
                       "Doors True True False 1 Continuous -3", "current Notes"});
}

}  // namespace
