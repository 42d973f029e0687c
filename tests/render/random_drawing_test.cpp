// Pictures of drawings made at random the way damaged or hostile files are
// made: blocks inserting each other (themselves too) many times over, and
// dimensions with sizes from tiny to 1e308. Whatever the drawing, a picture
// must come back within a few seconds with only numbers in it, or say why
// it is incomplete.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "render_test_util.h"
#include "renderer.h"

namespace {

struct RandomDrawing {
  rt::Drawing d;
  std::vector<OdDbObjectId> blocks;

  explicit RandomDrawing(std::mt19937& rng) {
    std::uniform_int_distribution<int> blockCount(1, 8), refCount(0, 4), pick(0, 1 << 20);
    const int n = blockCount(rng);
    OdDbBlockTablePtr table = d.db->getBlockTableId().safeOpenObject(OdDb::kForWrite);
    for (int i = 0; i < n; ++i) {
      OdDbBlockTableRecordPtr b = OdDbBlockTableRecord::createObject();
      b->setName("B" + std::to_string(i));
      blocks.push_back(table->add(b));
    }
    table.release();
    for (const OdDbObjectId& id : blocks) {
      OdDbBlockTableRecordPtr rec = id.safeOpenObject(OdDb::kForWrite);
      for (int k = refCount(rng); k > 0; --k) rec->appendOdDbEntity(reference(rng, pick));
      OdDbLinePtr l = OdDbLine::createObject();
      l->setDatabaseDefaults(d.db.get());
      l->setEndPoint({double(pick(rng) % 100), 1, 0});
      rec->appendOdDbEntity(l);
    }
    for (int k = 1 + refCount(rng); k > 0; --k) d.add(reference(rng, pick)).release();
    addDimension(rng);
  }

  OdDbBlockReferencePtr reference(std::mt19937& rng, std::uniform_int_distribution<int>& pick) {
    OdDbBlockReferencePtr r = OdDbBlockReference::createObject();
    r->setDatabaseDefaults(d.db.get());
    r->setBlockTableRecord(blocks[std::size_t(pick(rng)) % blocks.size()]);
    r->setPosition({double(pick(rng) % 50), double(pick(rng) % 50), 0});
    return r;
  }

  void addDimension(std::mt19937& rng) {
    static const double kSizes[] = {0, 1e-300, 0.18, 2.5, 1e6, 1e154, 1e308};
    std::uniform_int_distribution<std::size_t> size(0, std::size(kSizes) - 1);
    d.db->setDimscale(kSizes[size(rng)]);
    d.db->setDimasz(kSizes[size(rng)]);
    d.db->setDimtxt(kSizes[size(rng)]);
    d.db->setDimgap(kSizes[size(rng)]);
    OdDbRotatedDimensionPtr dim = d.linear();
    try {
      dim->recomputeDimBlock();
    } catch (const OdError&) {
      // Sizes whose geometry would overflow are refused; the picture then
      // shows the dimension without a block.
    }
  }
};

bool finiteBounds(const render::Bounds& b) {
  return b.empty() || (std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY));
}

}  // namespace

TEST(RandomDrawings, EveryPictureEndsSoonHoldsOnlyNumbersAndStaysWithinItsBound) {
  std::mt19937 rng(20261206);
  double slowest = 0;
  for (int round = 0; round < 150; ++round) {
    RandomDrawing drawing(rng);
    render::RenderReport report;
    const auto start = std::chrono::steady_clock::now();
    const render::DisplayList picture = render::renderModelSpace(drawing.d.db.get(), {}, &report);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    slowest = std::max(slowest, seconds);
    EXPECT_LT(seconds, 5.0) << "round " << round;
    EXPECT_TRUE(finiteBounds(picture.bounds())) << "round " << round;
    EXPECT_LE(long(picture.items().size()), render::RenderOptions{}.maxWork) << "round " << round;
  }
  RecordProperty("slowest_seconds", std::to_string(slowest));
}
