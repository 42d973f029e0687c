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
};

}  // namespace dds
