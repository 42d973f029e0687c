#pragma once
// The Compare dialog: the variables in which two dimension styles (or a
// style and the drawing's current values) differ, or every variable of one
// style, with a button that copies the rows to the clipboard. It only
// reads the drawing.
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "dialog.h"

namespace dds {

class CompareStylesDialog : public ui::DialogHandler {
public:
  // Entry values of the two lists besides indexes into m_ids.
  static constexpr std::intptr_t kOverridesEntry = -1;  // the drawing's current values
  static constexpr std::intptr_t kNoneEntry = -2;       // "With" only: the same as the first side

  // The drawing whose styles are offered; null: the current document's.
  explicit CompareStylesDialog(OdDbDatabase* db = nullptr);

  // Runs modally over the owner until Close. Each side is an open style
  // record, or null for the drawing's current values.
  int run(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second, ui::Dialog* owner);

  std::intptr_t onMessage(ui::Dialog& dialog, const ui::Message& message) override;

  // What the dialog compares while it is shown.
  const OdDbDimStyleTableRecord* firstSide() const { return m_first.get(); }
  const OdDbDimStyleTableRecord* secondSide() const { return m_second.get(); }
  const std::vector<OdDbObjectId>& offeredStyles() const { return m_ids; }

private:
  bool initDialog();
  void fillRows();
  void fitColumns(ui::Control& rows);
  void firstChanged();
  void secondChanged();
  // Opens the style of a list entry; false (logged) when it cannot.
  bool openEntry(std::intptr_t entry, OdDbDimStyleTableRecordPtr& side);
  void copyToClipboard();
  OdString sideName(const OdDbDimStyleTableRecord* side) const;

  OdDbDatabase* m_db;
  ui::Dialog* m_dialog = nullptr;
  OdDbDimStyleTableRecordPtr m_first, m_second;
  std::vector<OdDbObjectId> m_ids;
};

}  // namespace dds
