// Dimension geometry and pictures at speed: building the blocks of 100,000
// dimensions (first time and again), and one preview-sized picture: values
// applied to ten dimensions, their blocks rebuilt, the picture rendered,
// written as SVG and rasterised.
#include <benchmark/benchmark.h>

#include <memory>
#include <numbers>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "dim_block_builder.h"
#include "raster_image.h"
#include "renderer.h"
#include "svg_writer.h"

namespace {

constexpr int kDimensions = 100000;

// A mix of the kinds a drawing holds: mostly linear, some radial,
// angular and ordinate.
OdDbDimensionPtr makeDimension(int i) {
  const double x = (i % 1000) * 20.0, y = (i / 1000) * 20.0;
  switch (i % 10) {
    case 7: {
      OdDbRadialDimensionPtr r = OdDbRadialDimension::createObject();
      r->setCenter({x, y});
      r->setChordPoint({x + 3, y + 4});
      return r;
    }
    case 8: {
      OdDb3PointAngularDimensionPtr a = OdDb3PointAngularDimension::createObject();
      a->setCenterPoint({x, y});
      a->setXLine1Point({x + 5, y});
      a->setXLine2Point({x + 3, y + 4});
      a->setArcPoint({x + 6, y + 2});
      return a;
    }
    case 9: {
      OdDbOrdinateDimensionPtr o = OdDbOrdinateDimension::createObject();
      o->setDefiningPoint({x + 2, y + 1});
      o->setLeaderEndPoint({x + 3, y + 8});
      return o;
    }
    default: {
      OdDbRotatedDimensionPtr l = OdDbRotatedDimension::createObject();
      l->setXLine1Point({x, y});
      l->setXLine2Point({x + 10 + (i % 7), y});
      l->setDimLinePoint({x, y + 3});
      return l;
    }
  }
}

struct ManyDimensions {
  std::unique_ptr<OdDbDatabase> db = std::make_unique<OdDbDatabase>();
  std::vector<OdDbDimensionPtr> dims;  // kept open for write
  ManyDimensions() {
    render::installDimBlockBuilder();
    db->blockUndoRecording(true);
    db->reserveObjects(kDimensions * 12);
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    ms->reserveEntities(kDimensions);
    dims.reserve(kDimensions);
    for (int i = 0; i < kDimensions; ++i) {
      OdDbDimensionPtr d = makeDimension(i);
      d->setDatabaseDefaults(db.get());
      d->setDimensionStyle(db->getDimStyleStandardId());
      ms->appendOdDbEntity(d);
      dims.push_back(d);
    }
  }
};

void BM_BuildBlocks100k(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    ManyDimensions m;
    state.ResumeTiming();
    for (auto& d : m.dims) d->recomputeDimBlock();
    state.PauseTiming();
    m.dims.clear();
    m.db.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kDimensions);
}
BENCHMARK(BM_BuildBlocks100k)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RebuildBlocks100k(benchmark::State& state) {
  ManyDimensions m;
  for (auto& d : m.dims) d->recomputeDimBlock();
  for (auto _ : state)
    for (auto& d : m.dims) d->recomputeDimBlock();
  state.SetItemsProcessed(state.iterations() * kDimensions);
}
BENCHMARK(BM_RebuildBlocks100k)->Unit(benchmark::kMillisecond)->Iterations(2);

// The preview's workload: a plate, three linear, an angular, a radial, a
// diametric and two ordinate dimensions; each picture changes a value on
// every dimension, rebuilds them and renders the lot.
struct PreviewSized {
  std::unique_ptr<OdDbDatabase> db = std::make_unique<OdDbDatabase>();
  std::vector<OdDbDimensionPtr> dims;
  PreviewSized() {
    render::installDimBlockBuilder();
    db->blockUndoRecording(true);
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    OdDbCirclePtr hole = OdDbCircle::createObject();
    hole->setCenter({9.9498, 10.6943});
    hole->setRadius(6);
    ms->appendOdDbEntity(hole);
    for (int i = 0; i < 10; ++i) {
      OdDbDimensionPtr d = makeDimension(i);
      d->setDatabaseDefaults(db.get());
      d->setDimensionStyle(db->getDimStyleStandardId());
      ms->appendOdDbEntity(d);
      dims.push_back(d);
    }
  }
};

void BM_PreviewPicture(benchmark::State& state) {
  PreviewSized p;
  int n = 0;
  std::size_t primitives = 0;
  for (auto _ : state) {
    const double asz = 0.18 + 0.01 * (n++ % 10);
    for (auto& d : p.dims) {
      d->setDimasz(asz);
      d->recomputeDimBlock();
    }
    const render::DisplayList list = render::renderModelSpace(p.db.get());
    primitives = list.size();
    benchmark::DoNotOptimize(list.bounds());
  }
  state.counters["primitives"] = double(primitives);
}
BENCHMARK(BM_PreviewPicture)->Unit(benchmark::kMicrosecond);

void BM_PreviewSvg(benchmark::State& state) {
  PreviewSized p;
  for (auto& d : p.dims) d->recomputeDimBlock();
  const render::DisplayList list = render::renderModelSpace(p.db.get());
  for (auto _ : state) benchmark::DoNotOptimize(render::svgDocument(list));
}
BENCHMARK(BM_PreviewSvg)->Unit(benchmark::kMicrosecond);

void BM_PreviewRaster(benchmark::State& state) {
  PreviewSized p;
  for (auto& d : p.dims) d->recomputeDimBlock();
  const render::DisplayList list = render::renderModelSpace(p.db.get());
  render::RasterOptions o;
  o.widthPx = 400;
  o.heightPx = 300;
  for (auto _ : state) benchmark::DoNotOptimize(render::rasterize(list, o));
}
BENCHMARK(BM_PreviewRaster)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
