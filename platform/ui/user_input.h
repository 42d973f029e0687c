#pragma once
// What a user does to a dialog: press, choose, type, check, press keys,
// spin, edit labels, right-click. Both backends go through these, so a
// dialog behaves the same headless and on screen. Each gives false (and
// a reason in `why` when given) when a user could not do it: no such
// control, a disabled or hidden one, an item that does not exist.
#include <optional>
#include <string>

#include "ui_types.h"

namespace ui {

class Dialog;
class Control;

namespace user {

bool click(Dialog& dialog, int id, std::string* why = nullptr);
// Drop-down, list view or tab control.
bool select(Dialog& dialog, int id, int index, std::string* why = nullptr);
// Replaces the text of an edit one character at a time, as typing does
// (each character gives a change notification).
bool type(Dialog& dialog, int id, const std::string& text, std::string* why = nullptr);
bool setCheck(Dialog& dialog, int id, bool checked, std::string* why = nullptr);
// The key goes to the control with the focus (or `id` when given, which
// then takes the focus) and then to the dialog: F1 help, Escape cancel,
// Enter the default button.
bool pressKey(Dialog& dialog, Key key, int id = 0, std::string* why = nullptr);
bool spin(Dialog& dialog, int id, bool up, std::string* why = nullptr);
// Edits a list view label in place; a null text cancels the edit.
bool editLabel(Dialog& dialog, int id, int index, const std::optional<std::string>& text,
               std::string* why = nullptr);
bool rightClick(Dialog& dialog, int id, int index, Point at = {}, std::string* why = nullptr);
bool doubleClick(Dialog& dialog, int id, int index, std::string* why = nullptr);
// The window's close box.
bool close(Dialog& dialog);

}  // namespace user
}  // namespace ui
