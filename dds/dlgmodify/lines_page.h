#pragma once
// The Lines page: colours, linetypes and lineweights of dimension and
// extension lines, their suppression, extensions, offset and the fixed
// extension line length.
#include <memory>

#include "dimprops/editor_controls.h"
#include "editor_page.h"

namespace dds {

class LinesPage : public EditorPage {
public:
  explicit LinesPage(StyleEditorDialog& editor);
  ~LinesPage() override;

  void load(const EditorSource& source) override;
  void store(EditorStore& out) const override;
  void reloadLinetypes() override;

  // The in-place lists, for tests and scripts that pick a value.
  CColorCtl& dimColor() { return m_dimColor; }
  CColorCtl& extColor() { return m_extColor; }
  CLineTypeCtl& dimLinetype() { return *m_dimLinetype; }
  CLineTypeCtl& ext1Linetype() { return *m_ext1Linetype; }
  CLineTypeCtl& ext2Linetype() { return *m_ext2Linetype; }
  CLineWeightCtl& dimLineweight() { return *m_dimLineweight; }
  CLineWeightCtl& extLineweight() { return *m_extLineweight; }

protected:
  void created() override;
  void command(int id, unsigned code) override;
  double spinStep(int) const override { return 0.0005; }
  void destroyed() override;

private:
  void enableDimensionLines(bool shown);
  void enableExtensionLines(bool shown, bool fixedLength);

  CColorCtl m_dimColor, m_extColor;
  std::unique_ptr<CLineTypeCtl> m_dimLinetype, m_ext1Linetype, m_ext2Linetype;
  std::unique_ptr<CLineWeightCtl> m_dimLineweight, m_extLineweight;
};

}  // namespace dds
