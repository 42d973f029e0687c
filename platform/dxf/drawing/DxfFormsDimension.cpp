// The DXF forms of the dimensions and the leader. The dimension classes
// share the "AcDbDimension" part; what sets them apart is the type number
// in the low bits of group 70, the point group 10 holds, and a subclass of
// their own.
#include "DxfEntityForms.h"
#include "DxfRecordOriginal.h"
#include "OdDbDimension.h"
#include "OdDbLeader.h"

namespace {

using namespace dxffield;


// ---- the part every dimension shares ----

void setDimStyleRef(OdDbEntity* e, OdDbObjectId id) { as<OdDbDimStyleEntity>(e)->setDimensionStyle(id); }
void setDimBlockRef(OdDbEntity* e, OdDbObjectId id) { as<OdDbDimension>(e)->setDimBlockId(id); }
constexpr DxfRefField kDimStyle{'D', "Standard", &setDimStyleRef};
// Set last: setting anything else marks the block out of date.
constexpr DxfRefField kDimBlock{'B', "", &setDimBlockRef, true};

constexpr int kFlagsCode[] = {70};

// Kept from the record, where the version has it (annotative scaling).
constexpr DxfField kDimVersionFlag = {kOne<280>, nullptr, nullptr, nullptr, [](const OdDbEntity*, DxfFieldWrite& w) {
                                        if (w.original.exists() && w.out.version >= DxfVersion::R2010)
                                          if (const DxfTag* v = w.original.find(w.marker, 280))
                                            w.original.writeTag(w.out, *v);
                                      }};
constexpr DxfField kDimBlockField = {kOne<2>, nullptr, nullptr, nullptr,
                                     [](const OdDbEntity* e, DxfFieldWrite& w) {
                                       const std::string block = dxfRecordName(as<OdDbDimension>(e)->dimBlockId());
                                       if (!block.empty()) w.out.str(2, block);
                                     },
                                     &kDimBlock};
// The type, whether the block is the dimension's own (32), the ordinate's
// axis (64) and whether the text stands where the user put it (128).
constexpr DxfField kDimFlags = {
    kFlagsCode, [](OdDbEntity*, const DxfTag& t, DxfFieldRead& r) { r.flags = int(t.toInt()); }, nullptr,
    [](OdDbEntity* e, DxfFieldRead& r) {
      auto* d = as<OdDbDimension>(e);
      if (r.flags & 128)
        d->useSetTextPosition();
      else
        d->useDefaultTextPosition();
    },
    [](const OdDbEntity* e, DxfFieldWrite& w) {
      auto* d = as<OdDbDimension>(e);
      const int kindType = w.form.dimensionType;
      // Readers before R2018 know an arc length dimension by the type of a
      // 3-point angle.
      const int type = kindType == 8 && w.out.version < DxfVersion::R2018 ? 5 : kindType;
      const bool ownBlock = !dxfRecordName(d->dimBlockId()).empty();
      int flags = type | (keptInteger(w.original.find(w.marker, 70), ownBlock ? 32 : 0) & 32);
      if (kindType == 6 && as<OdDbOrdinateDimension>(e)->isUsingXAxis()) flags |= 64;
      if (!d->isUsingDefaultTextPosition()) flags |= 128;
      w.out.w.integer(70, flags);
    }};
constexpr DxfField kDimText = {kOne<1>,
                               [](OdDbEntity* e, const DxfTag& t, DxfFieldRead& r) {
                                 as<OdDbDimension>(e)->setDimensionText(r.doc.text(t));
                               },
                               nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
                                 const OdString text = as<OdDbDimension>(e)->dimensionText();
                                 if (!text.empty() || w.original.find(w.marker, 1)) w.out.str(1, text);
                               }};

template <auto Get10, auto Set10>
constexpr DxfField kDimCommon[] = {
    kDimVersionFlag,
    kDimBlockField,
    point<10, Get10, Set10>(),
    point<11, &OdDbDimension::textPosition, &OdDbDimension::setTextPosition>(),
    kDimFlags,
    kDimText,
    angle<53, &OdDbDimension::textRotation, &OdDbDimension::setTextRotation>(),
    angle<51, &OdDbDimension::horizontalRotation, &OdDbDimension::setHorizontalRotation>(),
    normal<210, &OdDbDimension::normal, &OdDbDimension::setNormal>(),
    named<3, &OdDbDimStyleEntity::dimensionStyle, &kDimStyle>(),
};

// ---- each dimension's own part ----

using Rot = OdDbRotatedDimension;
constexpr DxfField kRotated[] = {point<13, &Rot::xLine1Point, &Rot::setXLine1Point>(),
                                 point<14, &Rot::xLine2Point, &Rot::setXLine2Point>(),
                                 angle<50, &Rot::rotation, &Rot::setRotation, false>(),
                                 angle<52, &Rot::oblique, &Rot::setOblique>()};
using Ali = OdDbAlignedDimension;
constexpr DxfField kAligned[] = {point<13, &Ali::xLine1Point, &Ali::setXLine1Point>(),
                                 point<14, &Ali::xLine2Point, &Ali::setXLine2Point>(),
                                 angle<52, &Ali::oblique, &Ali::setOblique>()};
using Ang2 = OdDb2LineAngularDimension;
constexpr DxfField kLineAngular[] = {point<13, &Ang2::xLine1Start, &Ang2::setXLine1Start>(),
                                     point<14, &Ang2::xLine1End, &Ang2::setXLine1End>(),
                                     point<15, &Ang2::xLine2Start, &Ang2::setXLine2Start>(),
                                     point<16, &Ang2::arcPoint, &Ang2::setArcPoint>()};
using Dia = OdDbDiametricDimension;
constexpr DxfField kDiametric[] = {point<15, &Dia::chordPoint, &Dia::setChordPoint>(),
                                   real<40, &Dia::leaderLength, &Dia::setLeaderLength>()};
using Rad = OdDbRadialDimension;
constexpr DxfField kRadial[] = {point<15, &Rad::chordPoint, &Rad::setChordPoint>(),
                                real<40, &Rad::leaderLength, &Rad::setLeaderLength>()};
using Ang3 = OdDb3PointAngularDimension;
constexpr DxfField kPointAngular[] = {point<13, &Ang3::xLine1Point, &Ang3::setXLine1Point>(),
                                      point<14, &Ang3::xLine2Point, &Ang3::setXLine2Point>(),
                                      point<15, &Ang3::centerPoint, &Ang3::setCenterPoint>()};
using Ord = OdDbOrdinateDimension;
constexpr DxfField kOrdinate[] = {point<13, &Ord::definingPoint, &Ord::setDefiningPoint>(),
                                  point<14, &Ord::leaderEndPoint, &Ord::setLeaderEndPoint>(),
                                  // The axis is a bit of the shared flags (64).
                                  {{}, nullptr, nullptr, [](OdDbEntity* e, DxfFieldRead& r) {
                                     if (r.flags & 64)
                                       as<Ord>(e)->useXAxis();
                                     else
                                       as<Ord>(e)->useYAxis();
                                   }}};
using Arc = OdDbArcDimension;
constexpr DxfField kArcLength[] = {
    point<13, &Arc::xLine1Point, &Arc::setXLine1Point>(),
    point<14, &Arc::xLine2Point, &Arc::setXLine2Point>(),
    point<15, &Arc::center, &Arc::setCenter>(),
    real<40, &Arc::arcStartParam, &Arc::setArcStartParam>(),
    real<41, &Arc::arcEndParam, &Arc::setArcEndParam>(),
    {kOne<70>, [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { as<Arc>(e)->setIsPartial(t.toInt() != 0); },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.integer(70, as<Arc>(e)->isPartial() ? 1 : 0); }},
    {kOne<71>, [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { as<Arc>(e)->setHasLeader(t.toInt() != 0); },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.integer(71, as<Arc>(e)->hasLeader() ? 1 : 0); }},
    point<16, &Arc::leader1Point, &Arc::setLeader1Point>(),
    point<17, &Arc::leader2Point, &Arc::setLeader2Point>(),
};
using Jog = QrHugeRadius;
constexpr DxfField kJogged[] = {
    point<13, &Jog::chordPoint, &Jog::setChordPoint>(),
    point<14, &Jog::overrideCenter, &Jog::setOverrideCenter>(),
    point<15, &Jog::jogPoint, &Jog::setJogPoint>(),
    // In radians, as other programs write it; one out of range leaves the
    // default.
    {kOne<40>,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead& r) {
       try {
         as<Jog>(e)->setJogAngle(t.toDouble());
       } catch (const OdError&) {
         r.warnings.push_back("jog angle out of range; the default is kept");
       }
     },
     nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.real(40, as<Jog>(e)->jogAngle()); }},
};

// ---- LEADER ----

void setAnnotationRef(OdDbEntity* e, OdDbObjectId id) { as<OdDbLeader>(e)->attachAnnotation(id); }
constexpr DxfRefField kAnnotation{'H', "", &setAnnotationRef};
constexpr int kLeaderVertexCodes[] = {76, 10, 20, 30};

constexpr DxfField kLeaderFields[] = {
    named<3, &OdDbDimStyleEntity::dimensionStyle, &kDimStyle>(),
    {kOne<71>,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
       if (t.toInt() != 0)
         as<OdDbLeader>(e)->enableArrowHead();
       else
         as<OdDbLeader>(e)->disableArrowHead();
     },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.integer(71, as<OdDbLeader>(e)->hasArrowHead() ? 1 : 0); }},
    {kOne<72>,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
       if (t.toInt() != 0) as<OdDbLeader>(e)->setToSplineLeader();
     },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.integer(72, as<OdDbLeader>(e)->isSplined() ? 1 : 0); }},
    // Creation flags a new leader needs; a leader read keeps its own.
    {{}, nullptr, nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       if (w.original.exists()) return;
       w.out.w.integer(73, as<OdDbLeader>(e)->annotationObjId().isNull() ? 3 : 0);
       w.out.w.integer(74, 1);
       w.out.w.integer(75, 0);
     }},
    {kLeaderVertexCodes, nullptr,
     [](OdDbEntity* e, DxfFieldRead& r) {
       std::vector<OdGePoint3d> vertices;
       for (const DxfTag& t : r.tags) {
         if (t.code == 10) vertices.emplace_back(t.toDouble(), 0.0, 0.0);
         if (t.code == 20 && !vertices.empty()) vertices.back().y = t.toDouble();
         if (t.code == 30 && !vertices.empty()) vertices.back().z = t.toDouble();
       }
       as<OdDbLeader>(e)->setVertices(vertices);
     },
     nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       auto* l = as<OdDbLeader>(e);
       w.out.w.integer(76, l->numVertices());
       for (const OdGePoint3d& p : l->vertices()) w.out.point(10, p);
     }},
    {kOne<340>, nullptr, nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       if (!as<OdDbLeader>(e)->annotationObjId().isNull()) w.out.handle(340, as<OdDbLeader>(e)->annotationObjId());
     },
     &kAnnotation},
    normal<210, &OdDbLeader::normal, &OdDbLeader::setNormal>(),
};

// What R12 dimension records carry beyond the fields: the insertion point
// of clones (12), the attachment point and line spacing (71, 72, 41), and
// the measurement (42).
constexpr int kDimR12[] = {12, 22, 32, 71, 72, 41, 42};

using S = DxfSubclassForm;
constexpr S kRotatedForm[] = {{"AcDbDimension", kDimCommon<&Rot::dimLinePoint, &Rot::setDimLinePoint>, kDimR12},
                              {"AcDbAlignedDimension", kRotated},
                              {"AcDbRotatedDimension", {}}};
constexpr S kAlignedForm[] = {{"AcDbDimension", kDimCommon<&Ali::dimLinePoint, &Ali::setDimLinePoint>, kDimR12},
                              {"AcDbAlignedDimension", kAligned}};
constexpr S kLineAngularForm[] = {{"AcDbDimension", kDimCommon<&Ang2::xLine2End, &Ang2::setXLine2End>, kDimR12},
                                  {"AcDb2LineAngularDimension", kLineAngular}};
constexpr S kDiametricForm[] = {{"AcDbDimension", kDimCommon<&Dia::farChordPoint, &Dia::setFarChordPoint>, kDimR12},
                                {"AcDbDiametricDimension", kDiametric}};
constexpr S kRadialForm[] = {{"AcDbDimension", kDimCommon<&Rad::center, &Rad::setCenter>, kDimR12},
                             {"AcDbRadialDimension", kRadial}};
constexpr S kPointAngularForm[] = {{"AcDbDimension", kDimCommon<&Ang3::arcPoint, &Ang3::setArcPoint>, kDimR12},
                                   {"AcDb3PointAngularDimension", kPointAngular}};
constexpr S kOrdinateForm[] = {{"AcDbDimension", kDimCommon<&Ord::origin, &Ord::setOrigin>, kDimR12},
                               {"AcDbOrdinateDimension", kOrdinate}};
constexpr S kArcLengthForm[] = {{"AcDbDimension", kDimCommon<&Arc::arcPoint, &Arc::setArcPoint>, kDimR12},
                                {"AcDbArcDimension", kArcLength}};
constexpr S kJoggedForm[] = {{"AcDbDimension", kDimCommon<&Jog::center, &Jog::setCenter>, kDimR12},
                             {"AcDbRadialDimensionLarge", kJogged}};
constexpr S kLeaderForm[] = {{"AcDbLeader", kLeaderFields}};

// The dimension types by their number in group 70: one line each.
constexpr DxfEntityDescriptor kDescriptors[] = {
    {&OdDbRotatedDimension::desc, kRotatedForm, 0},
    {&OdDbAlignedDimension::desc, kAlignedForm, 1},
    {&OdDb2LineAngularDimension::desc, kLineAngularForm, 2},
    {&OdDbDiametricDimension::desc, kDiametricForm, 3},
    {&OdDbRadialDimension::desc, kRadialForm, 4},
    {&OdDb3PointAngularDimension::desc, kPointAngularForm, 5},
    {&OdDbOrdinateDimension::desc, kOrdinateForm, 6},
    {&OdDbArcDimension::desc, kArcLengthForm, 8},
    {&QrHugeRadius::desc, kJoggedForm, 9},
    {&OdDbLeader::desc, kLeaderForm},
};

}  // namespace

std::span<const DxfEntityDescriptor> dxfDimensionDescriptors() { return kDescriptors; }
