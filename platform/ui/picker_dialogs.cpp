#include "picker_dialogs.h"

#include <algorithm>

#include "backend.h"
#include "control.h"
#include "dialog.h"
#include "dialog_template.h"

namespace ui {

namespace {

constexpr int kPickerTemplateId = 9100;
constexpr int kValueId = 100;

bool russian() { return hostLanguage() == HostLanguage::kRussian; }

class PickerHandler : public DialogHandler {
public:
  PickerHandler(const std::vector<std::string>* entries, std::string& value) : m_entries(entries), m_value(value) {}

  std::intptr_t onMessage(Dialog& dialog, const Message& m) override {
    Control* value = dialog.control(kValueId);
    if (m.msg == kMsgInitDialog && value) {
      if (m_entries) {
        for (const std::string& e : *m_entries) value->addItem(e);
        const auto at = std::find(m_entries->begin(), m_entries->end(), m_value);
        value->setSelection(at == m_entries->end() ? (m_entries->empty() ? -1 : 0) : int(at - m_entries->begin()));
      } else {
        value->setText(m_value);
      }
      return 1;
    }
    if (m.msg == kMsgClose || (m.msg == kMsgCommand && m.id == kIdCancel)) {
      dialog.end(kIdCancel);
      return 1;
    }
    if (m.msg == kMsgCommand && m.id == kIdOk && value) {
      const std::string chosen = m_entries ? (value->selection() >= 0 ? value->itemText(value->selection()) : "")
                                           : value->text();
      if (chosen.empty()) return 1;  // nothing to take yet
      m_value = chosen;
      dialog.end(kIdOk);
      return 1;
    }
    return 0;
  }

private:
  const std::vector<std::string>* m_entries;
  std::string& m_value;
};

bool runPicker(Dialog* owner, const std::string& caption, const std::string& label,
               const std::vector<std::string>* entries, std::string& value) {
  DialogTemplate t;
  t.id = kPickerTemplateId;
  t.language = hostLanguage();
  t.caption = caption;
  t.cx = 200;
  t.cy = 62;
  const std::string ok = "OK", cancel = russian() ? "Отмена" : "Cancel";
  t.controls = {
      {0, ControlKind::kLabel, label.c_str(), {6, 6, 188, 10}, 0},
      {kValueId, entries ? ControlKind::kDropDown : ControlKind::kEdit, "", {6, 18, 188, 12}, kStyleTabStop},
      {kIdOk, ControlKind::kButton, ok.c_str(), {86, 40, 50, 14}, kStyleDefault | kStyleTabStop},
      {kIdCancel, ControlKind::kButton, cancel.c_str(), {142, 40, 50, 14}, kStyleTabStop},
  };
  PickerHandler handler(entries, value);
  return runModalDialog(t, handler, owner, nullptr) == kIdOk;
}

}  // namespace

bool askTextDialog(Dialog* owner, const std::string& caption, const std::string& label, std::string& text) {
  return runPicker(owner, caption, label, nullptr, text);
}

bool chooseDialog(Dialog* owner, const std::string& caption, const std::string& label,
                  const std::vector<std::string>& entries, std::string& chosen) {
  return runPicker(owner, caption, label, &entries, chosen);
}

bool askOpenFileName(Dialog* owner, const std::string& caption, const std::string& label,
                     const std::string& filter, std::string& path) {
  return backend().askOpenFileName(owner, caption, label, filter, path);
}

}  // namespace ui
