#pragma once
// The value kinds as property classes. Each is a template over an entity
// class E, an identifier tag and an accessor A; the accessor reads and
// writes one entity:
//   static V get(const E*);                    reading never fails
//   static bool set(E*, const V&);             false: the entity refused
//   static bool available(const E*);           optional: false makes the row read-only
// Choice accessors instead give positions and their item list:
//   static int getIndex(const E*);             -1: none of the items
//   static bool setIndex(E*, int);
//   static std::vector<OdString> items(const E* first, bool english);
#include <concepts>
#include <vector>

#include "OdDbDimension.h"
#include "OdDmUtil.h"
#include "OdResult.h"
#include "dimprops/editable_property.h"
#include "dimprops/entity_enum.h"
#include "dimprops/value_kinds.h"
#include "host_log.h"
#include "opm/opm_services.h"

inline constexpr const char* kDimPropsSource = "dimprops";

// Logs a database error caught inside an accessor, with where it happened.
void logAccessorError(int line, const OdError& error);

// What every kind shares: the accessor calls with their guards.
template <class P, class E, class V, class Tag, class A>
class TKindProperty : public TOdProperty<P, E, V>, public COdDbEntityEnum<P, E> {
public:
  explicit TKindProperty(const OdString& paletteName) : TOdProperty<P, E, V>(paletteName, Tag::guid) {}

  V getValue(const E* e) const {
    try {
      return A::get(e);
    } catch (const OdError& err) {
      logAccessorError(__LINE__, err);
      return V{};
    }
  }
  bool setValue(E* e, const V& v) {
    if (!e || !e->database()) {
      hostTraceError(kDimPropsSource, __LINE__, E_FAIL, "RETERRIF3 marco, expr: !p || !p->database() ");
      return false;
    }
    try {
      return A::set(e, v);
    } catch (const OdError& err) {
      logAccessorError(__LINE__, err);
      return false;
    }
  }
  bool availableFor(const E* e) const {
    if constexpr (requires { A::available(e); })
      return A::available(e);
    else
      return true;
  }
  // A value its variable's range refuses is refused before anything is written.
  bool checkValue(const V& v, OdString& message) const {
    if constexpr (requires { A::refusal(v); }) {
      message = A::refusal(v);
      return message.empty();
    }
    return true;
  }
  // List entries that open a picker: none unless the kind says so.
  bool pick(const OdString&, V&, bool& picked, OdString&) {
    picked = false;
    return true;
  }
  IPZEditableProperty* newEditor() { return new CTEditableProperty<P>(static_cast<P&>(*this)); }
  // The picture of list item `index`; none unless the kind draws one.
  PZItemPicture pictureOf(int) { return {}; }
};

// A switch: two items, true first. Tags of line visibility and fit switches
// say "On"/"Off", the others "Yes"/"No".
template <class Tag>
inline constexpr bool kOnOffSwitch = false;

template <class E, class Tag, class A>
class COdDbBoolProp : public TKindProperty<COdDbBoolProp<E, Tag, A>, E, bool, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<COdDbBoolProp, E, bool, Tag, A>::TKindProperty;
  OdString formatValue(const bool& v) const { return dds::kinds::switchItems(kOnOffSwitch<Tag>)[v ? 0 : 1]; }
  std::vector<OdString> itemTexts() const { return dds::kinds::switchItems(kOnOffSwitch<Tag>); }
  bool parseText(const OdString& text, bool& v, OdString& message) const {
    if (dds::kinds::parseSwitch(text, kOnOffSwitch<Tag>, v)) return true;
    message = hostFormat(dds::translate("\"%s\" is not one of: %s").c_str(), text.c_str(),
                         (itemTexts()[0] + ", " + itemTexts()[1]).c_str());
    return false;
  }
};

// A choice: the value is the item text; the accessor converts to and from
// the stored number. The list is made when first asked for and made again
// whenever the row is to be read again, so that a list that follows the
// entities (a precision after "Dim units" changed) is never stale.
template <class E, class Tag, class A>
class COdDbTextComboProp : public TKindProperty<COdDbTextComboProp<E, Tag, A>, E, OdString, Tag, A> {
  using Base = TKindProperty<COdDbTextComboProp, E, OdString, Tag, A>;

public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using Base::Base;
  COdDbTextComboProp(const COdDbTextComboProp& o) : Base(o) {}  // a bound copy makes its own list

  void markStale() override {
    Base::markStale();
    m_items.clear();
    m_english.clear();
  }

  OdString getValue(const E* e) {
    const int i = A::getIndex(e);
    const std::vector<OdString>& items = list(false);
    return i >= 0 && i < int(items.size()) ? items[std::size_t(i)] : OdString();
  }
  bool setValue(E* e, const OdString& text) {
    if (!e || !e->database()) {
      hostTraceError(kDimPropsSource, __LINE__, E_FAIL, "RETERRIF3 marco, expr: !p || !p->database() ");
      return false;
    }
    int i = -1;
    const std::vector<OdString>& items = list(false);
    for (int k = int(items.size()) - 1; k >= 0; --k)
      if (items[std::size_t(k)] == text) {
        i = k;
        break;
      }
    if (i < 0) {
      hostTraceError(kDimPropsSource, __LINE__, E_FAIL, "RETERRIF3 marco, expr: i < 0 ");
      return false;
    }
    try {
      return A::setIndex(e, i);
    } catch (const OdError& err) {
      logAccessorError(__LINE__, err);
      return false;
    }
  }
  OdString formatValue(const OdString& v) const { return v; }
  std::vector<OdString> itemTexts() { return list(false); }
  // An item of the list, in the session's language or in English. A list
  // that follows the entities also takes the item of the same position in
  // another unit format's list: the palette row may span classes whose
  // lists differ.
  bool parseText(const OdString& text, OdString& v, OdString& message) {
    const std::vector<OdString>& items = list(false);
    int i = dds::kinds::findItem(items, list(true), text);
    if constexpr (requires { A::itemIndex(text); })
      if (i < 0) i = A::itemIndex(text) < int(items.size()) ? A::itemIndex(text) : -1;
    if (i < 0) {
      OdString all;
      for (const OdString& item : items) all += (all.empty() ? "" : ", ") + item;
      message = hostFormat(dds::translate("\"%s\" is not one of: %s").c_str(), text.c_str(), all.c_str());
      return false;
    }
    v = items[std::size_t(i)];
    return true;
  }

private:
  const std::vector<OdString>& list(bool english) {
    std::vector<OdString>& cached = english ? m_english : m_items;
    if (cached.empty()) cached = shownItems(english);
    return cached;
  }
  // The list every selected entity has; when their lists differ (precisions
  // under different unit formats), the list of no entity in particular.
  std::vector<OdString> shownItems(bool english) {
    if constexpr (requires { A::kItemsFollowEntity; }) {
      std::vector<OdString> shared;
      bool first = true, differ = false;
      enumerateEntities<E>(this->selection(), false, this->boundClass(), [&](E* e) {
        std::vector<OdString> items = A::items(e, english);
        if (first) {
          shared = std::move(items);
          first = false;
        } else if (items != shared) {
          differ = true;
          return false;
        }
        return true;
      });
      if (!first && !differ) return shared;
    }
    return A::items(nullptr, english);
  }
  std::vector<OdString> m_items, m_english;
};

// Lengths (and points, coordinate by coordinate) in the drawing's units.
template <class E, class Tag, class A>
class COdDbLength : public TKindProperty<COdDbLength<E, Tag, A>, E, double, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kEdit;
  static constexpr int kUnitFormat = -1;  // the drawing's linear units
  using TKindProperty<COdDbLength, E, double, Tag, A>::TKindProperty;
  OdString formatValue(const double& v) const { return dds::kinds::lengthText(v, kUnitFormat); }
  std::vector<OdString> itemTexts() const { return {}; }
  bool parseText(const OdString& text, double& v, OdString& message) const {
    return dds::kinds::parseLength(text, kUnitFormat, v, message);
  }
};

template <class E, class Tag, class A>
class COdDbPoint : public TKindProperty<COdDbPoint<E, Tag, A>, E, OdGePoint3d, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kEdit;
  using TKindProperty<COdDbPoint, E, OdGePoint3d, Tag, A>::TKindProperty;
  OdString formatValue(const OdGePoint3d& p) const { return dds::kinds::pointText(p); }
  std::vector<OdString> itemTexts() const { return {}; }
  bool parseText(const OdString& text, OdGePoint3d& p, OdString& message) const {
    return dds::kinds::parsePoint(text, -1, p, message);
  }
};

// Reals, bounded; every real of the catalogue takes the 32-bit range.
template <class E, class Tag, class A>
class COdDbReal : public TKindProperty<COdDbReal<E, Tag, A>, E, double, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kEdit;
  static constexpr double kMinimum = -2147483648.0, kMaximum = 2147483647.0;
  using TKindProperty<COdDbReal, E, double, Tag, A>::TKindProperty;
  OdString formatValue(const double& v) const { return dds::kinds::realText(v); }
  std::vector<OdString> itemTexts() const { return {}; }
  bool parseText(const OdString& text, double& v, OdString& message) const {
    return dds::kinds::parseReal(text, kMinimum, kMaximum, v, message);
  }
};

template <class E, class Tag, class A>
class COdDbAngle : public TKindProperty<COdDbAngle<E, Tag, A>, E, double, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kEdit;
  using TKindProperty<COdDbAngle, E, double, Tag, A>::TKindProperty;
  OdString formatValue(const double& v) const { return dds::kinds::angleText(v); }
  std::vector<OdString> itemTexts() const { return {}; }
  bool parseText(const OdString& text, double& v, OdString& message) const {
    return dds::kinds::parseAngle(text, v, message);
  }
};

// Texts, as typed; an accessor may check them (static bool check(text, message)).
template <class E, class Tag, class A>
class COdDbString : public TKindProperty<COdDbString<E, Tag, A>, E, OdString, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kEdit;
  using TKindProperty<COdDbString, E, OdString, Tag, A>::TKindProperty;
  OdString formatValue(const OdString& v) const { return v; }
  std::vector<OdString> itemTexts() const { return {}; }
  bool parseText(const OdString& text, OdString& v, OdString& message) const {
    if constexpr (requires { A::check(text, message); })
      if (!A::check(text, message)) return false;
    v = text;
    return true;
  }
};

// The list kinds below take their items, pictures and pickers from the one
// description of each list (value_kinds.h), which the style editor's lists
// use too, so that both show and read the same entries.

// Arrowhead block names, shown by their display names.
template <class E, class Tag, class A>
class COdDbArrow : public TKindProperty<COdDbArrow<E, Tag, A>, E, OdString, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<COdDbArrow, E, OdString, Tag, A>::TKindProperty;
  OdString formatValue(const OdString& name) const { return dds::kinds::arrowText(name); }
  std::vector<OdString> itemTexts() const { return list().texts(); }
  bool parseText(const OdString& text, OdString& name, OdString& message) const {
    return dds::kinds::parseArrow(text, this->boundDatabase(), name, message);
  }
  // A user's own block shows as "User arrow...": the tooltip names it.
  OdString tipOf(const OdString& name) const {
    return name.empty() || OdDmUtil::isBuiltInArrow(name) ? OdString() : name;
  }
  PZItemPicture pictureOf(int index) { return list().picture(index); }
  // "User arrow..." asks the host's picker for a block.
  bool opensPicker(const OdString& text) const { return dds::kinds::ArrowList::isPicker(text); }
  bool pick(const OdString& text, OdString& name, bool& picked, OdString& message) {
    picked = dds::kinds::ArrowList::isPicker(text);
    return !picked || list().pick(nullptr, name, message);
  }

private:
  dds::kinds::ArrowList list() const { return dds::kinds::ArrowList(this->boundDatabase()); }
};

// Colours with "By Layer" and "By Block"; "More Colors..." opens the picker.
template <class E, class Tag, class A>
class COdDbColor : public TKindProperty<COdDbColor<E, Tag, A>, E, OdCmColor, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<COdDbColor, E, OdCmColor, Tag, A>::TKindProperty;
  OdString formatValue(const OdCmColor& c) const { return dds::kinds::colorText(c); }
  std::vector<OdString> itemTexts() const { return dds::kinds::ColorList(true).texts(); }
  bool parseText(const OdString& text, OdCmColor& c, OdString& message) const {
    return dds::kinds::parseColor(text, true, c, message);
  }
  PZItemPicture pictureOf(int index) { return dds::kinds::ColorList(true).picture(index); }
  bool opensPicker(const OdString& text) const { return dds::kinds::ColorList::isPicker(text); }
  bool pick(const OdString& text, OdCmColor& c, bool& picked, OdString& message) {
    picked = dds::kinds::ColorList::isPicker(text);
    return !picked || dds::kinds::ColorList(true).pick(nullptr, c, message);
  }
};

template <class E, class Tag, class A>
class COdDbFillColor : public TKindProperty<COdDbFillColor<E, Tag, A>, E, QrFillColor, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<COdDbFillColor, E, QrFillColor, Tag, A>::TKindProperty;
  OdString formatValue(const QrFillColor& f) const { return dds::kinds::fillColorText(f); }
  std::vector<OdString> itemTexts() const { return dds::kinds::FillColorList().texts(); }
  bool parseText(const OdString& text, QrFillColor& f, OdString& message) const {
    return dds::kinds::parseFillColor(text, f, message);
  }
  PZItemPicture pictureOf(int index) { return dds::kinds::FillColorList().picture(index); }
  bool opensPicker(const OdString& text) const { return dds::kinds::FillColorList::isPicker(text); }
  bool pick(const OdString& text, QrFillColor& f, bool& picked, OdString& message) {
    picked = dds::kinds::FillColorList::isPicker(text);
    return !picked || dds::kinds::FillColorList().pick(nullptr, f, message);
  }
};

// Linetype names of the drawing; "Load..." opens the linetype picker, which
// may load linetypes from a linetype file into the drawing.
template <class E, class Tag, class A>
class COdDbLinetype : public TKindProperty<COdDbLinetype<E, Tag, A>, E, OdString, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<COdDbLinetype, E, OdString, Tag, A>::TKindProperty;
  OdString formatValue(const OdString& name) const { return dds::kinds::linetypeText(name); }
  std::vector<OdString> itemTexts() const { return list().texts(); }
  bool parseText(const OdString& text, OdString& name, OdString& message) const {
    return dds::kinds::parseLinetype(text, this->boundDatabase(), name, message);
  }
  PZItemPicture pictureOf(int index) { return list().picture(index); }
  bool opensPicker(const OdString& text) const { return dds::kinds::LinetypeList::isPicker(text); }
  bool pick(const OdString& text, OdString& name, bool& picked, OdString& message) {
    picked = dds::kinds::LinetypeList::isPicker(text);
    if (!picked) return true;
    if (!list().pick(nullptr, name, message)) return false;
    OpmUpdateProperties(this->paletteName());
    return true;
  }

private:
  dds::kinds::LinetypeList list() const { return dds::kinds::LinetypeList(this->boundDatabase()); }
};

template <class E, class Tag, class A>
class COdDbLineWeight : public TKindProperty<COdDbLineWeight<E, Tag, A>, E, OdDb::LineWeight, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<COdDbLineWeight, E, OdDb::LineWeight, Tag, A>::TKindProperty;
  OdString formatValue(const OdDb::LineWeight& lw) const { return dds::kinds::lineweightText(lw); }
  std::vector<OdString> itemTexts() const { return list().texts(); }
  bool parseText(const OdString& text, OdDb::LineWeight& lw, OdString& message) const {
    return dds::kinds::parseLineweight(text, lw, message);
  }
  PZItemPicture pictureOf(int index) { return list().picture(index); }

private:
  // The list shows widths in the units LWUNITS asks for.
  dds::kinds::LineweightList list() const {
    return dds::kinds::LineweightList(this->boundDatabase() ? this->boundDatabase()->getLWUNITS() : 1);
  }
};
