#include "dimprops/inplace_control.h"

#include "control.h"
#include "device_context.h"
#include "dialog.h"
#include "opm/opm_services.h"

bool CPZControlHost::attach(IPZEditableProperty& editor, HostWindowHandle parent, int controlId) {
  if (m_control) return false;
  ui::Dialog* dialog = parent ? ui::Dialog::fromHostHandle(parent) : nullptr;
  ui::Control* control = dialog ? dialog->control(controlId) : nullptr;
  if (!control) return false;
  const bool wantsList = editor.controlKind() == PZControlKind::kDropDown;
  if ((control->kind() == ui::ControlKind::kDropDown) != wantsList) return false;
  m_control = control;
  m_window = parent;
  m_id = controlId;
  IPZEditableProperty* target = &editor;
  control->setExtension([this, target](ui::Control& c, const ui::Message& m) -> std::optional<std::intptr_t> {
    if (m.msg == ui::kMsgDestroy) {  // the window goes first: let go of it
      m_control = nullptr;
      return std::nullopt;
    }
    if (m.msg == ui::kMsgCommand && m.code == ui::kCmdSelChange && m_reentry == 0) {
      const int index = c.selection();
      if (index < 0) return std::nullopt;
      ++m_reentry;
      // A palette row writes through the palette, which reaches the
      // editors of every selected class; a lone editor writes itself.
      HostPaletteListener* palette = hostPaletteListener();
      if (!palette || !palette->applyPick(*target, c.itemText(index))) {
        OdString message;
        target->beginEdit();
        target->applyText(c.itemText(index), message);
        target->endEdit();
      }
      fill(*target);
      --m_reentry;
      // The parent hears that the row committed a choice.
      c.dialog().postCommand(c.id(), ui::kCmdSelEndOk);
      return std::intptr_t(0);
    }
    if (m.msg == ui::kMsgDrawItem && m.dc && m_painter) {
      m_painter(*m.dc, m.itemRect, m.item, m.itemState);
      return std::intptr_t(1);
    }
    return std::nullopt;
  });
  fill(editor);
  return true;
}

void CPZControlHost::detach() {
  if (m_control) m_control->setExtension(nullptr);
  m_control = nullptr;
  m_window = nullptr;
  m_id = 0;
}

void CPZControlHost::fill(IPZEditableProperty& editor) {
  if (!m_control) return;
  ++m_reentry;
  if (m_control->kind() == ui::ControlKind::kDropDown) {
    m_control->setRedraw(false);
    m_control->clearItems();
    const std::vector<OdString> items = editor.itemTexts();
    for (std::size_t i = 0; i < items.size(); ++i) m_control->addItem(items[i], std::intptr_t(i));
    m_control->setSelection(editor.currentItem());
    m_control->setRedraw(true);
  } else {
    m_control->setText(editor.valueText());
  }
  m_control->setReadOnly(!editor.isEditable());
  --m_reentry;
}
