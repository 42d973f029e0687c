// Documents, their reactors, locking, palette changes, reference editing,
// property managers and the object manager's stamp.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "drawing_helpers.h"
#include "host_entry.h"
#include "host_error.h"
#include "host_test_support.h"
#include "object_manager.h"
#include "property_manager.h"
#include "ref_edit.h"

namespace {

struct RecordingReactor : HostApDocManagerReactor {
  std::vector<std::string> events;
  void documentCreated(HostApDocument* d) override { events.push_back("created " + d->title()); }
  void documentToBeDestroyed(HostApDocument* d) override { events.push_back("destroyed " + d->title()); }
  void documentActivated(HostApDocument* d) override { events.push_back("activated " + d->title()); }
  void documentLockModeChanged(HostApDocument*, int mode, const OdString& cmd) override {
    events.push_back("lock " + std::to_string(mode) + " " + cmd);
  }
};

struct ThrowingReactor : HostApDocManagerReactor {
  void documentCreated(HostApDocument*) override { throw std::runtime_error("reactor failure"); }
};

TEST(Documents, ReactorsSeeEveryDocumentComeAndGoUntilRemovedOrDestroyed) {
  ScriptedHost host;
  RecordingReactor r;
  host.documents().addReactor(&r);
  host.documents().addReactor(&r);  // twice is once
  EXPECT_EQ(host.documents().reactorCount(), 1u);
  HostApDocument* a = host.newDocument();
  HostApDocument* b = host.newDocument();
  EXPECT_EQ(host.documents().curDocument(), b);
  host.documents().closeDocument(b);
  EXPECT_EQ(host.documents().curDocument(), a);
  EXPECT_EQ(r.events, (std::vector<std::string>{"created Drawing1.dxf", "activated Drawing1.dxf",
                                                 "created Drawing2.dxf", "activated Drawing2.dxf",
                                                 "destroyed Drawing2.dxf", "activated Drawing1.dxf"}));
  host.documents().removeReactor(&r);
  {
    RecordingReactor gone;
    host.documents().addReactor(&gone);
  }
  EXPECT_EQ(host.documents().reactorCount(), 0u);  // the destroyed one detached itself
  host.newDocument();                               // and no reactor hears of this one
  EXPECT_EQ(r.events.size(), 6u);
}

TEST(Documents, AReactorThatThrowsIsLoggedAndOthersStillHear) {
  CapturedLog log;
  ScriptedHost host;
  ThrowingReactor bad;
  RecordingReactor good;
  host.documents().addReactor(&bad);
  host.documents().addReactor(&good);
  host.newDocument();
  EXPECT_EQ(good.events.front(), "created Drawing1.dxf");
  EXPECT_NE(log.text().find("documentCreated: reactor failure"), std::string::npos);
}

TEST(Documents, LocksNestAndALockedDocumentCannotClose) {
  ScriptedHost host;
  RecordingReactor r;
  host.documents().addReactor(&r);
  HostApDocument* doc = host.newDocument();
  r.events.clear();
  HostApDocManager& dm = host.documents();
  EXPECT_EQ(dm.lockDocument(doc, kHostLockRead, "LIST", "LIST"), S_OK);
  EXPECT_EQ(dm.lockDocument(doc, kHostLockWrite, "OPM_CHGPROP", "Arrow 1"), S_OK);
  EXPECT_EQ(doc->lockMode(), kHostLockWrite);
  EXPECT_EQ(doc->lockDepth(), 2);
  EXPECT_THROW(dm.closeDocument(doc), HostError);
  EXPECT_EQ(dm.unlockDocument(doc), S_OK);
  EXPECT_EQ(dm.unlockDocument(doc), S_OK);
  EXPECT_EQ(dm.unlockDocument(doc), E_FAIL);
  EXPECT_EQ(doc->lockMode(), kHostLockNone);
  EXPECT_EQ(dm.lockDocument(doc, 7, "X", "X"), E_INVALIDARG);
  EXPECT_EQ(r.events, (std::vector<std::string>{"lock 2 LIST", "lock 1 LIST", "lock 0 LIST"}));
  dm.closeDocument(doc);
  EXPECT_EQ(dm.curDocument(), nullptr);
}

TEST(Documents, APaletteChangeReleasesTheLocksTakenInside) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  HostApDocManager& dm = host.documents();
  dm.lockDocument(doc, kHostLockWrite, "-DIMSTYLE", "-DIMSTYLE");
  dm.beginPaletteChange(doc);
  EXPECT_EQ(doc->paletteChangeDepth(), 1);
  dm.lockDocument(doc, kHostLockWrite, "OPM_CHGPROP", "Arrow size");
  dm.endPaletteChange(doc);
  EXPECT_EQ(doc->paletteChangeDepth(), 0);
  EXPECT_EQ(doc->lockDepth(), 1);  // the command's own lock stays
  dm.unlockDocument(doc);
}

TEST(Documents, ReferenceEditingGivesItsWorkingSet) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  EXPECT_EQ(hostGetRefEditModeLT(), nullptr);
  const OdDbObjectId inside = doc->database()->getLayerZeroId();
  host.documents().beginRefEdit(doc, {inside});
  ASSERT_NE(hostGetRefEditModeLT(), nullptr);
  EXPECT_TRUE(hostGetRefEditModeLT()->workSetHas(inside));
  EXPECT_FALSE(hostGetRefEditModeLT()->workSetHas(doc->database()->getModelSpaceId()));
  EXPECT_THROW(host.documents().beginRefEdit(doc, {}), HostError);
  host.documents().closeDocument(doc);  // closing the document ends its reference edit
  EXPECT_EQ(hostGetRefEditModeLT(), nullptr);
}

TEST(Documents, PropertyManagersAndClassIdentity) {
  ScriptedHost host;
  HostApDocument* doc = host.newDocument();
  HostApDocument* bare = host.newDocument(OdDb::kMetric, false);
  HostPropertyManager* pm = nullptr;
  ASSERT_TRUE(doc->getPropManager(&pm));
  auto* factory = reinterpret_cast<IOdPropertyFactory*>(&host);  // an opaque token is enough here
  EXPECT_TRUE(pm->addFactory(factory));
  EXPECT_FALSE(pm->addFactory(factory));
  EXPECT_FALSE(pm->addFactory(nullptr));
  EXPECT_TRUE(pm->removeFactory(factory));
  EXPECT_FALSE(pm->removeFactory(factory));
  EXPECT_FALSE(bare->getPropManager(&pm));
  EXPECT_EQ(pm, nullptr);
  EXPECT_EQ(host.documents().documentFor(doc->database()), doc);
  OdDbObjectPtr zero = doc->database()->getLayerZeroId().openObject();
  EXPECT_EQ(hostIsA(zero.get()), zero->isA());
  EXPECT_EQ(hostIsA(nullptr), nullptr);
  EXPECT_EQ(hostDocManager(), &host.documents());
}

TEST(ObjectManager, StampMovesForwardOnEveryChangeAndNeverBack) {
  ScriptedHost host;
  ASSERT_EQ(gpQrObjManager, &host.services.objects());
  std::uint64_t last = gpQrObjManager->modificationStamp();
  auto advanced = [&] {
    const std::uint64_t now = gpQrObjManager->modificationStamp();
    const bool moved = now > last;
    last = now;
    return moved;
  };
  HostApDocument* a = host.newDocument();
  EXPECT_TRUE(advanced());
  EXPECT_FALSE(advanced());
  a->database()->setDimasz(4.0);
  EXPECT_TRUE(advanced());
  HostApDocument* b = host.newDocument();
  EXPECT_TRUE(advanced());
  b->database()->setDimasz(9.0);
  EXPECT_TRUE(advanced());
  host.documents().closeDocument(b);  // its changes must not be subtracted
  EXPECT_TRUE(advanced());
  host.documents().activateDocument(a);
  EXPECT_FALSE(advanced());  // already active
}

}  // namespace
