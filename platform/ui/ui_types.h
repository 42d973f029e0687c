#pragma once
// Plain types of the window layer: geometry, colours, control kinds and
// styles, keys, and the numbers of the messages a dialog procedure receives.
// Message numbers follow the classic dialog numbering so that private
// messages (kMsgUser + n) keep the values the module's dialogs are known by.
#include <cstdint>
#include <string>

namespace ui {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// Position and size; in dialog units inside templates, in pixels elsewhere.
struct Rect {
  int x = 0, y = 0, cx = 0, cy = 0;
  bool operator==(const Rect&) const = default;
  int right() const { return x + cx; }
  int bottom() const { return y + cy; }
};

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

// The colours an edit's text is drawn in, when its dialog chooses them.
struct TextColors {
  Color text;
  Color background;
  bool operator==(const TextColors&) const = default;
};

enum class ControlKind {
  kLabel,
  kButton,       // push button; with kStyleIcon it shows an icon instead of text
  kCheckBox,
  kRadioButton,  // kStyleGroup starts a new group of radio buttons
  kEdit,
  kSpin,         // up-down control; its buddy is the control before it
  kDropDown,     // drop-down list (no typing)
  kListView,     // list with columns
  kTab,          // tab control; its pages are child dialogs
  kGroupBox,
  kEtchedLine,
  kFrame,        // a static area that something else paints
};

// Template and window styles of controls.
enum : unsigned {
  kStyleDisabled = 1u << 0,
  kStyleHidden = 1u << 1,
  kStyleDefault = 1u << 2,        // the default push button (Enter)
  kStyleIcon = 1u << 3,           // push button showing an icon
  kStyleGroup = 1u << 4,          // first radio button of a group
  kStyleReadOnly = 1u << 5,       // edit
  kStyleSorted = 1u << 6,         // drop-down and list view keep their items sorted
  kStyleOwnerDrawFixed = 1u << 7, // drop-down items measured once and drawn by the dialog
  kStyleSingleSel = 1u << 8,      // list view
  kStyleNoHeader = 1u << 9,       // list view without column headers
  kStyleNoSortHeader = 1u << 10,  // list view headers are not buttons
  kStyleEditLabels = 1u << 11,    // list view labels can be edited in place
  kStyleAutoCheck = 1u << 12,     // check box and radio button change their state when clicked
  kStyleTabStop = 1u << 13,
};

// Extended list-view styles.
enum : unsigned {
  kListFullRowSelect = 1u << 0,
  kListLabelTips = 1u << 1,
};

// Check states.
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr int kIndeterminate = 2;

// Standard command ids.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

enum class Key { kNone, kF1, kF2, kDelete, kSpace, kEscape, kEnter, kUp, kDown, kTab };

std::string keyName(Key key);
Key keyFromName(const std::string& name);  // any letter case; kNone when unknown

// Messages to a dialog procedure.
constexpr unsigned kMsgDestroy = 0x0002;
constexpr unsigned kMsgClose = 0x0010;      // the window's close box
constexpr unsigned kMsgDrawItem = 0x002B;   // owner-drawn item: dc, itemRect, item, itemState
constexpr unsigned kMsgMeasureItem = 0x002C;// owner-drawn list: store the item height in *itemHeight
constexpr unsigned kMsgNotify = 0x004E;     // a control's notification: id, code, ...
constexpr unsigned kMsgHelp = 0x0053;       // F1
constexpr unsigned kMsgContextMenu = 0x007B;// right button: control, item, point
constexpr unsigned kMsgInitDialog = 0x0110;
constexpr unsigned kMsgCommand = 0x0111;    // a control's command: id, code
constexpr unsigned kMsgCtlColorEdit = 0x0133;  // an edit is drawn: a non-zero result with *colors set chooses its colours
constexpr unsigned kMsgUser = 0x0400;       // private messages are kMsgUser + n

// Command codes (kMsgCommand).
constexpr unsigned kCmdClicked = 0;       // button pressed, menu entry or key command
constexpr unsigned kCmdSelChange = 1;     // the user picked another drop-down item
constexpr unsigned kCmdDoubleClick = 2;
constexpr unsigned kCmdSelEndOk = 4;      // a drop-down choice was committed
constexpr unsigned kCmdEditChange = 0x0300;  // the text of an edit changed

// Notification codes (kMsgNotify).
enum : unsigned {
  kNotifySpinDelta = 1,       // delta: the change the spin proposes (item unused)
  kNotifyItemChanged,         // list view selection changed: item (-1 none)
  kNotifyBeginLabelEdit,      // item; a non-zero result refuses the edit
  kNotifyEndLabelEdit,        // item, text (null when cancelled); non-zero keeps the text
  kNotifyKeyDown,             // list view key: key
  kNotifyClick,               // list view: item under the left button (-1 empty space)
  kNotifyRightClick,          // list view: item under the right button (-1 empty space)
  kNotifyDoubleClick,         // list view: item (-1 empty space)
  kNotifyTabSelChanging,      // tab control: about to change
  kNotifyTabSelChange,        // tab control: changed
};

// Owner-drawn item states.
enum : unsigned {
  kItemSelected = 1u << 0,
  kItemFocus = 1u << 1,
  kItemDisabled = 1u << 2,
  kItemInEditField = 1u << 3,  // the closed drop-down's own field
};

}  // namespace ui
