// Selecting objects at the command line.
#include <gtest/gtest.h>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLeader.h"
#include "host_test_support.h"
#include "selection.h"

namespace {

struct SampleDrawing {
  explicit SampleDrawing(OdDbDatabase& db) {
    OdDbLayerTablePtr layers = db.getLayerTableId().safeOpenObject(OdDb::kForWrite);
    OdDbLayerTableRecordPtr locked = OdDbLayerTableRecord::createObject();
    locked->setName("Locked");
    locked->setIsLocked(true);
    const OdDbObjectId lockedLayer = layers->add(locked);
    layers.release();

    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    line = ms->appendOdDbEntity(OdDbLine::createObject());
    OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
    d->setXLine2Point({10, 0});
    dim = ms->appendOdDbEntity(d);
    d.release();
    OdDbLeaderPtr l = OdDbLeader::createObject();
    l->appendVertex({0, 0});
    l->appendVertex({5, 5});
    leader = ms->appendOdDbEntity(l);
    l.release();
    OdDbRotatedDimensionPtr d2 = OdDbRotatedDimension::createObject();
    d2->setXLine2Point({20, 0});
    lockedDim = ms->appendOdDbEntity(d2);
    d2->setLayer(lockedLayer);
  }
  OdDbObjectId line, dim, leader, lockedDim;
};

std::string hex(OdDbObjectId id) { return id.getHandle().ascii(); }

TEST(Selection, HandlesAllLastAndTypeFilters) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  SampleDrawing s(*doc->database());
  const std::string script = hex(s.line) + " " + hex(s.dim) + "\n" + hex(s.dim) + "\nL\n\n" + "ALL\n\n" +
                             "TYPE=DIMENSION\n\n";
  host.in.str(script);
  HostEdSSManager& ss = *doc->selectionManager();
  OdDbObjectIdArray ids;
  // Handles (the repeated one counted once) and the last object: on a locked layer, so skipped.
  EXPECT_EQ(ss.select("", 0, ids), kSelectionOk);
  EXPECT_EQ(ids, (OdDbObjectIdArray{s.line, s.dim}));
  expectAllIn(host.transcript(), {"1 duplicate(s) ignored", "1 on a locked layer"});
  EXPECT_EQ(ss.lastEntity(), s.lockedDim);
  // ALL, without the locked one.
  EXPECT_EQ(ss.select("", 0, ids), kSelectionOk);
  EXPECT_EQ(ids, (OdDbObjectIdArray{s.line, s.dim, s.leader}));
  // TYPE= names the DXF kind (every dimension class).
  EXPECT_EQ(ss.select("", kSelLockedLayersAllowed, ids), kSelectionOk);
  EXPECT_EQ(ids, (OdDbObjectIdArray{s.dim, s.lockedDim}));
}

TEST(Selection, SingleModeClassFilterAndCallerPrompt) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  SampleDrawing s(*doc->database());
  host.in.str(hex(s.line) + "\n" + hex(s.leader) + " " + hex(s.dim) + "\n");
  OdDbObjectIdArray ids;
  EXPECT_EQ(doc->selectionManager()->select("Select dimension", 0x212000, ids, OdDbDimension::desc()),
            kSelectionOk);
  EXPECT_EQ(ids, OdDbObjectIdArray{s.dim});
  expectAllIn(host.transcript(), {"Select dimension " + hex(s.line), "1 not of the requested kind"});
  EXPECT_EQ(host.transcript().find("Select objects:"), std::string::npos);
}

TEST(Selection, EnterCancelBadInputAndErasedObjects) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  SampleDrawing s(*doc->database());
  s.leader.safeOpenObject(OdDb::kForWrite)->erase();
  host.in.str("\nFFFFFF\nzz top\n" + hex(s.line) + "\n^C\n" + hex(s.leader) + "\n\n");
  OdDbObjectIdArray ids{s.dim};
  EXPECT_EQ(doc->selectionManager()->select("", 0, ids), kSelectionNone);
  EXPECT_TRUE(ids.empty());
  // An unknown handle and nonsense are refused; the handle after them is
  // taken, and the cancel then drops the whole selection.
  EXPECT_EQ(doc->selectionManager()->select("", 0, ids), kSelectionCancelled);
  EXPECT_TRUE(ids.empty());
  expectAllIn(host.transcript(), {"Invalid selection \"FFFFFF\"", "Invalid selection \"zz top\""});
  // An erased object cannot be picked.
  EXPECT_EQ(doc->selectionManager()->select("", 0, ids), kSelectionNone);
}

}  // namespace
