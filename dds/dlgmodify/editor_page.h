#pragma once
// One page of the style editor: a child dialog that shows some of the
// edited values, loads them from a source, yields them when the editor
// stores, enables its controls after the editor's type, and asks for a
// preview after everything the user does. Pages keep no values of their
// own: their controls are the working copy. A page reaches its editor
// through the editor it was made for.
#include <initializer_list>
#include <map>
#include <optional>

#include "OdDbDatabase.h"
#include "OdDbDimVars.h"
#include "dialog.h"

namespace dds {

inline constexpr const char* kSrcDlgModify = "dds/dlgmodify";

class EditorStore;
class StyleEditorDialog;

// What a page loads from: a style record's values or the drawing's current
// values, with the drawing they belong to.
struct EditorSource {
  const OdDbDimVars& values;
  OdDbDatabase* db;

  OdDbDimVarValue get(const char* name) const;
  double number(const char* name) const;
  bool flag(const char* name) const;
};

class EditorPage : public ui::DialogHandler {
public:
  explicit EditorPage(StyleEditorDialog& editor) : m_editor(editor) {}
  ~EditorPage() override = default;

  // Sets the controls from the source and enables them for the editor's
  // type.
  virtual void load(const EditorSource& source) = 0;
  // Runs after every page has loaded.
  virtual void afterLoad() {}
  // Adds the page's values to the store, in the editor's store order.
  virtual void store(EditorStore& out) const = 0;
  // The drawing's linetypes changed (a picker loaded one).
  virtual void reloadLinetypes() {}

  ui::Dialog* window() const { return m_window; }
  StyleEditorDialog& editor() const { return m_editor; }

  // The value a number field was loaded with, while the field still shows
  // the text it was loaded with: a field shows seven decimals at most, and
  // OK on an untouched field must give back the value, not its text.
  std::optional<double> untouchedValue(int id) const;

  std::intptr_t onMessage(ui::Dialog& dialog, const ui::Message& message) final;

protected:
  // The page exists with its controls; the in-place lists attach here.
  virtual void created() {}
  // A click, a drop-down choice or a text change of one of the page's
  // controls; the preview is asked for afterwards in every case.
  virtual void command(int, unsigned) {}
  // How far a click on a spin arrow moves its field.
  virtual double spinStep(int spinId) const = 0;
  // The page goes; its in-place lists let go of their controls.
  virtual void destroyed() {}

  ui::Control* control(int id) const;
  // A control of another page of the same editor; null while that page
  // shows nothing.
  ui::Control* controlOf(int tab, int id) const;
  void enable(std::initializer_list<int> ids, bool on) const;
  // A list's item by index; a value no item stands for shows no selection.
  void select(int id, int index) const;
  // The selected index of a list, -1 for none.
  int selection(int id) const;
  bool isChecked(int id) const;
  void setChecked(int id, bool on) const;
  // Numbers in fields: written with seven decimals at most.
  void setNumber(int id, double value) const;
  // Shows `shown` in a number field as loaded, standing for `exact` (what
  // an untouched field stores) until its text changes.
  void loadNumber(int id, double shown, double exact);
  void loadNumber(int id, double value) { loadNumber(id, value, value); }
  // The number a field holds as typed; text that is not a number is
  // refused through `out` (the variable is then not stored) and gives
  // nothing.
  std::optional<double> typedNumber(EditorStore& out, int id) const;
  // The loaded value while the field is untouched, else the typed number.
  std::optional<double> fieldValue(EditorStore& out, int id) const;
  // Stores a number field's value under a variable's name; nothing when
  // its text is refused.
  void putNumber(EditorStore& out, const char* name, int id) const;
  // The field's label as the user sees it, for messages.
  OdString fieldLabel(int id) const;

private:
  struct LoadedNumber {
    std::string text;
    double exact;
  };

  StyleEditorDialog& m_editor;
  ui::Dialog* m_window = nullptr;
  std::map<int, LoadedNumber> m_loaded;
};

}  // namespace dds
