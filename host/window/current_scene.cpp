#include "current_scene.h"

#include "OdDbDatabase.h"
#include "OdDbLayoutView.h"
#include "layout_picture.h"
#include "host_log.h"
#include "scene_changes.h"

namespace qrvwindow {

CurrentScene::Result CurrentScene::bringUpToDate(OdDbDatabase* db, render::Rgb background, render::Rgb foreground) {
  Result result;
  const std::uint64_t stamp = db ? db->modificationStamp() : 0;
  const OdString layout = db ? db->getCTAB() : OdString();
  const bool sameLook = m_known && db == m_db && background == m_background && foreground == m_foreground &&
                        layout == m_layout;
  if (sameLook && stamp == m_stamp) return result;
  if (sameLook && db && layout.empty()) {
    const PictureChanges changes = pictureChangesSince(db, m_stamp);
    if (!changes.everything) {
      try {
        result.areas = m_scene.update(db, changes.entities);
        result.outcome = Outcome::kUpdated;
        m_stamp = stamp;
        return result;
      } catch (const std::exception& e) {
        // Part of the scene may hold the new pictures: built whole below,
        // where a failure reaches the caller.
        hostTraceError("host/window", __LINE__, std::string("the view's update failed: ") + e.what());
      }
    }
  }
  m_known = false;
  // A layout is drawn as one picture: its viewports show model space, so
  // any change may reach it.
  const auto sheet = layout.empty() ? nullptr : odDbLayoutNamed(db, layout);
  if (sheet) {
    render::RenderOptions options;
    options.background = background;
    options.foreground = foreground;
    m_scene.buildFrom(render::renderLayout(db, *sheet, options));
  } else {
    m_scene.build(db, background, foreground);
  }
  m_layout = layout;
  ++m_builds;
  m_db = db;
  m_stamp = stamp;
  m_background = background;
  m_foreground = foreground;
  m_known = true;
  result.outcome = Outcome::kBuilt;
  return result;
}

void CurrentScene::forget() {
  m_known = false;
  m_db = nullptr;
  m_scene.clear();
}

}  // namespace qrvwindow
