#pragma once
// Style-name rows: an entity's dimension style ("Misc.Dim style"), its text
// style ("Text.Text style") and the drawing's current dimension style
// ("Styles.Dimension style", the palette with nothing selected).
#include <cstdint>

#include "dimprops/dim_accessors.h"
#include "dimprops/kind_properties.h"
#include "dimprops/property_guids.h"

// The entries a style-name list offers: the records of a style table, those
// of external references left out. A child style shows as "Parent::Type"
// and stands for "Parent$d". The list is built when needed and again after
// anything in the drawings changed.
class CStyleNameList {
public:
  struct Entry {
    OdString text;  // as the list shows it
    OdString name;  // the record's name
  };
  explicit CStyleNameList(bool dimensionStyles) : m_dimensionStyles(dimensionStyles) {}

  const std::vector<Entry>& entries(OdDbDatabase* db);
  OdString textOf(OdDbDatabase* db, const OdString& name);
  // An entry's text, or a record's name in any letter case.
  bool nameOf(OdDbDatabase* db, const OdString& text, OdString& name);

private:
  bool m_dimensionStyles;
  OdDbDatabase* m_db = nullptr;
  std::uint64_t m_stamp = ~std::uint64_t(0);
  std::vector<Entry> m_entries;
};

// The list-and-text rules shared by the style-name rows.
template <class P, class E, class Tag, class A, bool kDimensionStyles>
class TStyleNameProperty : public TKindProperty<P, E, OdString, Tag, A> {
public:
  static constexpr PZControlKind kControlKind = PZControlKind::kDropDown;
  using TKindProperty<P, E, OdString, Tag, A>::TKindProperty;
  TStyleNameProperty(const TStyleNameProperty& o) : TKindProperty<P, E, OdString, Tag, A>(o) {}

  OdString formatValue(const OdString& name) { return m_list.textOf(this->boundDatabase(), name); }
  std::vector<OdString> itemTexts() {
    std::vector<OdString> texts;
    for (const auto& e : m_list.entries(this->boundDatabase())) texts.push_back(e.text);
    return texts;
  }
  bool parseText(const OdString& text, OdString& name, OdString& message) {
    if (m_list.nameOf(this->boundDatabase(), text, name)) return true;
    message = hostFormat(dds::translate("\"%s\" is not a style of this drawing").c_str(), text.c_str());
    return false;
  }

private:
  CStyleNameList m_list{kDimensionStyles};
};

namespace dimacc {
bool setEntityDimStyle(OdDbDimStyleEntity* e, const OdString& name);
bool setEntityTextStyle(OdDbDimStyleEntity* e, const OdString& name);
}  // namespace dimacc

template <class E>
struct TDimStyleNameAccessor {
  static OdString get(const E* e) { return dimacc::recordName(e->dimensionStyle()); }
  static bool set(E* e, const OdString& name) { return dimacc::setEntityDimStyle(e, name); }
};
template <class E>
struct TTextStyleNameAccessor {
  static OdString get(const E* e) { return dimacc::recordName(e->dimtxsty()); }
  static bool set(E* e, const OdString& name) { return dimacc::setEntityTextStyle(e, name); }
};

template <class E>
class TOdDbDimStyle
    : public TStyleNameProperty<TOdDbDimStyle<E>, E, GUID_OD_DIM_STYLE, TDimStyleNameAccessor<E>, true> {
public:
  using TStyleNameProperty<TOdDbDimStyle, E, GUID_OD_DIM_STYLE, TDimStyleNameAccessor<E>,
                           true>::TStyleNameProperty;
};

template <class E>
class TOdDbDimTextStyle : public TStyleNameProperty<TOdDbDimTextStyle<E>, E, GUID_OD_DIM_TEXT_STYLE,
                                                    TTextStyleNameAccessor<E>, false> {
public:
  using TStyleNameProperty<TOdDbDimTextStyle, E, GUID_OD_DIM_TEXT_STYLE, TTextStyleNameAccessor<E>,
                           false>::TStyleNameProperty;
};

// The drawing's current dimension style: read from the drawing, written
// through the style store's set-current (which asks about overrides).
struct TDatabaseDimStyleAccessor {
  static OdString get(const OdDbDatabase* db);
  static bool set(OdDbDatabase* db, const OdString& name);
};

class COdDbDatabaseDimStyle
    : public TStyleNameProperty<COdDbDatabaseDimStyle, OdDbDatabase, GUID_OD_DIM_STYLE,
                                TDatabaseDimStyleAccessor, true> {
public:
  using TStyleNameProperty::TStyleNameProperty;

  // The drawing is the selection: no entities to walk.
  int readValue(OdString& value) {
    if (!boundDatabase()) return kPropNotRead;
    value = TDatabaseDimStyleAccessor::get(boundDatabase());
    return kPropOneValue;
  }
  bool writeValue(const OdString& value, EnumReport& report) {
    if (!boundDatabase()) return false;
    sink().onBeginChange(paletteName());
    const bool ok = TDatabaseDimStyleAccessor::set(boundDatabase(), value);
    sink().onEndChange();
    if (ok) ++report.changed;
    markStale();
    return ok;
  }
  bool isAvailable() { return true; }
};
