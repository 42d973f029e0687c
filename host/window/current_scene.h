#pragma once
// A scene kept current with one drawing: built whole the first time, for
// another drawing or in other colours, or after a change that reaches
// entities it cannot name (a layer, a linetype); otherwise only what
// changed since it last looked is drawn anew.
#include <QRectF>
#include <cstdint>
#include <vector>

#include "OdString.h"
#include "view_scene.h"

namespace qrvwindow {

class CurrentScene {
public:
  enum class Outcome { kUnchanged, kBuilt, kUpdated };
  struct Result {
    Outcome outcome = Outcome::kUnchanged;
    // kUpdated: the areas (drawing coordinates) whose picture changed.
    std::vector<QRectF> areas;
  };

  // Brings the scene up to date with `db` (null: an empty scene).
  Result bringUpToDate(OdDbDatabase* db, render::Rgb background, render::Rgb foreground);
  // The next bringUpToDate builds whole (the drawing is going away).
  void forget();

  const ViewScene& scene() const { return m_scene; }
  // How many times the scene was built whole.
  std::size_t builds() const { return m_builds; }

private:
  ViewScene m_scene;
  const OdDbDatabase* m_db = nullptr;
  OdString m_layout;  // the layout drawn; empty: model space
  bool m_known = false;
  std::uint64_t m_stamp = 0;
  render::Rgb m_background{}, m_foreground{};
  std::size_t m_builds = 0;
};

}  // namespace qrvwindow
