// The style preview at speed: one picture after a change of style, which
// applies the style's values to the sample entities, rebuilds their blocks
// and renders them through the drawing gate; the same at a clamped overall
// scale (the entities are scaled, rebuilt and set back); and a paint that
// only replays the picture.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "bench_host.h"
#include "console.h"
#include "device_context.h"
#include "dim_block_builder.h"
#include "documents.h"
#include "host_services.h"
#include "native_gate.h"
#include "wndpreview/style_preview.h"

namespace {

// A host session with one drawing holding two styles that differ.
struct PreviewSession : BenchHost {
  OdDbDatabase* db = nullptr;
  OdDbDimStyleTableRecordPtr styles[2];

  explicit PreviewSession(double dimscale) {
    render::installDimBlockBuilder();
    render::installNativeGate();
    HostApDocument* doc = services.documents().addDocument(std::make_unique<OdDbDatabase>(OdDb::kMetric), "", "");
    db = doc->database();
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
    for (int i = 0; i < 2; ++i) {
      styles[i] = OdDbDimStyleTableRecord::createObject();
      styles[i]->setName(i ? "B" : "A");
      styles[i]->setDimVars(db->dimVars());
      styles[i]->setDimasz(2.5 + i);
      styles[i]->setDimscale(dimscale);
      table->add(styles[i]);
    }
  }
};

void showAndDraw(benchmark::State& state, double dimscale, int kind) {
  PreviewSession session(dimscale);
  dds::StylePreview preview(session.db);
  int n = 0;
  for (auto _ : state) {
    preview.showStyle(kind, session.styles[n++ & 1].get());
    benchmark::DoNotOptimize(preview.picture());
  }
}

void BM_PreviewShowAndPicture(benchmark::State& state) { showAndDraw(state, 1.0, dds::kPreviewAll); }
BENCHMARK(BM_PreviewShowAndPicture)->Unit(benchmark::kMicrosecond);

// At overall scale 2 the entities are scaled for the picture and back.
void BM_PreviewShowAndPictureScaled(benchmark::State& state) { showAndDraw(state, 2.0, dds::kPreviewAll); }
BENCHMARK(BM_PreviewShowAndPictureScaled)->Unit(benchmark::kMicrosecond);

void BM_PreviewShowAndPictureClamped(benchmark::State& state) { showAndDraw(state, 500.0, dds::kPreviewAll); }
BENCHMARK(BM_PreviewShowAndPictureClamped)->Unit(benchmark::kMicrosecond);

void BM_PreviewShowLinearChild(benchmark::State& state) { showAndDraw(state, 1.0, dds::kPreviewLinear); }
BENCHMARK(BM_PreviewShowLinearChild)->Unit(benchmark::kMicrosecond);

void BM_PreviewPaintReplay(benchmark::State& state) {
  PreviewSession session(1.0);
  dds::StylePreview preview(session.db);
  preview.showStyle(dds::kPreviewAll, session.styles[0].get());
  for (auto _ : state) {
    ui::RecordingDC dc;
    preview.paint(dc, {0, 0, 400, 240});
    benchmark::DoNotOptimize(dc.calls().size());
  }
}
BENCHMARK(BM_PreviewPaintReplay)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
