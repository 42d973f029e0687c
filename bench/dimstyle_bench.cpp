// The command-line style command at scale: Apply on a selection of 100,000
// dimensions, and STatus on a drawing with 10,000 styles, each run as the
// whole command from scripted answers.
#include <benchmark/benchmark.h>

#include <sstream>

#include "OdDbBlockTableRecord.h"
#include "OdDbDimension.h"
#include "console.h"
#include "dds/dimstyle_session.h"
#include "editor_input.h"
#include "selection.h"
#include "stdafx/module_resources.h"
#include "translation.h"

namespace {

void runCommand(OdDbDatabase& db, const std::string& answers) {
  std::istringstream in(answers);
  std::ostringstream out;
  ScriptInput script(in);
  HostConsole console(script, out);
  HostEdInput input(console);
  HostEdSSManager selection(input, db);
  dds::DimStyleSession(nullptr, &db, &input, &selection).run();
  benchmark::DoNotOptimize(out.str().size());
}

std::unique_ptr<OdDbDatabase> drawingWithDimensions(int n) {
  auto db = std::make_unique<OdDbDatabase>(OdDb::kMetric);
  db->reserveObjects(n);
  OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  ms->reserveEntities(n);
  for (int i = 0; i < n; ++i) {
    OdDbRotatedDimensionPtr d = OdDbRotatedDimension::createObject();
    d->setXLine1Point({double(i), 0});
    d->setXLine2Point({double(i) + 10, 0});
    d->setDimensionStyle(db->getDimStyleStandardId());
    ms->appendOdDbEntity(d);
  }
  return db;
}

void BM_ApplyTo100000Dimensions(benchmark::State& state) {
  Supp_InitResTranslation(&dds::moduleResources());
  auto db = drawingWithDimensions(100000);
  double asz = 3.0;
  for (auto _ : state) {
    db->setDimasz(asz += 0.5);  // every round applies new values
    runCommand(*db, "A\nALL\n\n");
  }
}
BENCHMARK(BM_ApplyTo100000Dimensions)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StatusWith10000Styles(benchmark::State& state) {
  Supp_InitResTranslation(&dds::moduleResources());
  OdDbDatabase db(OdDb::kMetric);
  {
    OdDbDimStyleTablePtr t = db.getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    for (int i = 0; i < 10000; ++i) {
      OdDbDimStyleTableRecordPtr r = OdDbDimStyleTableRecord::createObject();
      r->setName("Style" + std::to_string(i));
      t->add(r);
    }
  }
  for (auto _ : state) runCommand(db, "ST\n");
}
BENCHMARK(BM_StatusWith10000Styles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
