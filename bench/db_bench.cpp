// Drawing database at scale: a drawing of 1,000,000 dimensions and leaders
// over 1,000 styles (each with two child styles). Reports build time, heap
// bytes per entity, and the purge of a 7-identifier list (a style and its
// children), the test behind deleting a style.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"

namespace {

constexpr int kStyles = 1000;
constexpr int kEntities = 1000000;

std::size_t heapInUse() { return mallinfo2().uordblks; }

struct BigDrawing {
  std::unique_ptr<OdDbDatabase> db;
  std::vector<OdDbObjectId> styles;  // top-level styles
  std::size_t bytesPerEntity = 0;
};

BigDrawing build() {
  BigDrawing d;
  d.db = std::make_unique<OdDbDatabase>(OdDb::kMetric);
  OdDbDatabase& db = *d.db;
  db.reserveObjects(kEntities + 4 * kStyles);
  {
    OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    for (int i = 0; i < kStyles; ++i) {
      const std::string name = "Style" + std::to_string(i);
      for (const char* suffix : {"", "$0", "$7"}) {
        OdDbDimStyleTableRecordPtr rec = OdDbDimStyleTableRecord::createObject();
        rec->setName(name + suffix);
        rec->setDimasz(2.5 + i * 0.001);
        OdDbObjectId id = table->add(rec);
        if (!*suffix) d.styles.push_back(id);
      }
    }
  }
  const std::size_t before = heapInUse();
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  ms->reserveEntities(kEntities);
  for (int i = 0; i < kEntities; ++i) {
    // Style 0 and its children stay unused so that the purge keeps its group.
    const OdDbObjectId style = d.styles[1 + i % (kStyles - 1)];
    if (i % 10 == 9) {
      OdDbLeaderPtr ldr = OdDbLeader::createObject();
      ldr->appendVertex({double(i), 0});
      ldr->appendVertex({double(i) + 5, 5});
      ldr->setDimensionStyle(style);
      ms->appendOdDbEntity(ldr);
    } else {
      OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
      dim->setXLine1Point({double(i), 0});
      dim->setXLine2Point({double(i) + 10, 0});
      dim->setDimLinePoint({double(i) + 5, 3});
      dim->setDimensionStyle(style);
      if (i % 100 == 0) dim->setDimtxt(3.5);  // a few carry an override
      ms->appendOdDbEntity(dim);
    }
  }
  d.bytesPerEntity = (heapInUse() - before) / kEntities;
  return d;
}

BigDrawing& drawing() {
  static BigDrawing d = build();
  return d;
}

void BM_BuildMillionEntities(benchmark::State& state) {
  for (auto _ : state) {
    BigDrawing d = build();
    state.counters["bytes_per_entity"] = double(d.bytesPerEntity);
    state.PauseTiming();
    d.db.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildMillionEntities)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PurgeStyleGroup(benchmark::State& state) {
  BigDrawing& d = drawing();
  OdDbDimStyleTablePtr table = d.db->getDimStyleTableId().safeOpenObject();
  OdDbObjectIdArray group;
  for (const char* name : {"Style0$0", "Style0$2", "Style0$3", "Style0$4", "Style0$6", "Style0$7", "Style0"}) {
    OdDbObjectId id = table->getAt(name);
    group.push_back(id.isNull() ? d.styles[5] : id);  // a used style where a child is missing
  }
  std::size_t kept = 0;
  for (auto _ : state) {
    OdDbObjectIdArray ids = group;
    d.db->purge(ids);
    kept = ids.size();
    benchmark::DoNotOptimize(ids.data());
  }
  state.counters["purgeable"] = double(kept);
  state.counters["bytes_per_entity"] = double(d.bytesPerEntity);
}
BENCHMARK(BM_PurgeStyleGroup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
