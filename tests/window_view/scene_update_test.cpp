// After a change to the drawing the view draws only what changed: the
// scene then holds exactly what a scene built whole holds, and the view's
// picture is the one painted whole.
#include <gtest/gtest.h>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLayerTableRecord.h"
#include "current_scene.h"
#include "dim_block_builder.h"
#include "dimension_refresh.h"
#include "drawing_view.h"
#include "offscreen_application.h"
#include "picture_compare.h"
#include "renderer.h"

#include <QPainter>

#include <random>

namespace {

using qrvwindow::CurrentScene;
using qrvwindow::ViewScene;

constexpr render::Rgb kBackground{33, 40, 48}, kForeground{255, 255, 255};

// Entity by entity: the same entities in the same order, each with the
// same primitives at the same places.
void expectSameScene(const ViewScene& got, const ViewScene& want) {
  ASSERT_EQ(got.entities().size(), want.entities().size());
  for (std::size_t i = 0; i < want.entities().size(); ++i) {
    const auto &g = got.entities()[i], &w = want.entities()[i];
    ASSERT_EQ(g.id, w.id) << i;
    EXPECT_EQ(g.bounds, w.bounds) << i;
    ASSERT_EQ(g.last - g.first, w.last - w.first) << i;
    for (std::uint32_t k = 0; k < w.last - w.first; ++k) {
      const auto &gp = got.prims()[g.first + k], &wp = want.prims()[w.first + k];
      EXPECT_TRUE(gp.kind == wp.kind && gp.color == wp.color && gp.width == wp.width) << i << " " << k;
      if (wp.kind == qrvwindow::ScenePrim::kText)
        EXPECT_EQ(got.textBounds(g, gp), want.textBounds(w, wp));
      else
        EXPECT_EQ(got.points(g, gp), want.points(w, wp));
    }
  }
  EXPECT_EQ(got.extents(), want.extents());
}

struct Drawing {
  OdDbDatabase db;
  std::vector<OdDbObjectId> dims;
  OdDbObjectId line;
  std::uint64_t checked = 0;  // the stamp when the dimensions were last brought up to date
  CurrentScene current;

  Drawing() {
    render::installDimBlockBuilder();
    OdDbLinePtr l = OdDbLine::createObject();
    l->setEndPoint({40, 30, 0});
    line = add(l);
    for (int i = 0; i < 3; ++i) dims.push_back(dimension(i * 15.0));
    bringUpToDate();
  }
  OdDbObjectId add(OdSmartPtr<OdDbEntity> e) {
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    e->setDatabaseDefaults(&db);
    return ms->appendOdDbEntity(e);
  }
  OdDbObjectId dimension(double y) {
    OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
    d->setXLine1Point({0, y, 0});
    d->setXLine2Point({10 + y, y, 0});
    d->setDimLinePoint({5, y + 4, 0});
    d->setDimensionStyle(db.getDimStyleStandardId());
    return add(d);
  }
  // What the window does after each command: dimension blocks first, then
  // the scene.
  CurrentScene::Result bringUpToDate() {
    EXPECT_TRUE(qrvwindow::refreshDimensionBlocks(&db, checked).empty());
    checked = db.modificationStamp();
    return current.bringUpToDate(&db, kBackground, kForeground);
  }
  // One command: its changes form one undo step.
  template <class F>
  CurrentScene::Result command(F&& change) {
    db.beginUndoGroup();
    change();
    db.endUndoGroup();
    return bringUpToDate();
  }
  void expectAsBuiltWhole() {
    ViewScene whole;
    whole.build(&db, kBackground, kForeground);
    expectSameScene(current.scene(), whole);
  }
};

QImage picture(qrvwindow::DrawingView& view) { return view.grab().toImage(); }

}  // namespace

TEST(SceneUpdate, ChangesRedrawOnlyWhatChangedAndGiveTheSceneAndPictureOfAWholeBuild) {
  offscreenApplication();
  Drawing d;
  ASSERT_EQ(d.current.builds(), 1u);
  ASSERT_EQ(d.current.scene().entities().size(), 4u);
  qrvwindow::DrawingView view;
  view.resize(300, 200);
  view.setBackground(QColor(33, 40, 48));
  view.setScene(&d.current.scene(), false);
  picture(view);

  auto open = [&](OdDbObjectId id) { return id.safeOpenObject(OdDb::kForWrite); };
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      // The palette sets an override: the dimension's block is rebuilt.
      {"override", [&] { OdDbDimension::cast(open(d.dims[1]))->setDimasz(2.5); }},
      // A new dimension, drafted last: it comes last in drawing order.
      {"drafted", [&] { d.dims.push_back(d.dimension(50)); }},
      {"erase", [&] { open(d.line)->erase(); }},
      // The style changes every dimension that uses it.
      {"style", [&] { OdDbDimStyleTableRecord::cast(open(d.db.getDimStyleStandardId()))->setDimtxt(3); }},
  };
  std::size_t areas = 0;
  for (const auto& [name, change] : steps) {
    SCOPED_TRACE(name);
    const CurrentScene::Result r = d.command(change);
    EXPECT_EQ(r.outcome, CurrentScene::Outcome::kUpdated);
    d.expectAsBuiltWhole();
    areas += r.areas.size();
    view.sceneChanged(r.areas);
  }
  // Each step's old and new places: 2 + 1 + 1 + 2 for each of the four
  // dimensions.
  EXPECT_EQ(areas, 12u);
  // The picture kept and painted where things changed is the whole one.
  const QImage kept = picture(view);
  view.setBackground(QColor(33, 40, 48));
  EXPECT_EQ(kept, picture(view));

  // Undo gives back the style, the line and the drafted dimension; the
  // dimensions' blocks follow the values given back.
  for (int undo = 0; undo < 4; ++undo) {
    SCOPED_TRACE(undo);
    d.db.undo();
    EXPECT_EQ(d.bringUpToDate().outcome, CurrentScene::Outcome::kUpdated);
    d.expectAsBuiltWhole();
  }
  EXPECT_EQ(d.current.scene().entities().size(), 4u);
  EXPECT_EQ(d.current.builds(), 1u);

  // A layer's colour reaches entities no stamp names: built whole.
  EXPECT_EQ(d.command([&] { OdDbLayerTableRecord::cast(open(d.db.getLayerZeroId()))->setColor(OdCmColor::fromIndex(1)); })
                .outcome,
            CurrentScene::Outcome::kBuilt);
  EXPECT_EQ(d.current.builds(), 2u);
  EXPECT_EQ(d.bringUpToDate().outcome, CurrentScene::Outcome::kUnchanged);
}

namespace {

// Every dimension of model space, each as its block draws it now.
std::vector<ViewScene> dimensionPictures(OdDbDatabase& db) {
  std::vector<ViewScene> pictures;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject();
  for (OdDbBlockIteratorPtr it = ms->newIterator(); !it->done(); it->step()) {
    if (!OdDbDimension::cast(it->entity().get())) continue;
    render::Renderer r;
    r.draw(it->objectId());
    pictures.emplace_back().buildFrom(r.take());
  }
  return pictures;
}

// Each dimension's block holds what its values make now: built again
// (outside any undo step, as the window does), every one draws the same.
void expectBlocksCurrent(OdDbDatabase& db) {
  const std::vector<ViewScene> before = dimensionPictures(db);
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject();
  db.blockUndoRecording(true);
  for (OdDbBlockIteratorPtr it = ms->newIterator(); !it->done(); it->step()) {
    OdDbDimensionPtr dim = OdDbDimension::cast(it->objectId().openObject(OdDb::kForWrite).get());
    if (!dim) continue;
    const OdDbObjectId block = dim->dimBlockId();
    ASSERT_TRUE(block.isValid() && !block.isErased()) << dim->getDbHandle().ascii();
    dim->recomputeDimBlock(true);
  }
  db.blockUndoRecording(false);
  const std::vector<ViewScene> after = dimensionPictures(db);
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) expectSameScene(before[i], after[i]);
}

}  // namespace

// Drafting, palette overrides, style changes, erasing, and undo and redo in
// any order, with the window's rebuilding of blocks (which is no step of
// its own) between them: blocks always show their dimensions' values, and
// the scene is always the one built whole.
TEST(SceneUpdate, AnyOrderOfChangesUndosAndRedosKeepsBlocksCurrentAndTheSceneWhole) {
  offscreenApplication();
  Drawing d;
  std::mt19937 random(11);
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
  auto liveDimension = [&]() -> OdDbDimensionPtr {
    std::vector<OdDbObjectId> live;
    for (const OdDbObjectId& id : d.dims)
      if (!id.isErased()) live.push_back(id);
    if (live.empty()) return OdDbDimensionPtr();
    return OdDbDimension::cast(live[pick(live.size())].openObject(OdDb::kForWrite).get());
  };
  int undos = 0, redos = 0;
  for (int step = 0; step < 300; ++step) {
    // Undo and redo as often as changes, so that runs of them come up:
    // 0-3 a change, 4 undo, 5 redo.
    const std::size_t roll = pick(8), what = roll < 4 ? roll : roll < 6 ? 4 : 5;
    SCOPED_TRACE(std::to_string(step) + ": " + std::to_string(what));
    if (what == 4) {
      if (!d.db.hasUndo()) continue;
      d.db.undo();
      ++undos;
      d.bringUpToDate();
    } else if (what == 5) {
      if (!d.db.hasRedo()) continue;  // a change since the last undo took it
      d.db.redo();
      ++redos;
      d.bringUpToDate();
    } else {
      d.command([&] {
        const double value = 0.5 + double(pick(8)) / 2;
        const std::size_t kind = pick(4);  // the four changes, as often each
        if (kind == 0) {
          d.dims.push_back(d.dimension(double(pick(60))));
        } else if (kind == 1) {
          if (OdDbDimensionPtr dim = liveDimension()) pick(2) ? dim->setDimtxt(value) : dim->setDimasz(value);
        } else if (kind == 2) {
          OdDbDimStyleTableRecord::cast(d.db.getDimStyleStandardId().safeOpenObject(OdDb::kForWrite))->setDimexe(value);
        } else if (OdDbDimensionPtr dim = liveDimension()) {
          dim->erase();
        }
      });
    }
    d.expectAsBuiltWhole();
    expectBlocksCurrent(d.db);
    d.bringUpToDate();
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(undos, 20);
  EXPECT_GT(redos, 10);
}

// A picture with thousands of entities is painted in bands of rows on
// threads of their own: the same picture as one painter makes, also where
// entities cross from one band into the next, and for a picture whose
// rows do not divide evenly.
TEST(ScenePainting, BandsOnThreadsPaintTheSamePictureAsOnePainter) {
  offscreenApplication();
  OdDbDatabase db;
  {
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> at(0, 100);
    for (int i = 0; i < 5000; ++i) {
      const OdGePoint3d a(at(random), at(random), 0);
      if (i % 3) {
        // Short lines, and every fiftieth across most of the height.
        OdDbLinePtr l = OdDbLine::createObject();
        l->setStartPoint(i % 50 == 1 ? OdGePoint3d(a.x, 0, 0) : a);
        l->setEndPoint(i % 50 == 1 ? OdGePoint3d(a.x + 5, 70, 0)
                                   : OdGePoint3d(a.x + at(random) / 40, a.y + at(random) / 20, 0));
        l->setColorIndex(OdInt16(1 + i % 6));
        ms->appendOdDbEntity(l);
      } else {
        OdDbCirclePtr c = OdDbCircle::createObject();
        c->setCenter(a);
        c->setRadius(at(random) / 100);
        ms->appendOdDbEntity(c);
      }
    }
  }
  ViewScene scene;
  scene.build(&db, kBackground, kForeground);
  for (const QSize size : {QSize(640, 480), QSize(333, 257)}) {
    const QRectF e = scene.extents();
    const double scale = std::min(size.width() / e.width(), size.height() / e.height());
    QTransform toPixels;
    toPixels.translate(size.width() / 2.0, size.height() / 2.0);
    toPixels.scale(scale, -scale);
    toPixels.translate(-e.center().x(), -e.center().y());
    QImage one(size, QImage::Format_RGB32), bands(size, QImage::Format_RGB32);
    one.fill(Qt::black);
    bands.fill(Qt::black);
    {
      QPainter p(&one);
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setTransform(toPixels);
      scene.paint(p, e, scale);
    }
    scene.paintImage(bands, toPixels, e, scale, 8);
    EXPECT_LT(picturetest::differingShare(one, bands), 0.002) << size.width();
    // Not an empty picture twice.
    QImage empty(size, QImage::Format_RGB32);
    empty.fill(Qt::black);
    EXPECT_GT(picturetest::differingShare(bands, empty), 0.05);
  }
}

// Points sized as a share of the view take it of the drawing's extents
// (the view opens on them), not of their own picture, and keep that size
// when more are drawn later.
TEST(ScenePoints, RelativeSizesAreSharesOfTheDrawingsHeight) {
  OdDbDatabase db;
  db.setPDMODE(3);
  auto add = [&](OdSmartPtr<OdDbEntity> e) {
    OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    e->setDatabaseDefaults(&db);
    return ms->appendOdDbEntity(e);
  };
  OdDbLinePtr l = OdDbLine::createObject();
  l->setEndPoint({40, 30, 0});
  add(l);
  OdDbPointPtr p = OdDbPoint::createObject();
  p->setPosition({10, 10, 0});
  const OdDbObjectId first = add(p);
  ViewScene scene;
  scene.build(&db, kBackground, kForeground);
  const QRectF cross = scene.entities()[std::size_t(scene.indexOf(first))].bounds;
  EXPECT_NEAR(cross.width(), 0.05 * 30, 1e-9);  // 5 % of the height, 30
  OdDbPointPtr later = OdDbPoint::createObject();
  later->setPosition({20, 5, 0});
  const OdDbObjectId second = add(later);
  scene.update(&db, {second});
  EXPECT_NEAR(scene.entities()[std::size_t(scene.indexOf(second))].bounds.width(), cross.width(), 1e-9);
}
