#pragma once
// One control of a dialog on screen: the widget that shows it, how the
// widget mirrors the control's state, how what the user does to the widget
// goes back through ui::user, and how the widget is written in the dialog
// script's dump. Each kind of control has its own adapter, so that a new
// kind, or a fix to one, touches one file.
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "control.h"

class QWidget;

namespace ui::qt {

// What an adapter needs of the window that holds it.
class AdapterHost {
public:
  virtual ~AdapterHost() = default;
  // The dialog window: the context of connections, the origin of menu points.
  virtual QWidget& window() = 0;
  // The model decided something after a user action: mirror the control
  // again soon.
  virtual void resync(Control& control) = 0;
  // True while the window writes a control's state into its widget, so that
  // the widget's own signals are not taken for the user's actions.
  virtual bool syncing() const = 0;
  // The widget of the control a label names by its mnemonic; null when the
  // label has none.
  virtual QWidget* buddyWidgetOf(const Control& label) = 0;
};

// The widget as the dialog script writes it, after id, kind, enabled and
// visible: the quoted text and what the kind adds ("check=1", "selection=0
// \"Text\"", "read-only"), then the list's header line and its item or row
// lines, each without indent.
struct WidgetDump {
  std::string value = "\"\"";
  std::string columns;
  std::vector<std::string> rows;
};

class ControlAdapter {
public:
  explicit ControlAdapter(Control& control) : m_control(control) {}
  virtual ~ControlAdapter() = default;
  ControlAdapter(const ControlAdapter&) = delete;
  ControlAdapter& operator=(const ControlAdapter&) = delete;

  Control& control() const { return m_control; }
  QWidget* widget() const { return m_widget; }

  // Makes the widget inside the parent and connects what the user does.
  QWidget* create(QWidget* parent, AdapterHost& host) {
    m_widget = makeWidget(parent, host);
    return m_widget;
  }
  // Writes the kind's own state (texts, checks, items, selection) into the
  // widget; enabled, visible and the tooltip are the window's.
  virtual void sync(AdapterHost& host) = 0;
  virtual WidgetDump dump() const { return {}; }
  // Whether a label just before this control names it by its mnemonic.
  virtual bool takesFocus() const { return true; }

protected:
  virtual QWidget* makeWidget(QWidget* parent, AdapterHost& host) = 0;

private:
  Control& m_control;
  QWidget* m_widget = nullptr;
};

// The adapter of the control's kind.
std::unique_ptr<ControlAdapter> makeAdapter(Control& control);

// The factories makeAdapter picks from, one per kind, each in its own file.
std::unique_ptr<ControlAdapter> makeLabelAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeGroupBoxAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeEtchedLineAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeButtonAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeCheckBoxAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeRadioButtonAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeEditAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeSpinAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeDropDownAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeListViewAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeTabAdapter(Control& control);
std::unique_ptr<ControlAdapter> makeFrameAdapter(Control& control);

// Helpers the adapters share.
QString qs(const std::string& s);
std::string quoted(const QString& text);  // as the dialog script quotes texts
std::string withoutMnemonic(const std::string& text);
Key keyOf(int qtKey);  // kNone for keys the dialogs do not handle

}  // namespace ui::qt
