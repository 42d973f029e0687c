#pragma once
// The Text page: the dimension text's style, colour, background fill,
// height, fraction height scale, frame, placement, offset and alignment.
// Its "..." button opens the host's text style dialog.
#include "dimprops/editor_controls.h"
#include "editor_page.h"

namespace dds {

class TextPage : public EditorPage {
public:
  using EditorPage::EditorPage;

  void load(const EditorSource& source) override;
  void store(EditorStore& out) const override;

  // The in-place lists, for tests and scripts that pick a value.
  CColorCtl& textColor() { return m_color; }
  CFillColorCtl& fill() { return m_fill; }

  // The DIMGAP to store, with the text framed or not: the loaded value
  // exactly while the offset field and the tolerance method are as loaded
  // (a framed text may have a tolerance too), else the offset field's
  // magnitude with the frame's sign; nothing when the offset is refused.
  std::optional<double> gapToStore(EditorStore& out, bool framed) const;

protected:
  void created() override;
  void command(int id, unsigned code) override;
  double spinStep(int) const override { return 0.0005; }
  void destroyed() override;

private:
  // The height field after a text style is chosen: the style's fixed
  // height (the field then locked), or the height the preview last showed.
  void showHeightOfChosenStyle();
  // Runs the host's text style dialog, then shows what it changed.
  void editTextStyles();
  void frameClicked();

  CColorCtl m_color;
  CFillColorCtl m_fill;
  double m_loadedGap = 0.0;
};

}  // namespace dds
