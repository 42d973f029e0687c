#include "dimprops/editor_controls.h"

#include "OdDmUtil.h"
#include "control.h"
#include "dialog.h"
#include "opm/opm_services.h"
#include "stdafx/module_resources.h"

// ---- the list, whatever its kind ----

template <class V>
CValueListCtl<V>::~CValueListCtl() {
  detach();
}

template <class V>
bool CValueListCtl<V>::attach(ui::Dialog& dialog, int controlId) {
  ui::Control* control = dialog.control(controlId);
  if (!control || control->kind() != ui::ControlKind::kDropDown || m_control) return false;
  m_control = control;
  control->setExtension([this](ui::Control& c, const ui::Message& m) -> std::optional<std::intptr_t> {
    if (m.msg == ui::kMsgDestroy) {  // the window goes first: let go of it
      m_control = nullptr;
      return std::nullopt;
    }
    if (m.msg == ui::kMsgCommand && m.code == ui::kCmdSelChange && m_reentry == 0) {
      choose(c.selection());
      return std::intptr_t(0);
    }
    if (m.msg == ui::kMsgDrawItem && m.dc) {
      const std::vector<OdString> texts = items();
      const bool known = m.item >= 0 && m.item < int(texts.size());
      dds::paint::listItem(*m.dc, m.itemRect, m.itemState, known ? texts[std::size_t(m.item)] : OdString(),
                           known ? dds::paint::picture(picture(m.item)) : nullptr);
      return std::intptr_t(1);
    }
    return std::nullopt;
  });
  fill();
  return true;
}

template <class V>
void CValueListCtl<V>::detach() {
  if (m_control) m_control->setExtension(nullptr);
  m_control = nullptr;
}

template <class V>
void CValueListCtl<V>::setValue(const V& value) {
  m_value = value;
  fill();
}

template <class V>
void CValueListCtl<V>::fill() {
  if (!m_control) return;
  ++m_reentry;
  const std::vector<OdString> texts = items();
  m_control->setRedraw(false);
  m_control->clearItems();
  int selected = -1;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    m_control->addItem(texts[i], std::intptr_t(i));
    V candidate = m_value;
    OdString ignored;
    if (selected < 0 && !isPickerItem(texts[i]) && parse(texts[i], candidate, ignored) && candidate == m_value)
      selected = int(i);
  }
  if (selected < 0) selected = itemOfOtherValue(m_value, texts);
  m_control->setSelection(selected);
  if (const OdString tip = tooltipOf(m_value); m_control->tooltip() != tip) m_control->setTooltip(tip);
  m_control->setRedraw(true);
  --m_reentry;
}

// A pick that opens a picker and is cancelled keeps the value; the list is
// rebuilt either way (a picked colour joins the custom colours).
template <class V>
void CValueListCtl<V>::choose(int index) {
  const std::vector<OdString> texts = items();
  if (index < 0 || index >= int(texts.size())) return;
  V chosen = m_value;
  OdString message;
  bool took = false;
  if (isPickerItem(texts[std::size_t(index)]))
    took = pick(chosen);
  else
    took = parse(texts[std::size_t(index)], chosen, message);
  if (took) m_value = chosen;
  fill();
  if (took && m_changed) m_changed(m_value);
}

template class CValueListCtl<OdString>;
template class CValueListCtl<OdCmColor>;
template class CValueListCtl<QrFillColor>;
template class CValueListCtl<OdDb::LineWeight>;

// ---- the kinds: their lists' pickers ----

bool CArrowCtl::parse(const OdString& text, OdString& name, OdString& message) const {
  return dds::kinds::parseArrow(text, m_db, name, message);
}
bool CArrowCtl::pick(OdString& name) {
  OdString message;
  return dds::kinds::ArrowList(m_db).pick(nullptr, name, message);
}
int CArrowCtl::itemOfOtherValue(const OdString& name, const std::vector<OdString>& texts) const {
  if (name.empty()) return -1;
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (isPickerItem(texts[i])) return int(i);
  return -1;
}
OdString CArrowCtl::tooltipOf(const OdString& name) const {
  return name.empty() || OdDmUtil::isBuiltInArrow(name) ? OdString() : name;
}

bool CColorCtl::pick(OdCmColor& c) {
  OdString message;
  return list().pick(nullptr, c, message);
}

bool CFillColorCtl::pick(QrFillColor& f) {
  OdString message;
  return dds::kinds::FillColorList().pick(nullptr, f, message);
}

bool CLineTypeCtl::pick(OdString& name) {
  OdString message;
  const std::size_t before = dds::kinds::linetypeNames(m_db).size();
  if (m_owner) m_owner->enable(false);
  const bool picked = dds::kinds::LinetypeList(m_db).pick(m_owner ? m_owner->hostHandle() : nullptr, name, message);
  if (m_owner) {
    m_owner->enable(true);
    if (dds::kinds::linetypeNames(m_db).size() != before) m_owner->send(ui::Message{.msg = m_linetypesAdded});
  }
  return picked;
}
