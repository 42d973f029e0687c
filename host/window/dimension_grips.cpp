// The grips of the selected dimensions in the main window. Which grips a
// dimension has and what a drag does are render::dimensionGrips and
// render::dragGrip; a drop is typed as -DIMGRIP, so that it runs, and is
// undone, as a command.
#include "OdDbDimension.h"
#include "OdDbLayerTableRecord.h"
#include "drawing_view.h"
#include "main_window.h"
#include "point_input.h"
#include "window_texts.h"

namespace qrvwindow {

namespace {

// Grips of more dimensions than this are not shown: a selection of
// thousands would hide the drawing under squares.
constexpr std::size_t kMostDimensionsWithGrips = 100;

// What is on a locked layer does not change, so it offers no grips.
bool onLockedLayer(const OdDbEntity& entity) {
  OdSmartPtr<OdDbLayerTableRecord> layer = OdDbLayerTableRecord::cast(entity.layerId().openObject());
  return layer && layer->isLocked();
}

}  // namespace

void MainWindow::showGrips() {
  m_grips.clear();
  std::vector<QPointF> places;
  // Shown with the selection, also while a command asks for text; they
  // move only at the command prompt, and not at all while a point is asked.
  const bool idle = !promptKind || promptKind() == PromptKind::kCommand;
  std::size_t dimensions = 0;
  for (std::size_t k = 0; !m_pointPrompt && k < m_selection.size() && dimensions < kMostDimensionsWithGrips; ++k) {
    const OdDbObjectId id = m_scene.entities()[m_selection[k]].id;
    OdDbDimensionPtr dim = OdDbDimension::cast(id.openObject());
    if (!dim || onLockedLayer(*dim)) continue;
    ++dimensions;
    for (const render::DimGripPlace& g : render::dimensionGrips(*dim)) {
      m_grips.push_back({id, g.grip});
      places.push_back(QPointF(g.at.x, g.at.y));
    }
  }
  m_view->setGrips(std::move(places), idle);
}

void MainWindow::gripDragged(std::size_t grip, QPointF to) {
  if (grip >= m_grips.size() || !typeLines || (promptKind && promptKind() != PromptKind::kCommand)) return;
  const auto& [id, kind] = m_grips[grip];
  typeLines({"-DIMGRIP", qs(id.getHandle().ascii()), kind == render::DimGrip::kText ? "_Text" : "_Line",
             qs(hostPointAnswer(OdGePoint3d(to.x(), to.y(), 0)))});
}

}  // namespace qrvwindow
