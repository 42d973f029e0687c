#pragma once
// The Primary units page: the format of measured lengths and angles, their
// precision, rounding, prefix and suffix, the measurement scale and zero
// suppression. Its unit format also decides which fraction and zero
// controls of the Text and Tolerances pages count.
#include "editor_page.h"
#include "unit_codes.h"

namespace dds {

class PrimaryUnitsPage : public EditorPage {
public:
  using EditorPage::EditorPage;

  void load(const EditorSource& source) override;
  void store(EditorStore& out) const override;

protected:
  void command(int id, unsigned code) override;
  double spinStep(int) const override { return 0.25; }

private:
  // Enables what the linear unit format (DIMLUNIT) gives a meaning to.
  void enableForUnit(int lunit) const;
  // Whether the alternate value goes below the primary one: the Alternate
  // units page's choice.
  bool alternateBelow() const;

  // DIMPOST as loaded and as shown; DIMZIN and DIMAZIN as loaded (bits no
  // box shows stay).
  OdString m_loadedPost;
  ValueText m_loadedText;
  int m_loadedZin = 0;
  int m_loadedAzin = 0;
};

}  // namespace dds
