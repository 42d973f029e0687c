// The drawing view at speed: view_bench DRAWING reads the drawing,
// then prints how long the view takes to show all of it the first time
// (the scene built and painted at 1920 x 1080), the median of 60 redraws
// after pan and zoom steps, the median time to pick one entity and to find
// the object snap under the cursor (with the whole drawing shown, and zoomed
// in 50 times), the median time to draw a linear dimension being placed
// under the cursor, the memory the scene takes next to the drawing's own,
// and how long a change to one dimension takes to show: its block rebuilt,
// its picture drawn anew in the scene, and the part of the view it covers
// painted again.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "DxfDrawingIO.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "entity_preview.h"
#include "view_scene.h"
#include "view_snaps.h"
#include "current_scene.h"
#include "dim_block_builder.h"
#include "dimension_refresh.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kSteps = 60;

using Clock = std::chrono::steady_clock;
double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The processor time the process has had, in milliseconds: on a shared
// machine the wall clock also counts the other programs' turns.
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Resident memory of the process in megabytes.
double residentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct View {
  QPointF center;
  double scale = 1;
  QTransform transform() const {
    QTransform t;
    t.translate(kWidth / 2.0, kHeight / 2.0);
    t.scale(scale, -scale);
    t.translate(-center.x(), -center.y());
    return t;
  }
  QRectF visible() const {
    const double w = kWidth / scale, h = kHeight / scale;
    return QRectF(center.x() - w / 2, center.y() - h / 2, w, h);
  }
};

// The whole picture, as the view paints it after a zoom.
void paint(const qrvwindow::ViewScene& scene, const View& view, QImage& image) {
  image.fill(QColor(33, 40, 48));
  scene.paintImage(image, view.transform(), view.visible(), view.scale, 8);
}

// Paints the areas (drawing coordinates) of the picture anew, as the view
// does after a change.
void repaint(const qrvwindow::ViewScene& scene, const View& view, const std::vector<QRectF>& areas, QImage& image) {
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  for (const QRectF& area : areas) {
    const QRect px = view.transform().mapRect(area).adjusted(-8, -8, 8, 8).toAlignedRect() & image.rect();
    if (px.isEmpty()) continue;
    p.resetTransform();
    p.setClipRect(px);
    p.fillRect(px, QColor(33, 40, 48));
    p.setTransform(view.transform());
    scene.paint(p, view.transform().inverted().mapRect(QRectF(px)), view.scale);
  }
}

// The first dimension of model space.
OdDbObjectId firstDimension(OdDbDatabase* db) {
  auto space = OdDbBlockTableRecord::cast(db->getModelSpaceId().openObject());
  for (OdDbBlockIteratorPtr it = space->newIterator(); !it->done(); it->step())
    if (OdDbDimension::cast(it->entity().get())) return it->objectId();
  return {};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: view_bench DRAWING.dxf\n");
    return 1;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const double before = residentMb();
  std::unique_ptr<OdDbDatabase> db;
  try {
    db = readDxfDrawing(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "view_bench: cannot read %s: %s\n", argv[1], e.what());
    return 1;
  }
  const double drawingMb = residentMb() - before;

  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const auto first = Clock::now();
  const double firstCpu = cpuMs();
  qrvwindow::CurrentScene current;
  current.bringUpToDate(db.get(), {33, 40, 48}, {255, 255, 255});
  const qrvwindow::ViewScene& scene = current.scene();
  const double built = msSince(first), builtCpu = cpuMs() - firstCpu;
  View view;
  const QRectF e = scene.extents();
  view.center = e.center();
  view.scale = std::min((kWidth - 32) / std::max(e.width(), 1e-9), (kHeight - 32) / std::max(e.height(), 1e-9));
  paint(scene, view, image);
  const double firstFrame = msSince(first), firstFrameCpu = cpuMs() - firstCpu;
  const double sceneMb = residentMb() - before - drawingMb;

  // Zoom in towards the middle, pan about, zoom out again: the steps a
  // user takes with the wheel and the middle button.
  std::vector<double> redraws, redrawsCpu;
  for (int i = 0; i < kSteps; ++i) {
    if (i < kSteps / 3)
      view.scale *= 1.2;
    else if (i < 2 * kSteps / 3)
      view.center += QPointF((i % 2 ? 80 : -40) / view.scale, 60 / view.scale);
    else
      view.scale /= 1.2;
    const auto start = Clock::now();
    const double startCpu = cpuMs();
    paint(scene, view, image);
    redraws.push_back(msSince(start));
    redrawsCpu.push_back(cpuMs() - startCpu);
  }

  std::mt19937 random(7);
  std::uniform_real_distribution<double> x(e.left(), e.right()), y(e.top(), e.bottom());
  std::vector<double> picks;
  int hits = 0;
  for (int i = 0; i < 200; ++i) {
    const QPointF at(x(random), y(random));
    const auto start = Clock::now();
    hits += scene.pick(at, 5 / view.scale) >= 0;
    picks.push_back(msSince(start) * 1000);
  }

  // The snap aperture of the view: 8 pixels. Zoomed in, the cursor is put
  // in the middle of entities (the middle of a line, the centre of a
  // circle), where most of empty paper would find nothing.
  std::uniform_int_distribution<std::size_t> anyEntity(0, scene.entities().size() - 1);
  auto snapTimes = [&](double pixelsPerUnit, bool atEntities, int& found) {
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
      const QPointF at = atEntities ? scene.entities()[anyEntity(random)].bounds.center() : QPointF(x(random), y(random));
      const auto start = Clock::now();
      found += qrvwindow::snapInScene(scene, at, 8 / pixelsPerUnit).has_value();
      times.push_back(msSince(start) * 1000);
    }
    return median(times);
  };
  int snapsWhole = 0, snapsZoomed = 0;
  const double wholeScale = std::min((kWidth - 32) / std::max(e.width(), 1e-9), (kHeight - 32) / std::max(e.height(), 1e-9));
  const double snapWhole = snapTimes(wholeScale, false, snapsWhole);
  const double snapZoomed = snapTimes(wholeScale * 50, true, snapsZoomed);

  // What the window does at each move of the cursor while a dimension is
  // placed: the dimension built outside the drawing and made a scene.
  std::vector<double> previews;
  qrvwindow::ViewScene preview;
  for (int i = 0; i < 100; ++i) {
    const QPointF from(x(random), y(random)), to(x(random), y(random));
    const auto start = Clock::now();
    OdDbRotatedDimensionPtr dim = OdDbRotatedDimension::createObject();
    dim->setXLine1Point({from.x(), from.y(), 0});
    dim->setXLine2Point({to.x(), to.y(), 0});
    dim->setDimLinePoint({from.x(), to.y() + 10, 0});
    dim->setDimensionStyle(db->getDimstyle());
    render::RenderOptions colours;
    colours.background = {33, 40, 48};
    colours.foreground = {255, 255, 255};
    preview.buildFrom(render::previewPicture(*dim, *db, colours));
    previews.push_back(msSince(start) * 1000);
  }

  // The palette sets an override of one dimension, seen at the extents.
  render::installDimBlockBuilder();
  view.center = e.center();
  view.scale = std::min((kWidth - 32) / std::max(e.width(), 1e-9), (kHeight - 32) / std::max(e.height(), 1e-9));
  paint(scene, view, image);
  const OdDbObjectId dimId = firstDimension(db.get());
  double update = -1, updateCpu = -1;
  std::size_t builds = current.builds();
  if (!dimId.isNull()) {
    const std::uint64_t mark = db->modificationStamp();
    OdDbDimensionPtr dim = OdDbDimension::cast(dimId.openObject(OdDb::kForWrite).get());
    dim->setDimasz(dim->dimasz() * 2 + 1);
    dim.release();
    const auto start = Clock::now();
    const double startCpu = cpuMs();
    qrvwindow::refreshDimensionBlocks(db.get(), mark);
    repaint(scene, view, current.bringUpToDate(db.get(), {33, 40, 48}, {255, 255, 255}).areas, image);
    update = msSince(start);
    updateCpu = cpuMs() - startCpu;
    builds = current.builds() - builds;
  }

  std::printf("entities: %zu, primitives: %zu\n", scene.entities().size(), scene.prims().size());
  std::printf("scene built: %.0f ms (%.0f ms of CPU)\n", built, builtCpu);
  std::printf("first frame: %.0f ms (%.0f ms of CPU)\n", firstFrame, firstFrameCpu);
  std::printf("redraw median: %.1f ms (%.1f ms of CPU)\n", median(redraws), median(redrawsCpu));
  std::printf("pick median: %.0f us (%d of 200 picks hit)\n", median(picks), hits);
  std::printf("snap median: %.0f us whole drawing shown (%d of 200 found), %.0f us zoomed in 50x at entities (%d of 200)\n",
              snapWhole, snapsWhole, snapZoomed, snapsZoomed);
  std::printf("dimension being placed, median: %.0f us\n", median(previews));
  if (update >= 0)
    std::printf("update after one change: %.1f ms (%.1f ms of CPU; %zu whole builds)\n", update, updateCpu, builds);
  else
    std::printf("update after one change: not measured (the drawing has no dimension)\n");
  std::printf("memory: drawing %.0f MB, view %.0f MB (the scene's arrays %.0f MB)\n", drawingMb, sceneMb,
              scene.memoryBytes() / (1024.0 * 1024.0));
  return 0;
}
