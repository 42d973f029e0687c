#pragma once
// The style editor: a modal dialog with seven pages in which one set of
// dimension variable values is edited, either a style record (Modify, and
// New on the style just made) or the drawing's current values (Override).
// The pages' controls hold the values while the editor runs; every change
// is stored into a copy of the style in the preview's sample drawing and
// shown, and only OK writes into the drawing.
#include <memory>
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "dialog.h"

namespace dds {

class EditorPage;
class EditorStore;
class StylePreview;
class TolerancesPage;

class StyleEditorDialog : public ui::DialogHandler {
public:
  // Private messages of the editor window.
  static constexpr unsigned kUmUpdatePreview = ui::kMsgUser + 900;
  static constexpr unsigned kUmReloadLinetypes = ui::kMsgUser + 901;

  // The type of what is edited: override mode, a style that is not a child
  // style, or a child style's digit (0 linear ... 7 leader).
  static constexpr int kTypeOverride = -2;
  static constexpr int kTypeStyle = -1;

  // The drawing edited; null: the current document's.
  explicit StyleEditorDialog(OdDbDatabase* db = nullptr);
  ~StyleEditorDialog() override;
  StyleEditorDialog(const StyleEditorDialog&) = delete;
  StyleEditorDialog& operator=(const StyleEditorDialog&) = delete;

  // Opens the style record for writing (a null identifier, or a record that
  // cannot be opened, edits the drawing's current values) and its copy in
  // the preview's sample drawing.
  void prepare(OdDbObjectId style);
  // 1 when OK wrote the values, 2 when the editor was cancelled or closed.
  int run(ui::Dialog* owner);

  std::intptr_t onMessage(ui::Dialog& dialog, const ui::Message& message) override;

  // ---- for the pages ----
  void requestPreviewUpdate();
  // A spin's step on its field: the up arrow (negative delta) adds `step`.
  void stepSpinValue(ui::Control* field, int delta, double step);
  // Fills a precision list with the patterns of a unit mode, keeping the
  // selected position.
  void fillPrecisionList(int mode, ui::Control* list, bool angular, bool alternate);
  void reloadLinetypeLists();
  // The Tolerances page's rules, which the Text and unit pages trigger too.
  void applyToleranceMethod(int method);
  void updateToleranceZeroSuppression(bool alternateOn);

  int type() const { return m_type; }
  bool isOverride() const { return !m_record; }
  bool notRadius() const { return m_type != 4; }
  bool notDiameter() const { return m_type != 3; }
  bool notOrdinate() const { return m_type != 6; }
  bool notLeader() const { return m_type != 7; }
  // The user's drawing (lists of linetypes, arrowheads, text styles).
  OdDbDatabase* database() const { return m_db; }
  // The decimal separator the Primary units page shows: with a comma, a
  // comma typed into a number field is the decimal point.
  char decimalSeparator() const;

  // ---- what runs inside, open to tests ----
  ui::Dialog* window() const { return m_window; }
  EditorPage* page(int tab) const;
  StylePreview* preview() const { return m_preview.get(); }
  const OdDbDimStyleTableRecord* previewCopy() const { return m_previewCopy.get(); }
  // Sets every page from the record, or from the current values.
  void loadControls();
  // Every page's values, in store order.
  void storeControls(EditorStore& out) const;
  // How many times the preview has been refreshed.
  int previewRefreshes() const { return m_previewRefreshes; }

private:
  void initDialog(ui::Dialog& dialog);
  bool createPages();
  void showPage(int tab, bool on);
  void fillFixedLists();
  void fillTextStyleList();
  void refreshPreview();
  void accept();
  void showHelp();
  void findPreviewCopy();
  TolerancesPage* tolerancesPage() const;

  OdDbDatabase* m_db;
  OdDbDimStyleTableRecordPtr m_record;
  std::unique_ptr<StylePreview> m_preview;
  OdDbDimStyleTableRecordPtr m_previewCopy;
  ui::Dialog* m_window = nullptr;
  std::vector<std::unique_ptr<EditorPage>> m_pages;
  int m_type = kTypeStyle;
  int m_previewRefreshes = 0;
};

}  // namespace dds
