#pragma once
// The Symbols and arrows page: the arrowheads and their size, the centre
// marks, the arc length symbol and the jog angle of radius dimensions.
#include "dimprops/editor_controls.h"
#include "editor_page.h"

namespace dds {

class SymbolsArrowsPage : public EditorPage {
public:
  explicit SymbolsArrowsPage(StyleEditorDialog& editor);

  void load(const EditorSource& source) override;
  void store(EditorStore& out) const override;

  CArrowCtl& firstArrow() { return m_first; }
  CArrowCtl& secondArrow() { return m_second; }
  CArrowCtl& leaderArrow() { return m_leader; }

protected:
  void created() override;
  void command(int id, unsigned code) override;
  double spinStep(int) const override { return 0.0005; }
  void destroyed() override;

private:
  void storeArrowheads(EditorStore& out) const;

  CArrowCtl m_first, m_second, m_leader;
  // The arrowhead variables as loaded, and what the two lists showed.
  struct LoadedArrowheads {
    bool separate = false;
    OdDbObjectId blkId, blk1Id, blk2Id, leaderId;
    OdString blk, blk1, blk2;
    OdString first, second;
  } m_loaded;
};

}  // namespace dds
