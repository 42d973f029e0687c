#pragma once
// The Dimension Style Manager: the drawing's dimension styles with their
// child styles and the current overrides, a preview of the selected entry,
// and the actions on styles. Every action goes straight into the style
// table; the list is rebuilt from the table after each change, so it never
// shows anything the drawing does not hold.
#include <memory>
#include <vector>

#include "OdDbDatabase.h"
#include "dialog.h"

namespace dds {

class StylePreview;

class StyleManagerDialog : public ui::DialogHandler {
public:
  // The reference of the overrides row; other rows refer to styleIds().
  static constexpr std::intptr_t kOverridesRow = -1;
  // Context-menu commands besides the buttons' own ids.
  static constexpr int kMenuRename = 1000;
  static constexpr int kMenuSaveToCurrent = 1001;
  static constexpr int kMenuImport = 1002;

  // The drawing whose styles are managed; null: the current document's.
  explicit StyleManagerDialog(OdDbDatabase* db = nullptr);
  ~StyleManagerDialog() override;

  // Runs modally over the owner until Close, Escape or the close box.
  int run(ui::Dialog* owner);

  std::intptr_t onMessage(ui::Dialog& dialog, const ui::Message& message) override;

  // One entry per style row, in the order the rows were inserted.
  const std::vector<OdDbObjectId>& styleIds() const { return m_styleIds; }
  StylePreview* preview() const { return m_preview.get(); }

private:
  ui::Control& styleList() const;
  // The style a row stands for; null for the overrides row. Throws
  // ManagerListError when the row or the list cannot be read.
  OdDbObjectId rowStyle(int row) const;
  bool isChildRow(int row) const;
  bool isOverridesRow(int row) const;

  void initDialog();
  void fillList();
  void addRows();
  void selectionChanged(int row);
  void updateCurrentLabel();
  void updateButtons(int row);
  void updatePreview(int row);

  void setCurrent();
  void createStyle();
  void editStyle(bool override);
  // The Shift-held listing after an accepted edit.
  void logEditedValues(OdDbObjectId target, bool override) const;
  void compare();
  void deleteSelected();
  bool beginRename(int row);
  void endRename(int row, const std::string* text);
  void saveToCurrentStyle();
  void importStyles();
  void showContextMenu(int row, ui::Point at);
  void listKey(ui::Key key);
  // Set current for a double click or the space key, where it applies.
  void setCurrentByGesture();
  bool canSetCurrent(int row) const;
  // Runs an action with the dialog's failure handling: a database or list
  // error ends the action with a log line and leaves the dialog usable.
  template <class Action>
  void guarded(Action&& action);

  OdDbDatabase* m_db;
  ui::Dialog* m_dialog = nullptr;
  std::vector<OdDbObjectId> m_styleIds;
  std::unique_ptr<StylePreview> m_preview;
  bool m_filling = false;
};

}  // namespace dds
