#pragma once
// The Properties palette's content for one document: the rows that every
// selected entity carries, with their values combined over the selection,
// and the writing of a typed value. The console, scripts and the window all
// show this one model.
//
// Rows come from the host's General rows, which every entity carries
// (general_properties.h), and then the property factories of the document's
// property manager. A row is one property identifier; it is shown when each
// class among the selected entities (or, with a type filter, the filtered
// class) has a factory for it. Categories keep the order in which the
// factories list them first, rows the order of their first factory.
//
// Every front end (the command line's dump, the window layer's palette, the
// docked panel) takes from here what a row is: its category and label, the
// control that edits it, its list items with their pictures and the item
// that stands for the value.
#include <memory>
#include <vector>

#include "OdDbObjectId.h"
#include "opm/opm_interfaces.h"
#include "opm/opm_services.h"

class HostApDocument;
class OdRxClass;

// "Rotated Dimension", "Leader", ... in the session's language.
OdString hostClassDisplayName(const OdRxClass* cls);

class PaletteModel : public HostPaletteListener {
public:
  struct ClassCount {
    const OdRxClass* cls = nullptr;
    int count = 0;
  };
  struct Row {
    OdString name;   // English "Category.Label": the key refreshes use
    OdString category, label;  // English: the name's parts before and after its first dot
    PZGuid id{};
    // One editor per selected class that carries the row.
    std::vector<PZPtr<IPZEditableProperty>> editors;
    std::vector<PZPtr<IOdProperty>> properties;
  };

  // Listens for refresh requests while it exists.
  explicit PaletteModel(HostApDocument& doc);
  ~PaletteModel() override;
  PaletteModel(const PaletteModel&) = delete;
  PaletteModel& operator=(const PaletteModel&) = delete;

  // The entities to show; empty shows the drawing itself.
  void setSelection(const OdDbObjectIdArray& ids);
  const OdDbObjectIdArray& selection() const { return m_selection ? *m_selection : m_none; }
  HostApDocument& document() const { return m_doc; }

  // The classes of the selection, in the order first met.
  const std::vector<ClassCount>& classCounts() const { return m_classes; }
  // "All (12)" and one entry per class ("Leader (4)"); only when the
  // selection mixes classes.
  std::vector<OdString> filterEntries() const;
  OdString currentFilterEntry() const;
  // An entry's text with or without its count, in either language.
  bool setFilter(const OdString& entry);

  const std::vector<Row>& rows() const { return m_rows; }
  // The row whose name (English, or as shown) is `name`; null when none.
  const Row* findRow(const OdString& name) const;
  // The row's name in the session's language.
  static OdString shownName(const Row& row);
  // Its category and label in the session's language ("Линии и стрелки",
  // "Размер стрелки"): the shown name split at its first dot.
  static OdString shownCategory(const Row& row);
  static OdString shownLabel(const Row& row);
  // How the row is edited: a drop-down list of itemTexts, or an edit box.
  // A read-only row (isReadOnly) shows its value and takes nothing.
  static PZControlKind controlKind(const Row& row);
  bool varies(const Row& row) const;
  // The value as the row shows it: empty when it varies.
  OdString valueText(const Row& row) const;
  // What the shown value leaves out (the block behind "User arrow..."):
  // empty when it varies or says it all.
  OdString valueTip(const Row& row) const;
  bool isReadOnly(const Row& row) const;
  std::vector<OdString> itemTexts(const Row& row) const;
  // The item that stands for the value; -1 when none does (the values vary,
  // or the value is not among the items).
  int currentItem(const Row& row) const;
  // The picture beside item `index` of itemTexts (kind kNone: none).
  PZItemPicture itemPicture(const Row& row, int index) const;

  // Writes `text` to every entity behind the row, as one undoable step.
  // False when refused or not every entity took it; `message` says why
  // (it may also carry a note on success, such as skipped locked layers).
  bool setValue(const Row& row, const OdString& text, OdString& message);
  // What the last write said (empty when it said nothing).
  const OdString& lastMessage() const { return m_lastMessage; }
  // Counts the times the rows were built; editors of rows built before
  // belong to no row any more.
  int generation() const { return m_generation; }

  // Refresh requests (from properties, the host or the module).
  void updateProperties(const OdString& paletteName) override;
  void refreshProperties(bool rebuild) override;
  // A pick in a list one of the rows' editors took over: setValue on its row.
  bool applyPick(IPZEditableProperty& editor, const OdString& text) override;

private:
  void rebuild();
  void applyPendingRefresh();

  HostApDocument& m_doc;
  std::shared_ptr<const OdDbObjectIdArray> m_selection;
  OdDbObjectIdArray m_none;
  std::vector<ClassCount> m_classes;
  // Per class, the selected entities of that class (shared by its rows).
  std::vector<std::shared_ptr<const OdDbObjectIdArray>> m_classIds;
  int m_filter = -1;  // -1 all classes, else an index into m_classes
  std::vector<Row> m_rows;
  // The rows a rebuild replaced: their editors may still be inside the pick
  // that caused it, so they live until the next rebuild.
  std::vector<Row> m_retiredRows;
  OdString m_lastMessage;
  int m_generation = 0;
  HostPaletteListener* m_previousListener = nullptr;
  bool m_busy = false;
  bool m_rebuildPending = false;
};
