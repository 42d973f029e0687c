#include "DxfEntityForms.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Group codes written from the object, per subclass marker.
constexpr int kLine[] = {10, 20, 30, 11, 21, 31};
constexpr int kCircle[] = {10, 20, 30, 40, 210, 220, 230};
constexpr int kArc[] = {50, 51};
constexpr int kPolyline[] = {90, 70, 43, 38, 10, 20, 40, 41, 42, 91};
constexpr int kText[] = {10, 20, 30, 40, 1, 50, 41, 7, 72, 11, 21, 31, 73};
constexpr int kMText[] = {10, 20, 30, 40, 41, 71, 1, 3, 7, 50, 11, 21, 31};
constexpr int kInsert[] = {2, 10, 20, 30, 41, 42, 43, 50};
constexpr int kPoint[] = {10, 20, 30};
constexpr int kTrace[] = {10, 20, 30, 11, 21, 31, 12, 22, 32, 13, 23, 33};
constexpr int kDimension[] = {2, 10, 20, 30, 11, 21, 31, 70, 1, 53, 51, 210, 220, 230, 3, 280};
constexpr int kRotated[] = {13, 23, 33, 14, 24, 34, 50, 52};
constexpr int kAligned[] = {13, 23, 33, 14, 24, 34, 52};
constexpr int kLineAngular[] = {13, 23, 33, 14, 24, 34, 15, 25, 35, 16, 26, 36};
constexpr int kRadial[] = {15, 25, 35, 40};
constexpr int kPointAngular[] = {13, 23, 33, 14, 24, 34, 15, 25, 35};
constexpr int kOrdinate[] = {13, 23, 33, 14, 24, 34};
constexpr int kArcLength[] = {13, 23, 33, 14, 24, 34, 15, 25, 35, 40, 41, 70, 71, 16, 26, 36, 17, 27, 37};
constexpr int kJogged[] = {13, 23, 33, 14, 24, 34, 15, 25, 35, 40};
constexpr int kLeader[] = {3, 71, 72, 76, 10, 20, 30, 340, 210, 220, 230};

using S = DxfSubclassForm;
constexpr S kLineForm[] = {{"AcDbLine", kLine}};
constexpr S kCircleForm[] = {{"AcDbCircle", kCircle}};
constexpr S kArcForm[] = {{"AcDbCircle", kCircle}, {"AcDbArc", kArc}};
constexpr S kPolylineForm[] = {{"AcDbPolyline", kPolyline}};
// A text's vertical alignment (73) stands after a second "AcDbText"
// marker, which the writer adds; kept codes are those of both.
constexpr S kTextForm[] = {{"AcDbText", kText}};
constexpr S kMTextForm[] = {{"AcDbMText", kMText}};
constexpr S kInsertForm[] = {{"AcDbBlockReference", kInsert}};
constexpr S kPointForm[] = {{"AcDbPoint", kPoint}};
constexpr S kSolidForm[] = {{"AcDbTrace", kTrace}};
constexpr S kRotatedForm[] = {
    {"AcDbDimension", kDimension}, {"AcDbAlignedDimension", kRotated}, {"AcDbRotatedDimension", {}}};
constexpr S kAlignedForm[] = {{"AcDbDimension", kDimension}, {"AcDbAlignedDimension", kAligned}};
constexpr S kLineAngularForm[] = {{"AcDbDimension", kDimension}, {"AcDb2LineAngularDimension", kLineAngular}};
constexpr S kDiametricForm[] = {{"AcDbDimension", kDimension}, {"AcDbDiametricDimension", kRadial}};
constexpr S kRadialForm[] = {{"AcDbDimension", kDimension}, {"AcDbRadialDimension", kRadial}};
constexpr S kPointAngularForm[] = {{"AcDbDimension", kDimension}, {"AcDb3PointAngularDimension", kPointAngular}};
constexpr S kOrdinateForm[] = {{"AcDbDimension", kDimension}, {"AcDbOrdinateDimension", kOrdinate}};
constexpr S kArcLengthForm[] = {{"AcDbDimension", kDimension}, {"AcDbArcDimension", kArcLength}};
constexpr S kJoggedForm[] = {{"AcDbDimension", kDimension}, {"AcDbRadialDimensionLarge", kJogged}};
constexpr S kLeaderForm[] = {{"AcDbLeader", kLeader}};

struct FormOfClass {
  int dimensionType;
  std::span<const S> subclasses;
};
// In the order of odDbEntityClasses().
constexpr FormOfClass kForms[] = {
    {-1, kLineForm},      {-1, kCircleForm},       {-1, kArcForm},           {-1, kPolylineForm},
    {-1, kTextForm},      {-1, kMTextForm},        {-1, kInsertForm},        {-1, kPointForm},
    {-1, kSolidForm},     {0, kRotatedForm},       {1, kAlignedForm},        {2, kLineAngularForm},
    {3, kDiametricForm},  {4, kRadialForm},        {5, kPointAngularForm},   {6, kOrdinateForm},
    {8, kArcLengthForm},  {9, kJoggedForm},        {-1, kLeaderForm},
};

const std::vector<DxfEntityForm>& forms() {
  static const std::vector<DxfEntityForm> all = [] {
    const auto classes = odDbEntityClasses();
    if (classes.size() != std::size(kForms))
      throw std::logic_error("the DXF entity forms do not match the database's " +
                             std::to_string(classes.size()) + " entity classes");
    std::vector<DxfEntityForm> out;
    for (std::size_t i = 0; i < classes.size(); ++i)
      {
      DxfEntityForm f;
      f.entityClass = &classes[i];
      f.dimensionType = kForms[i].dimensionType;
      f.subclasses = kForms[i].subclasses;
      f.knownMarkers = {"AcDbEntity"};
      f.cls = classes[i].desc();
      f.recordType = f.cls->dxfName();
      for (const S& sub : f.subclasses) f.knownMarkers.push_back(sub.marker);
      out.push_back(std::move(f));
    }
    return out;
  }();
  return all;
}

}  // namespace

std::span<const DxfEntityForm> dxfEntityForms() { return forms(); }

const DxfEntityForm* dxfEntityFormOf(const OdRxClass* cls) {
  for (const DxfEntityForm& f : forms())
    if (f.cls == cls) return &f;
  return nullptr;
}

const DxfEntityForm* dxfEntityFormOfRecord(std::string_view type, int dimensionType) {
  for (const DxfEntityForm& f : forms()) {
    if (f.type() != type) continue;
    if (type != "DIMENSION" || f.dimensionType == dimensionType) return &f;
  }
  return nullptr;
}

bool dxfIsModelledMarker(std::string_view marker) {
  if (marker == "AcDbEntity") return true;
  for (const DxfEntityForm& f : forms())
    for (const DxfSubclassForm& s : f.subclasses)
      if (s.marker == marker) return true;
  return false;
}
