// The style editor at speed, on a drawing with 1,000 styles (every fourth
// with a linear child): opening it (the preview's sample drawing takes the
// drawing's styles, seven pages are made and loaded, the first preview is
// stored and drawn), and one preview update after a typed value (the
// queued request, the store into the preview's copy, the recompute of the
// sample dimensions and their picture).
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "bench_host.h"
#include "backend.h"
#include "console.h"
#include "dialog.h"
#include "dim_block_builder.h"
#include "dlgmodify/style_editor_dialog.h"
#include "documents.h"
#include "headless_backend.h"
#include "host_services.h"
#include "native_gate.h"
#include "stdafx/module_resources.h"
#include "user_input.h"
#include "wndpreview/style_preview.h"

namespace {

struct EditorSession : BenchHost {
  OdDbDatabase* db = nullptr;
  OdDbObjectId edited;

  EditorSession() {
    render::installDimBlockBuilder();
    render::installNativeGate();
    Supp_InitResTranslation(&dds::moduleResources());
    ui::setBackend(nullptr);
    db = services.documents().addDocument(std::make_unique<OdDbDatabase>(OdDb::kMetric), "", "")->database();
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    for (int i = 0; i < 1000; ++i) {
      const OdString name = "Style " + std::to_string(i);
      for (const OdString& n : i % 4 ? std::vector<OdString>{name} : std::vector<OdString>{name, name + "$0"}) {
        OdDbDimStyleTableRecordPtr r = OdDbDimStyleTableRecord::createObject();
        r->setName(n);
        r->setDimVars(db->dimVars());
        r->setDimasz(2.5 + i % 7);
        const OdDbObjectId id = table->add(r);
        if (i == 500 && n == name) edited = id;
      }
    }
  }
};

void BM_EditorOpen(benchmark::State& state) {
  EditorSession session;
  for (auto _ : state) {
    dds::StyleEditorDialog editor(session.db);
    editor.prepare(session.edited);
    ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
      ui::dispatchPostedMessages();
      benchmark::DoNotOptimize(editor.preview()->picture());
      d.end(2);
    });
    editor.run(nullptr);
  }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond);

void BM_EditorPreviewUpdate(benchmark::State& state) {
  EditorSession session;
  dds::StyleEditorDialog editor(session.db);
  editor.prepare(session.edited);
  ui::headlessBackend().queueDriver([&](ui::Dialog& d) {
    ui::dispatchPostedMessages();
    ui::Dialog& lines = *d.child(1002);
    int n = 0;
    for (auto _ : state) {
      ui::user::type(lines, 1025, (n++ & 1) ? "3.75" : "7");
      ui::dispatchPostedMessages();
      benchmark::DoNotOptimize(editor.preview()->picture());
    }
    d.end(2);
  });
  editor.run(nullptr);
}
BENCHMARK(BM_EditorPreviewUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
