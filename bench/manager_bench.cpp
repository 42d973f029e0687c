// The Dimension Style Manager on a drawing of 1,000 styles, each with a
// child style, and 100,000 dimensions using them: opening it (the list
// filled, the preview made) and refilling its list after a change.
#include <benchmark/benchmark.h>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "bench_host.h"
#include "control.h"
#include "dialog.h"
#include "dlgdimstyle/style_manager_dialog.h"
#include "documents.h"
#include "headless_backend.h"
#include "stdafx/module_resources.h"
#include "translation.h"
#include "user_input.h"

namespace {

constexpr int kStyles = 1000;
constexpr int kDimensions = 100000;
constexpr int kList = 1000, kClose = 2;

struct Host : BenchHost {
  OdDbDatabase* db = nullptr;

  Host() {
    Supp_InitResTranslation(&dds::moduleResources());
    db = services.documents().addDocument(std::make_unique<OdDbDatabase>(OdDb::kMetric), "", "bench.dxf")->database();
    std::vector<OdDbObjectId> styles;
    {
      OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
      for (int i = 0; i < kStyles; ++i) {
        const std::string name = "Style " + std::to_string(i);
        for (const std::string& n : {name, name + "$0"}) {
          OdDbDimStyleTableRecordPtr s = OdDbDimStyleTableRecord::createObject();
          s->setName(n);
          s->setDimasz(1.0 + i % 7);
          styles.push_back(table->add(s));
        }
      }
    }
    db->reserveObjects(kDimensions);
    OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
    ms->reserveEntities(kDimensions);
    for (int i = 0; i < kDimensions; ++i) {
      OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
      d->setXLine2Point({10.0 + i % 13, 0});
      d->setDimensionStyle(styles[std::size_t(i) % styles.size()]);
      ms->appendOdDbEntity(d);
    }
    ms.release();
    db->setDimstyle(styles[0]);
    db->setDimstyleData(styles[0]);
  }
};

Host& host() {
  static Host h;
  return h;
}

void BM_ManagerOpenAndFill(benchmark::State& state) {
  Host& h = host();
  std::size_t rows = 0;
  for (auto _ : state) {
    ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
      rows = std::size_t(d.control(kList)->itemCount());
      ui::user::click(d, kClose);
    });
    dds::StyleManagerDialog(h.db).run(nullptr);
  }
  state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ManagerOpenAndFill)->Unit(benchmark::kMillisecond)->Iterations(10);

// Each round renames the current style (and its child) in place: the
// rename, then the list refilled from the table and the preview
// synchronised with the drawing.
void BM_ManagerRefill(benchmark::State& state) {
  Host& h = host();
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    const ui::Control* list = d.control(kList);
    int round = 0;
    for (auto _ : state) {
      const std::string name = "Current " + std::to_string(++round);
      ui::user::editLabel(d, kList, list->selection(), name);
    }
    state.counters["rows"] = double(list->itemCount());
    ui::user::click(d, kClose);
  });
  dds::StyleManagerDialog(h.db).run(nullptr);
}
BENCHMARK(BM_ManagerRefill)->Unit(benchmark::kMillisecond)->Iterations(20);

// Selecting another style: its buttons (whether anything uses its group,
// over all the drawing's dimensions) and its preview.
void BM_ManagerSelectAnotherStyle(benchmark::State& state) {
  Host& h = host();
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    int row = 0, selected = 0;
    for (auto _ : state) selected += ui::user::select(d, kList, row = (row + 7) % 1000 + 2);
    state.counters["selected"] = selected;
    ui::user::click(d, kClose);
  });
  dds::StyleManagerDialog(h.db).run(nullptr);
}
BENCHMARK(BM_ManagerSelectAnotherStyle)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
