#pragma once
// The editor object the palette talks to for one bound property: it shows
// the combined value, offers the items of list rows, and turns what the user
// typed or picked into a value written over the selection in one undoable
// step. P supplies the kind's text rules (formatValue, parseText, itemTexts,
// pick) and the reading and writing (TOdProperty).
#include "dimprops/inplace_control.h"
#include "dimprops/item_painting.h"
#include "dimprops/od_property.h"
#include "stdafx/module_resources.h"
#include "text_format.h"

// The multi-selection side of an editor object: the value over the selection.
template <class V>
class IPZEditablePropertyCombine {
public:
  virtual ~IPZEditablePropertyCombine() = default;
  // kPropOneValue with `value` set, kPropVaries, or kPropNotRead.
  virtual int combinedValue(V& value) = 0;
};

// Tells the user what a write passed over; `reason` is why an object
// refused the value, when it said.
OdString describeWriteReport(const EnumReport& report, bool allTook, const OdString& reason = OdString());
// An accessor that refuses a value for a reason the user must hear (the user
// declined a question, say) notes it here; the write in progress reports it.
void noteWriteRefusal(const OdString& reason);
OdString takeWriteRefusal();

template <class P, class T1 = typename P::value_type, class T2 = T1>
class CTEditableProperty : public CPZUnknownImpl<IPZEditableProperty>,
                           public IPZEditablePropertyCombine<typename P::value_type> {
public:
  using V = typename P::value_type;

  explicit CTEditableProperty(P& property) : m_prop(&property) { m_prop->addRef(); }
  ~CTEditableProperty() override {
    m_control.detach();
    m_prop->release();
  }

  OdString paletteName() const override { return m_prop->paletteName(); }
  void beginEdit() override {
    m_prop->forEachSink([](IPZEditablePropertySink& s) { s.onBeginEdit(); });
  }
  void endEdit() override {
    m_prop->forEachSink([](IPZEditablePropertySink& s) { s.onEndEdit(); });
  }
  PZControlKind controlKind() const override { return P::kControlKind; }

  bool createControl(HostWindowHandle parent, int controlId) override {
    if (!m_control.attach(*this, parent, controlId)) return false;
    m_control.setItemPainter([this](ui::DeviceContext& dc, const ui::Rect& r, int index, unsigned state) {
      const std::vector<OdString> items = m_prop->itemTexts();
      if (index < 0 || index >= int(items.size())) return dds::paint::listItem(dc, r, state, OdString(), nullptr);
      dds::paint::listItem(dc, r, state, items[std::size_t(index)], dds::paint::picture(m_prop->pictureOf(index)));
    });
    return true;
  }
  HostWindowHandle controlWindow() const override { return m_control.window(); }
  int controlId() const override { return m_control.id(); }
  void fillControl() override { m_control.fill(*this); }

  int combinedValue(V& value) override { return m_prop->readValue(value); }

  OdString valueText() override {
    V value{};
    return m_prop->readValue(value) == kPropOneValue ? m_prop->formatValue(value) : OdString();
  }
  std::vector<OdString> itemTexts() override { return m_prop->itemTexts(); }
  // Items are matched by the value they read as, not by their text: a list
  // may show a value in other units than the row does.
  int currentItem() override {
    V value{};
    if (m_prop->readValue(value) != kPropOneValue) return -1;
    const std::vector<OdString> items = m_prop->itemTexts();
    for (std::size_t i = 0; i < items.size(); ++i) {
      V candidate = value;
      OdString ignored;
      if (m_prop->parseText(items[i], candidate, ignored) && candidate == value) return int(i);
    }
    // A value a picker entry stands for (a user's block shows as "User
    // arrow..."): the entry it shows as.
    const OdString shown = m_prop->formatValue(value);
    for (std::size_t i = 0; i < items.size(); ++i)
      if (items[i] == shown) return int(i);
    return -1;
  }
  bool valuesVary() override {
    V value{};
    return m_prop->readValue(value) == kPropVaries;
  }
  bool isEditable() override { return m_prop->isAvailable(); }
  PZItemPicture itemPicture(int index) override { return m_prop->pictureOf(index); }
  bool opensPicker(const OdString& text) override {
    if constexpr (requires { m_prop->opensPicker(text); })
      return m_prop->opensPicker(text);
    else
      return false;
  }
  OdString valueTip() override {
    if constexpr (requires(const V& v) { m_prop->tipOf(v); }) {
      V value{};
      if (m_prop->readValue(value) == kPropOneValue) return m_prop->tipOf(value);
    }
    return OdString();
  }

  bool applyText(const OdString& text, OdString& message) override {
    message.clear();
    V value{};
    m_prop->readValue(value);  // the present value: a point keeps what the text leaves out
    bool picked = false;
    if (!m_prop->pick(text, value, picked, message)) return false;  // a picker was cancelled
    if (!picked && !m_prop->parseText(text, value, message)) return false;
    if (!m_prop->checkValue(value, message)) return false;
    EnumReport report;
    takeWriteRefusal();  // nothing left over from an earlier write
    const bool allTook = m_prop->writeValue(value, report);
    message = describeWriteReport(report, allTook, takeWriteRefusal());
    return allTook;
  }

private:
  P* m_prop;
  CPZControlHost m_control;
};
