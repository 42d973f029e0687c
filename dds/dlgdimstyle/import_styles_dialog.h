#pragma once
// The style manager's "Import styles...": asks for a drawing, lets the user
// mark the styles of it to bring over, and imports them into this drawing.
#include <vector>

#include "OdDbDatabase.h"
#include "dialog.h"
#include "style_import.h"

namespace dds {

// Picking dialog (template 1020): the source's styles, each marked or not
// (double click or space toggles a row), and whether styles this drawing
// has are overwritten. Import stays disabled until a style is marked.
class ImportStylesDialog : public ui::DialogHandler {
public:
  // `inTarget` says, per name, whether this drawing has a style of that name.
  ImportStylesDialog(std::vector<OdString> names, std::vector<bool> inTarget);

  // 1 when the user pressed Import, 2 when cancelled.
  int run(ui::Dialog* owner);
  std::intptr_t onMessage(ui::Dialog& dialog, const ui::Message& message) override;

  // The marked names in list order.
  std::vector<OdString> picked() const;
  ExistingStyles existing() const { return m_overwrite ? ExistingStyles::kOverwrite : ExistingStyles::kSkip; }

private:
  void toggle(int row);
  void markAll(bool marked);
  // Shows what Import would do with each row and whether it can start.
  void refreshRows();

  ui::Dialog* m_dialog = nullptr;
  std::vector<OdString> m_names;
  std::vector<bool> m_inTarget;
  std::vector<bool> m_marked;
  bool m_overwrite = false;
};

// The whole "Import styles..." action over `owner`. Every outcome is said
// on the command line: why the drawing could not be read, one line per
// style and the summary. True when the style table may have changed.
bool importStylesFromDrawing(OdDbDatabase& target, ui::Dialog* owner);

}  // namespace dds
