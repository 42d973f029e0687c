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
                           known ? picture(m.item) : nullptr);
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

// ---- the kinds ----

namespace {
std::vector<OdCmColor> withCustomColors(std::vector<OdCmColor> colors) {
  for (const OdCmColor& c : hostGetCustomColors()) colors.push_back(c);
  return colors;
}
bool isMoreColors(const OdString& text) { return text == dds::translate("More Colors..."); }
bool pickColor(OdCmColor& color, bool byLayerAndBlock) {
  OdCmColor chosen = color;
  if (!hostSetColorDialogTrueColor(nullptr, chosen, byLayerAndBlock, 7)) return false;
  hostAddCustomColor(chosen);
  color = chosen;
  return true;
}
}  // namespace

std::vector<OdString> CArrowCtl::items() const {
  std::vector<OdString> texts;
  for (const OdString& name : dds::kinds::arrowItemNames())
    texts.push_back(name == dds::kinds::kUserArrowMarker ? dds::translate("User arrow...", "Arrows:")
                                                        : dds::kinds::arrowText(name));
  return texts;
}
bool CArrowCtl::parse(const OdString& text, OdString& name, OdString& message) const {
  return dds::kinds::parseArrow(text, m_db, name, message);
}
bool CArrowCtl::isPickerItem(const OdString& text) const { return text == dds::translate("User arrow...", "Arrows:"); }
bool CArrowCtl::pick(OdString& name) {
  OdString block = name, message;
  return hostUsrArrowDialog(nullptr, block) && dds::kinds::parseArrow(block, m_db, name, message);
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
dds::paint::Picture CArrowCtl::picture(int index) const {
  const std::vector<OdString> names = dds::kinds::arrowItemNames();
  return index + 1 < int(names.size()) ? dds::paint::arrow(names[std::size_t(index)]) : nullptr;
}

std::vector<OdCmColor> CColorCtl::colors() const {
  return withCustomColors(dds::kinds::standardColors(m_byLayerAndBlock));
}
std::vector<OdString> CColorCtl::items() const {
  std::vector<OdString> texts;
  for (const OdCmColor& c : colors()) texts.push_back(dds::kinds::colorText(c));
  texts.push_back(dds::translate("More Colors..."));
  return texts;
}
bool CColorCtl::isPickerItem(const OdString& text) const { return isMoreColors(text); }
bool CColorCtl::pick(OdCmColor& c) { return pickColor(c, m_byLayerAndBlock); }
dds::paint::Picture CColorCtl::picture(int index) const {
  const std::vector<OdCmColor> list = colors();
  return index < int(list.size()) ? dds::paint::color(list[std::size_t(index)]) : nullptr;
}

std::vector<OdString> CFillColorCtl::items() const {
  std::vector<OdString> texts = {dds::translate("None"), dds::translate("Background")};
  for (const OdCmColor& c : withCustomColors(dds::kinds::standardColors(true)))
    texts.push_back(dds::kinds::fillColorText(QrFillColor{2, c}));
  texts.push_back(dds::translate("More Colors..."));
  return texts;
}
bool CFillColorCtl::isPickerItem(const OdString& text) const { return isMoreColors(text); }
bool CFillColorCtl::pick(QrFillColor& f) {
  OdCmColor c = f.color;
  if (!pickColor(c, true)) return false;
  f = QrFillColor{2, c};
  return true;
}
dds::paint::Picture CFillColorCtl::picture(int index) const {
  const std::vector<OdCmColor> list = withCustomColors(dds::kinds::standardColors(true));
  const int at = index - 2;
  return at >= 0 && at < int(list.size()) ? dds::paint::color(list[std::size_t(at)]) : nullptr;
}

std::vector<OdString> CLineTypeCtl::items() const {
  std::vector<OdString> texts;
  for (const OdString& name : dds::kinds::linetypeNames(m_db)) texts.push_back(dds::kinds::linetypeText(name));
  texts.push_back(dds::kinds::linetypeText(dds::kinds::kOtherLinetypeMarker));
  return texts;
}
bool CLineTypeCtl::isPickerItem(const OdString& text) const {
  return text == dds::kinds::linetypeText(dds::kinds::kOtherLinetypeMarker);
}
bool CLineTypeCtl::pick(OdString& name) {
  OdString chosen = name, message;
  const std::size_t before = dds::kinds::linetypeNames(m_db).size();
  if (m_owner) m_owner->enable(false);
  const bool picked = hostLineTypeDialog(m_owner ? m_owner->hostHandle() : nullptr, chosen);
  if (m_owner) {
    m_owner->enable(true);
    if (dds::kinds::linetypeNames(m_db).size() != before) m_owner->send(ui::Message{.msg = m_linetypesAdded});
  }
  return picked && dds::kinds::parseLinetype(chosen, m_db, name, message);
}
dds::paint::Picture CLineTypeCtl::picture(int index) const {
  const std::vector<OdString> names = dds::kinds::linetypeNames(m_db);
  return index < int(names.size()) ? dds::paint::linetype(m_db, names[std::size_t(index)]) : nullptr;
}

std::vector<OdString> CLineWeightCtl::items() const {
  std::vector<OdString> texts;
  for (OdDb::LineWeight lw : dds::kinds::lineweightItems()) texts.push_back(dds::kinds::lineweightItemText(lw, m_lwunits));
  return texts;
}
dds::paint::Picture CLineWeightCtl::picture(int index) const {
  const std::vector<OdDb::LineWeight> list = dds::kinds::lineweightItems();
  return index < int(list.size()) ? dds::paint::lineweight(int(list[std::size_t(index)])) : nullptr;
}
