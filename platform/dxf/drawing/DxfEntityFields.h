#pragma once
// The pieces an entity kind's DXF form is made of: fields, each one value
// of the object under its group code(s), read from a record and written
// back. Reading and writing both go through the same field, so a code is
// named in one place only.
//
// A field reads either one tag at a time (`read`, called for every tag of
// its codes, the last one winning) or the record's tags all at once
// (`readAll`, for repeated groups such as a polyline's vertices); `finish`
// runs after every field has read, for values that depend on each other.
// A field that names a record of the drawing (a text style, a block)
// carries a DxfRefField: reading gives the name or handle back for the
// reader to look up, writing asks the object.
#include <cstdint>
#include <cmath>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DxfDocument.h"
#include "DxfOut.h"
#include "OdDbEntity.h"
#include "OdDbObjectId.h"

class DxfRecordOriginal;
struct DxfEntityForm;
struct DxfField;

// What reading a record gives beyond the object's own values.
struct DxfFieldRead {
  const DxfDocument& doc;
  std::span<const DxfTag> tags;  // the record's own tags (no extended data, no embedded object)
  // References found, by the field that read them: a name, or a handle's tag.
  struct Ref {
    const DxfField* field;
    std::string name;
    DxfTag tag;
  };
  std::vector<Ref> refs;
  std::vector<std::string> warnings;  // values refused, each said once
  int flags = 0;                      // a value other fields finish with (a dimension's 70)

  void setRef(const DxfField* field, std::string name, const DxfTag& tag);
};

// What writing a field needs beyond the object.
struct DxfFieldWrite {
  DxfOut& out;
  const DxfRecordOriginal& original;  // the record as read (empty for a new object)
  const DxfEntityForm& form;
  std::string_view marker;  // the subclass being written
};

// A reference to another record of the drawing.
struct DxfRefField {
  char table;                 // 'S' text styles, 'B' blocks, 'D' dimension styles, 'H' by handle
  std::string_view fallback;  // the name taken when the record names none ("Standard")
  void (*set)(OdDbEntity*, OdDbObjectId);
  bool last = false;  // set after everything else (a dimension's block: other values would date it)
};

struct DxfField {
  std::span<const int> codes;  // the group codes it reads and writes (never copied from the record)
  void (*read)(OdDbEntity*, const DxfTag&, DxfFieldRead&) = nullptr;  // for fields with `ref`: none
  void (*readAll)(OdDbEntity*, DxfFieldRead&) = nullptr;
  void (*finish)(OdDbEntity*, DxfFieldRead&) = nullptr;
  void (*write)(const OdDbEntity*, DxfFieldWrite&) = nullptr;
  const DxfRefField* ref = nullptr;
};

// The name of the symbol table record `id` is; empty for none.
std::string dxfRecordName(OdDbObjectId id);

// ---- field makers -----------------------------------------------------------------

namespace dxffield {

// The entity a field's accessor works on, as the class of its form.
template <class C>
const C* as(const OdDbEntity* e) {
  return static_cast<const C*>(e);
}
template <class C>
C* as(OdDbEntity* e) {
  return static_cast<C*>(e);
}

// An integer kept from the record as read, or `fallback` when the record
// has none or it is no integer: reading does not parse what it does not
// model, so writing must not fail on it either.
inline int keptInteger(const DxfTag* tag, int fallback) {
  std::int64_t value = 0;
  return tag && dxfParseInt(tag->value, value) ? int(value) : fallback;
}

// Angles are degrees in the file, radians in the objects; one factor each
// way, so that a value read and written again is the same number.
inline constexpr double kToRadians = std::numbers::pi / 180.0;
inline constexpr double kToDegrees = 180.0 / std::numbers::pi;

template <int Code>
inline constexpr int kOne[] = {Code};
template <int Code>
inline constexpr int kXyz[] = {Code, Code + 10, Code + 20};

// The class a member function belongs to.
template <class M>
struct ClassOf;
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...) const> {
  using type = C;
};
template <class C, class R, class... A>
struct ClassOf<R (C::*)(A...)> {
  using type = C;
};
template <auto Member>
using Of = typename ClassOf<decltype(Member)>::type;

// Sets x, y or z of `p` from a tag of base, base + 10 or base + 20.
template <class P>
void setCoordinate(P& p, int offset, double v) {
  (offset == 0 ? p.x : offset == 10 ? p.y : p.z) = v;
}

// A point (Code, Code + 10, Code + 20), written whole.
template <int Code, auto Get, auto Set>
constexpr DxfField point() {
  using C = Of<Get>;
  return {kXyz<Code>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            auto* x = static_cast<C*>(e);
            auto p = (x->*Get)();
            setCoordinate(p, t.code - Code, t.toDouble());
            (x->*Set)(p);
          },
          nullptr, nullptr,
          [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.point(Code, (static_cast<const C*>(e)->*Get)()); }};
}

// A real; with OmitWhen set, not written while it holds `Omit`.
template <int Code, auto Get, auto Set, bool OmitWhen = false, int Omit = 0>
constexpr DxfField real() {
  using C = Of<Get>;
  return {kOne<Code>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { (static_cast<C*>(e)->*Set)(t.toDouble()); },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const double v = (static_cast<const C*>(e)->*Get)();
            if (!OmitWhen || v != Omit) w.out.w.real(Code, v);
          }};
}

// An angle: degrees in the file, radians in the object; not written while
// zero when OmitZero.
template <int Code, auto Get, auto Set, bool OmitZero = true>
constexpr DxfField angle() {
  using C = Of<Get>;
  return {kOne<Code>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            const double v = t.toDouble();
            if (std::isfinite(v)) (static_cast<C*>(e)->*Set)(v * kToRadians);
          },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const double v = (static_cast<const C*>(e)->*Get)();
            if (!OmitZero || v != 0) w.out.w.real(Code, v * kToDegrees);
          }};
}

// A 16-bit integer; with OmitWhen set, not written while it holds `Omit`.
template <int Code, auto Get, auto Set, bool OmitWhen = false, int Omit = 0>
constexpr DxfField integer() {
  using C = Of<Get>;
  return {kOne<Code>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { (static_cast<C*>(e)->*Set)(OdInt16(t.toInt())); },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const int v = (static_cast<const C*>(e)->*Get)();
            if (!OmitWhen || v != Omit) w.out.w.integer(Code, v);
          }};
}

// A direction (Code, Code + 10, Code + 20): a zero vector in the file is
// none, and the object's default (the Z axis) is not written.
template <int Code, auto Get, auto Set>
constexpr DxfField normal() {
  using C = Of<Get>;
  return {kXyz<Code>, nullptr,
          [](OdDbEntity* e, DxfFieldRead& r) {
            OdGeVector3d n = OdGeVector3d::kZAxis();
            bool seen = false;
            for (const DxfTag& t : r.tags)
              if (t.code == Code || t.code == Code + 10 || t.code == Code + 20)
                setCoordinate(n, t.code - Code, t.toDouble()), seen = true;
            if (seen && n.length() > 0) (static_cast<C*>(e)->*Set)(n);
          },
          nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const OdGeVector3d n = (static_cast<const C*>(e)->*Get)();
            if (n != OdGeVector3d::kZAxis()) w.out.vector(Code, n);
          }};
}

// A reference by name to a record of `Ref->table`; written as the name of
// the record the object points to, or the fallback.
template <int Code, auto Get, const DxfRefField* Ref>
constexpr DxfField named() {
  using C = Of<Get>;
  // Reading keeps the name for the reader to look up (see readEntityFields).
  return {kOne<Code>, nullptr, nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const std::string name = dxfRecordName((static_cast<const C*>(e)->*Get)());
            w.out.str(Code, name.empty() ? std::string(Ref->fallback) : name);
          },
          Ref};
}

}  // namespace dxffield
