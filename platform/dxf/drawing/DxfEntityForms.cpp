#include "DxfEntityForms.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "OdDbStub.h"
#include "OdDbSymbolTableRecord.h"

void DxfFieldRead::setRef(const DxfField* field, std::string name, const DxfTag& tag) {
  for (Ref& r : refs)
    if (r.field == field) {
      r.name = std::move(name), r.tag = tag;
      return;
    }
  refs.push_back({field, std::move(name), tag});
}

std::string dxfRecordName(OdDbObjectId id) {
  const OdDbObject* obj = id.stub() ? id.stub()->object : nullptr;
  auto rec = dynamic_cast<const OdDbSymbolTableRecord*>(obj);
  return rec ? rec->getName() : std::string();
}

void DxfFieldsByCode::add(int code, const DxfField* field) {
  if (code < 0 || code >= kCodes) throw std::logic_error("an entity field's group code " + std::to_string(code) + " is out of range");
  if (!m_fields[code]) m_fields[code] = field;
}

namespace {

DxfEntityForm formOf(const OdDbEntityClass& c, const DxfEntityDescriptor& d) {
  DxfEntityForm f;
  f.entityClass = &c;
  f.dimensionType = d.dimensionType;
  f.subclasses = d.subclasses;
  f.knownMarkers = {"AcDbEntity"};
  f.cls = c.desc();
  f.recordType = f.cls->dxfName();
  for (const DxfSubclassForm& sub : f.subclasses) {
    if (std::find(f.knownMarkers.begin(), f.knownMarkers.end(), sub.marker) == f.knownMarkers.end())
      f.knownMarkers.push_back(sub.marker);
    auto byMarker = std::find_if(f.byMarker.begin(), f.byMarker.end(),
                                 [&](const auto& m) { return m.first == sub.marker; });
    f.firstOfMarker.push_back(byMarker == f.byMarker.end());
    if (byMarker == f.byMarker.end()) byMarker = f.byMarker.insert(byMarker, {sub.marker, {}});
    for (const DxfField& field : sub.fields) {
      f.fields.push_back(&field);
      if (field.readAll) f.readAllFields.push_back(&field);
      if (field.finish) f.finishFields.push_back(&field);
      if (field.ref) f.refFields.push_back(&field);
      for (int code : field.codes) {
        byMarker->second.add(code, &field);
        f.byCode.add(code, &field);
      }
    }
  }
  for (const DxfSubclassForm& sub : f.subclasses) {
    std::vector<int> codes;
    for (const DxfSubclassForm& other : f.subclasses)
      if (other.marker == sub.marker)
        for (const DxfField& field : other.fields) codes.insert(codes.end(), field.codes.begin(), field.codes.end());
    f.modelled.push_back(std::move(codes));
  }
  return f;
}

const std::vector<DxfEntityForm>& forms() {
  static const std::vector<DxfEntityForm> all = [] {
    std::vector<DxfEntityDescriptor> descriptors;
    for (auto family : {dxfPlainDescriptors(), dxfDimensionDescriptors(), dxfCurveDescriptors()})
      descriptors.insert(descriptors.end(), family.begin(), family.end());
    std::vector<DxfEntityForm> out;
    for (const OdDbEntityClass& c : odDbEntityClasses()) {
      auto d = std::find_if(descriptors.begin(), descriptors.end(), [&](const auto& x) { return x.desc == c.desc; });
      if (d == descriptors.end())
        throw std::logic_error(std::string("no DXF form describes the entity class ") + c.desc()->name());
      out.push_back(formOf(c, *d));
      descriptors.erase(d);
    }
    if (!descriptors.empty())
      throw std::logic_error(std::string("the DXF form of ") + descriptors.front().desc()->name() +
                             " is of no entity class of the database");
    return out;
  }();
  return all;
}

}  // namespace

std::span<const DxfEntityForm> dxfEntityForms() { return forms(); }

namespace {

// Forms by their class's address in a small open-addressed table: asked for
// every entity read and written, it costs less than hashing into a map.
struct FormsByClass {
  static constexpr std::size_t kSlots = 128;  // well above the number of forms
  std::array<std::pair<const OdRxClass*, const DxfEntityForm*>, kSlots> slots{};
  static std::size_t slotOf(const OdRxClass* c) { return (reinterpret_cast<std::uintptr_t>(c) >> 4) % kSlots; }
};

}  // namespace

const DxfEntityForm* dxfEntityFormOf(const OdRxClass* cls) {
  using ByClass = FormsByClass;
  static const ByClass byClass = [] {
    ByClass t;
    for (const DxfEntityForm& f : forms()) {
      std::size_t i = ByClass::slotOf(f.cls);
      while (t.slots[i].first) i = (i + 1) % ByClass::kSlots;
      t.slots[i] = {f.cls, &f};
    }
    return t;
  }();
  for (std::size_t i = ByClass::slotOf(cls);; i = (i + 1) % ByClass::kSlots) {
    const auto& [c, form] = byClass.slots[i];
    if (c == cls) return form;
    if (!c) return nullptr;
  }
}

const DxfEntityForm* dxfEntityFormOfRecord(std::string_view type, int dimensionType) {
  // Asked once per entity record: the forms grouped by the length of their
  // record type, so that a look-up compares a few names of that length
  // (hashing every type costs more than that).
  static constexpr std::size_t kLengths = 24;
  static const auto byLength = [] {
    std::array<std::vector<const DxfEntityForm*>, kLengths> groups;
    for (const DxfEntityForm& f : forms()) {
      if (f.type().size() >= kLengths)
        throw std::logic_error("the record type " + std::string(f.type()) + " is longer than forms are looked up by");
      groups[f.type().size()].push_back(&f);
    }
    return groups;
  }();
  if (type.size() >= kLengths) return nullptr;
  for (const DxfEntityForm* f : byLength[type.size()])
    if (f->type() == type && (type != "DIMENSION" || f->dimensionType == dimensionType)) return f;
  return nullptr;
}

bool dxfIsModelledMarker(std::string_view marker) {
  if (marker == "AcDbEntity") return true;
  for (const DxfEntityForm& f : forms())
    for (const DxfSubclassForm& s : f.subclasses)
      if (s.marker == marker) return true;
  return false;
}
