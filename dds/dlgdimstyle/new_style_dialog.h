#pragma once
// The New style dialog: the name of a new dimension style, the style it
// starts from and the kind of dimensions it is for. OK copies the starting
// style into the table (as a child style of it when the style is for one
// kind of dimensions) and hands the copy to the style editor.
#include <vector>

#include "OdDbDatabase.h"
#include "dialog.h"

namespace dds {

class NewStyleDialog : public ui::DialogHandler {
public:
  // The drawing the style goes into; null: the current document's.
  explicit NewStyleDialog(OdDbDatabase* db = nullptr);

  // Runs modally over the owner, starting from `source` (null: the current
  // style). 1 when a style was created and kept, 2 otherwise, 3 without an
  // owner window (nothing is shown).
  int run(ui::Dialog* owner, OdDbObjectId source);
  OdDbObjectId newStyle() const { return m_newStyle; }

  std::intptr_t onMessage(ui::Dialog& dialog, const ui::Message& message) override;

private:
  void initDialog();
  // The child type the "Use for" entry stands for; -1 all dimensions.
  int chosenType() const;
  OdString typedName() const;
  void updateEnabling();
  void sourceChanged();
  void create();
  void switchDimensionsToChild(const OdString& parentName, int childType);

  OdDbDatabase* m_db;
  ui::Dialog* m_dialog = nullptr;
  OdDbObjectId m_source;
  OdDbObjectId m_newStyle;
  std::vector<OdDbObjectId> m_sourceIds;  // one per "Start With" entry
  std::vector<OdString> m_sourceNames;    // their labels, in the same order
  bool m_ready = false;
};

}  // namespace dds
