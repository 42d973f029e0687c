#pragma once
// One control of a dialog: its state as a user sees it (text, enabled,
// visible, check, items, selection, columns) held in memory. The headless
// backend shows exactly this state; the Qt backend mirrors it into widgets
// and turns what the user does back into the same changes.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog_template.h"
#include "device_context.h"
#include "ui_types.h"

namespace ui {

class Dialog;
struct Message;

// A row of a list view, or an item of a drop-down or tab control; cell 0
// is the label.
struct ListItem {
  std::vector<std::string> cells;
  std::intptr_t data = 0;
  int indent = 0;
};

struct ListColumn {
  std::string header;
  int width = 0;  // pixels
};

class Control {
public:
  Control(Dialog& dialog, const ControlTemplate& tmpl);
  // An extension hears kMsgDestroy as the control goes, so that an object
  // that took it over lets go of it.
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Dialog& dialog() const { return m_dialog; }
  int id() const { return m_id; }
  ControlKind kind() const { return m_kind; }
  unsigned style() const { return m_style; }
  bool hasStyle(unsigned s) const { return (m_style & s) != 0; }
  Rect rect() const { return m_rect; }  // dialog units

  const std::string& text() const { return m_text; }
  // An edit tells its dialog that its text changed, as edits do whenever
  // their text is set.
  void setText(const std::string& text);

  bool isEnabled() const { return m_enabled; }
  void enable(bool on);
  bool isVisible() const { return m_visible; }
  void show(bool on);
  bool isReadOnly() const { return hasStyle(kStyleReadOnly); }
  void setReadOnly(bool on);

  int check() const { return m_check; }
  void setCheck(int state);

  // Items of drop-downs, list views and tab controls. A sorted control
  // places a new item by its label (letter case ignored) and returns where
  // it went; the item keeps its data wherever it goes.
  int addItem(const std::string& label, std::intptr_t data = 0, int indent = 0);
  // At a position (-1 or past the end: at the end); sorted controls ignore
  // the position.
  int insertItem(int at, const std::string& label, std::intptr_t data = 0, int indent = 0);
  bool deleteItem(int index);
  void clearItems();
  int itemCount() const { return int(m_items.size()); }
  const ListItem* item(int index) const;
  std::string itemText(int index, int column = 0) const;
  bool setItemText(int index, int column, const std::string& text);
  std::intptr_t itemData(int index) const;  // -1 for an index outside the list
  bool setItemData(int index, std::intptr_t data);
  int findItemData(std::intptr_t data) const;          // -1 when none
  int findItemText(const std::string& label) const;    // exact; -1 when none
  const std::vector<ListItem>& items() const { return m_items; }

  // The selected item, -1 for none. A list view tells its dialog when the
  // selection changes; drop-downs and tabs tell only about the user's
  // choices (see user_input.h).
  int selection() const { return m_selection; }
  bool setSelection(int index);

  // List view columns.
  int insertColumn(int at, const std::string& header, int width);
  bool deleteColumn(int index);
  int columnCount() const { return int(m_columns.size()); }
  const std::vector<ListColumn>& columns() const { return m_columns; }
  bool setColumnHeader(int index, const std::string& header);
  bool setColumnWidth(int index, int width);
  unsigned listStyle() const { return m_listStyle; }
  void setListStyle(unsigned s);

  // In-place editing of a list view label: begin asks the dialog (which may
  // refuse), end hands it the text or the cancel.
  bool beginLabelEdit(int index);
  bool isEditingLabel() const { return m_editItem >= 0; }
  int labelEditItem() const { return m_editItem; }
  const std::string& labelEditText() const { return m_editText; }
  void setLabelEditText(const std::string& text);
  // True when the dialog kept the new text.
  bool endLabelEdit(bool commit);

  // Suspends repainting while a list is refilled (counts nest).
  void setRedraw(bool on);
  bool redrawSuspended() const { return m_redrawOff > 0; }

  // Up-down range and position. The default range runs from 100 down to 0,
  // so that the up arrow proposes a negative delta.
  void setSpinRange(int lower, int upper);
  int spinLower() const { return m_spinLower; }
  int spinUpper() const { return m_spinUpper; }
  int spinPos() const { return m_spinPos; }
  void setSpinPos(int pos);
  // The control directly before this one in the dialog's order.
  Control* buddy() const;

  // Owner-drawn drop-downs: the height every item has.
  int itemHeight() const { return m_itemHeight; }
  void setItemHeight(int pixels);
  // Draws one item through the dialog's procedure (kMsgDrawItem).
  void drawItem(DeviceContext& dc, int index, const Rect& rect, unsigned state);

  // The colours the dialog chooses for an edit's text as it stands now
  // (kMsgCtlColorEdit); none: the usual colours.
  std::optional<TextColors> textColors();

  // Frames painted by something else.
  using Painter = std::function<void(DeviceContext& dc, const Rect& client)>;
  void setPainter(Painter painter);
  bool hasPainter() const { return bool(m_painter); }
  void paint(DeviceContext& dc, const Rect& client);
  void invalidate();  // asks the backend to paint again

  // The widest the open list of a drop-down is, in pixels (0: as wide as
  // the control).
  int droppedWidth() const { return m_droppedWidth; }
  void setDroppedWidth(int pixels);

  // Brings an item of a list into view.
  void ensureVisible(int index);
  // The item last asked for and not yet scrolled to (-1: none); a backend
  // takes it when it scrolls.
  int scrollTarget() const { return m_scrollTarget; }
  int takeScrollTarget() { return std::exchange(m_scrollTarget, -1); }

  // The control's rectangle in pixels of its dialog, with the session's
  // dialog font.
  Rect pixelRect() const;

  // Named numbers kept on the window (a focus lock counts here).
  std::intptr_t property(const std::string& name) const;
  void setProperty(const std::string& name, std::intptr_t value);
  void removeProperty(const std::string& name);

  // Extends the control: messages about it (notifications, commands,
  // draw and measure requests, keys) reach this function before the
  // dialog's procedure. A value means "handled, with this result"; none
  // passes the message on.
  using Extension = std::function<std::optional<std::intptr_t>(Control& control, const Message& message)>;
  void setExtension(Extension extension) { m_extension = std::move(extension); }
  const Extension& extension() const { return m_extension; }

  const std::string& tooltip() const { return m_tooltip; }
  void setTooltip(const std::string& text);

  // The icon of an icon button: a name the backend knows ("copy"); empty
  // for none.
  const std::string& icon() const { return m_icon; }
  void setIcon(const std::string& name);

  void setFocus();
  bool hasFocus() const;

  // Grows with every change, so that a backend repaints only what changed.
  std::uint64_t revision() const { return m_revision; }

private:
  void changed();
  int sortedPosition(const std::string& label) const;

  Dialog& m_dialog;
  int m_id;
  ControlKind m_kind;
  unsigned m_style;
  Rect m_rect;
  std::string m_text;
  bool m_enabled, m_visible;
  int m_check = kUnchecked;
  std::vector<ListItem> m_items;
  int m_selection = -1;
  std::vector<ListColumn> m_columns;
  unsigned m_listStyle = 0;
  int m_editItem = -1;
  std::string m_editText;
  int m_redrawOff = 0;
  int m_spinLower = 100, m_spinUpper = 0, m_spinPos = 0;
  int m_itemHeight = 0;
  Painter m_painter;
  std::string m_tooltip, m_icon;
  int m_droppedWidth = 0;
  int m_scrollTarget = -1;
  std::map<std::string, std::intptr_t> m_properties;
  Extension m_extension;
  std::uint64_t m_revision = 0;
};

const char* controlKindName(ControlKind kind);

}  // namespace ui
