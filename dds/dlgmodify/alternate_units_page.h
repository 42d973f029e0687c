#pragma once
// The Alternate units page: whether a second value in other units follows
// the measured one, its format, multiplier, rounding, prefix and suffix,
// zero suppression, and whether it stands after or below the primary
// value (kept in DIMPOST, which the Primary units page stores).
#include "editor_page.h"
#include "unit_codes.h"

namespace dds {

class AlternateUnitsPage : public EditorPage {
public:
  using EditorPage::EditorPage;

  void load(const EditorSource& source) override;
  void store(EditorStore& out) const override;

protected:
  void command(int id, unsigned code) override;
  double spinStep(int spinId) const override;

private:
  // Enables the controls for the check box and the unit format (DIMALTU).
  void enableFor(bool shown, int altu) const;

  // DIMAPOST as loaded and as shown; DIMALTZ as loaded (bits no box shows
  // stay).
  OdString m_loadedApost;
  ValueText m_loadedText;
  int m_loadedAltz = 0;
};

}  // namespace dds
