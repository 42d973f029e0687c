// The Properties palette on a selection of 100,000 dimensions of mixed
// styles and kinds: building the rows, reading one row over the selection,
// writing one value to all of them (with its undo record), and the memory
// the bound properties take per selected entity.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <sstream>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"
#include "OdDbSymbolTable.h"
#include "console.h"
#include "dds/doc_manager_reactor.h"
#include "documents.h"
#include "host_services.h"
#include "opm/palette_model.h"
#include "stdafx/module_resources.h"
#include "translation.h"

namespace {

constexpr int kCount = 100000;

struct Host {
  std::istringstream in;
  std::ostringstream out;
  ScriptInput script{in};
  HostConsole console{script, out};
  HostServices services{console};
  HostApDocument* doc = nullptr;
  OdDbObjectIdArray ids;

  Host() {
    Supp_InitResTranslation(&dds::moduleResources());
    services.documents().addReactor(&dds::documentReactor());
    doc = services.documents().addDocument(std::make_unique<OdDbDatabase>(OdDb::kMetric), "", "bench.dxf");
    OdDbDatabase* db = doc->database();
    // Four styles; rotated and aligned dimensions and leaders among them.
    std::vector<OdDbObjectId> styles = {db->getDimStyleStandardId()};
    {
      OdDbSymbolTablePtr table = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
      for (const char* name : {"A", "B", "C"}) {
        OdDbDimStyleTableRecordPtr s = OdDbDimStyleTableRecord::createObject();
        s->setName(name);
        s->setDimasz(name[0] - 'A' + 1.0);
        styles.push_back(table->add(s));
      }
    }
    db->reserveObjects(kCount);
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    ms->reserveEntities(kCount);
    ids.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
      OdDbDimStyleEntityPtr e;
      if (i % 3 == 0) {
        OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
        d->setXLine2Point({10, 0});
        e = d;
      } else if (i % 3 == 1) {
        OdDbAlignedDimensionPtr d = OdDbAlignedDimension::createObject();
        d->setXLine2Point({10, 5});
        e = d;
      } else {
        OdDbLeaderPtr l = OdDbLeader::createObject();
        l->appendVertex({0, 0});
        l->appendVertex({1, 1});
        e = l;
      }
      e->setDimensionStyle(styles[std::size_t(i) % styles.size()]);
      ids.push_back(ms->appendOdDbEntity(e));
    }
  }
};

Host& host() {
  static Host h;
  return h;
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

void BM_BuildRows(benchmark::State& state) {
  Host& h = host();
  for (auto _ : state) {
    PaletteModel palette(*h.doc);
    const std::size_t before = heapInUse();
    palette.setSelection(h.ids);
    state.counters["rows"] = double(palette.rows().size());
    state.counters["bytes_per_entity"] = double(heapInUse() - before) / kCount;
  }
}
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond)->Iterations(5);

// The type filter on one class shows all of its rows (82 for a rotated
// dimension, against the few shared by every class): each row's value and
// state read over that class's third of the selection, as a palette window
// shows them.
void BM_ShowEveryRowOfOneClass(benchmark::State& state) {
  Host& h = host();
  for (auto _ : state) {
    PaletteModel palette(*h.doc);
    palette.setSelection(h.ids);
    if (!palette.setFilter("Rotated Dimension")) state.SkipWithError("no such filter entry");
    std::size_t shown = 0;
    for (const auto& row : palette.rows()) {
      benchmark::DoNotOptimize(palette.valueText(row));
      benchmark::DoNotOptimize(palette.isReadOnly(row));
      ++shown;
    }
    state.counters["rows"] = double(shown);
  }
}
BENCHMARK(BM_ShowEveryRowOfOneClass)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadOneRow(benchmark::State& state) {
  Host& h = host();
  PaletteModel palette(*h.doc);
  palette.setSelection(h.ids);
  const PaletteModel::Row* row = palette.findRow("Lines & Arrows.Dim line color");
  for (auto _ : state) {
    palette.updateProperties(row->name);  // read the entities again each round
    benchmark::DoNotOptimize(palette.valueText(*row));
  }
}
BENCHMARK(BM_ReadOneRow)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_WriteOneValueToAll(benchmark::State& state) {
  Host& h = host();
  PaletteModel palette(*h.doc);
  palette.setSelection(h.ids);
  const PaletteModel::Row* row = palette.findRow("Lines & Arrows.Arrow size");
  double size = 2.0;
  for (auto _ : state) {
    OdString message;
    palette.setValue(*row, std::to_string(size += 0.25), message);
    row = palette.findRow("Lines & Arrows.Arrow size");
  }
}
BENCHMARK(BM_WriteOneValueToAll)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
