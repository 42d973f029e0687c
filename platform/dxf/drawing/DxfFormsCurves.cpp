// The DXF forms of ellipses, splines, rays, construction lines, 3D faces
// and traces.
#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "DxfEntityForms.h"
#include "DxfRecordOriginal.h"
#include "OdDbCurves.h"
#include "OdDbFaces.h"

namespace {

using namespace dxffield;


// A value the object refuses (a zero axis) leaves its default, said once.
template <class F>
void orSay(DxfFieldRead& r, const char* what, F&& set) {
  try {
    set();
  } catch (const OdError&) {
    const std::string text = std::string(what) + " out of range; the default is kept";
    if (std::find(r.warnings.begin(), r.warnings.end(), text) == r.warnings.end()) r.warnings.push_back(text);
  }
}

// A direction that must not be zero: read whole, set once.
template <int Code, auto Get, auto Set>
constexpr DxfField direction() {
  using C = Of<Get>;
  return {kXyz<Code>, nullptr,
          [](OdDbEntity* e, DxfFieldRead& r) {
            OdGeVector3d v = (as<C>(e)->*Get)();
            bool seen = false;
            for (const DxfTag& t : r.tags)
              if (t.code == Code || t.code == Code + 10 || t.code == Code + 20)
                setCoordinate(v, t.code - Code, t.toDouble()), seen = true;
            const char* what = std::is_same_v<C, OdDbEllipse> ? "major axis" : "direction";
            if (seen) orSay(r, what, [&] { (as<C>(e)->*Set)(v); });
          },
          nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.vector(Code, (as<C>(e)->*Get)()); }};
}

// ---- ELLIPSE ----

using Ell = OdDbEllipse;
constexpr DxfField kEllipseFields[] = {
    point<10, &Ell::center, &Ell::setCenter>(),
    direction<11, &Ell::majorAxis, &Ell::setMajorAxis>(),
    normal<210, &Ell::normal, &Ell::setNormal>(),
    {kOne<40>,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead& r) {
       orSay(r, "radius ratio", [&] { as<Ell>(e)->setRadiusRatio(t.toDouble()); });
     },
     nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.real(40, as<Ell>(e)->radiusRatio()); }},
    // Parameters, in radians in the file too.
    real<41, &Ell::startParam, &Ell::setStartParam>(),
    real<42, &Ell::endParam, &Ell::setEndParam>(),
};

// ---- SPLINE ----

using Spl = OdDbSpline;
constexpr int kCountCodes[] = {72, 73, 74};
constexpr int kSplineDataCodes[] = {40, 41, 10, 20, 30, 11, 21, 31};

// A tangent, written only when the spline has one (not zero).
template <int Code, auto Get, auto Set>
constexpr DxfField tangent() {
  return {kXyz<Code>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            OdGeVector3d v = (as<Spl>(e)->*Get)();
            setCoordinate(v, t.code - Code, t.toDouble());
            (as<Spl>(e)->*Set)(v);
          },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const OdGeVector3d v = (as<Spl>(e)->*Get)();
            if (v.length() > 0) w.out.vector(Code, v);
          }};
}

constexpr DxfField kSplineFields[] = {
    normal<210, &Spl::normal, &Spl::setNormal>(),
    // The rational bit (4) says whether weights follow: written as the
    // weights are, so that no reader drops them or looks for missing ones.
    {kOne<70>, [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { as<Spl>(e)->setFlags(OdInt16(t.toInt())); },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       auto* s = as<Spl>(e);
       w.out.w.integer(70, (s->flags() & ~4) | (s->weights().empty() ? 0 : 4));
     }},
    {kOne<71>,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead& r) {
       orSay(r, "spline degree", [&] { as<Spl>(e)->setDegree(int(t.toInt())); });
     },
     nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.integer(71, as<Spl>(e)->degree()); }},
    // The counts, written from the lists; reading counts the lists.
    {kCountCodes, nullptr, nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       auto* s = as<Spl>(e);
       w.out.w.integer(72, int(s->knots().size()));
       w.out.w.integer(73, int(s->controlPoints().size()));
       w.out.w.integer(74, int(s->fitPoints().size()));
     }},
    real<42, &Spl::knotTolerance, &Spl::setKnotTolerance>(),
    real<43, &Spl::controlPointTolerance, &Spl::setControlPointTolerance>(),
    {kOne<44>, [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { as<Spl>(e)->setFitTolerance(t.toDouble()); },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       if (!as<Spl>(e)->fitPoints().empty()) w.out.w.real(44, as<Spl>(e)->fitTolerance());
     }},
    tangent<12, &Spl::startTangent, &Spl::setStartTangent>(),
    tangent<13, &Spl::endTangent, &Spl::setEndTangent>(),
    // Knots, weights (rational splines only), control points, fit points:
    // each a repeated group.
    {kSplineDataCodes, nullptr,
     [](OdDbEntity* e, DxfFieldRead& r) {
       std::vector<double> knots, weights;
       std::vector<OdGePoint3d> control, fit;
       for (const DxfTag& t : r.tags) {
         switch (t.code) {
           case 40: knots.push_back(t.toDouble()); break;
           case 41: weights.push_back(t.toDouble()); break;
           case 10: control.emplace_back(t.toDouble(), 0.0, 0.0); break;
           case 20: if (!control.empty()) control.back().y = t.toDouble(); break;
           case 30: if (!control.empty()) control.back().z = t.toDouble(); break;
           case 11: fit.emplace_back(t.toDouble(), 0.0, 0.0); break;
           case 21: if (!fit.empty()) fit.back().y = t.toDouble(); break;
           case 31: if (!fit.empty()) fit.back().z = t.toDouble(); break;
         }
       }
       auto* s = as<Spl>(e);
       s->setKnots(std::move(knots)), s->setWeights(std::move(weights));
       s->setControlPoints(std::move(control)), s->setFitPoints(std::move(fit));
     },
     nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       auto* s = as<Spl>(e);
       for (double k : s->knots()) w.out.w.real(40, k);
       for (double x : s->weights()) w.out.w.real(41, x);
       for (const OdGePoint3d& p : s->controlPoints()) w.out.point(10, p);
       for (const OdGePoint3d& p : s->fitPoints()) w.out.point(11, p);
     }},
};

// ---- RAY, XLINE ----

constexpr DxfField kRayFields[] = {point<10, &OdDbRay::basePoint, &OdDbRay::setBasePoint>(),
                                   direction<11, &OdDbRay::unitDir, &OdDbRay::setUnitDir>()};
constexpr DxfField kXlineFields[] = {point<10, &OdDbXline::basePoint, &OdDbXline::setBasePoint>(),
                                     direction<11, &OdDbXline::unitDir, &OdDbXline::setUnitDir>()};

// ---- 3DFACE, TRACE ----

template <class C, int I>
constexpr DxfField corner() {
  return {kXyz<10 + I>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            auto* x = as<C>(e);
            if constexpr (std::is_same_v<C, OdDbFace>) {
              OdGePoint3d p = x->vertexAt(I);
              setCoordinate(p, t.code - 10 - I, t.toDouble());
              x->setVertexAt(I, p);
            } else {
              OdGePoint3d p = x->pointAt(I);
              setCoordinate(p, t.code - 10 - I, t.toDouble());
              x->setPointAt(I, p);
            }
          },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            if constexpr (std::is_same_v<C, OdDbFace>)
              w.out.point(10 + I, as<C>(e)->vertexAt(I));
            else
              w.out.point(10 + I, as<C>(e)->pointAt(I));
          }};
}

constexpr DxfField kFaceFields[] = {corner<OdDbFace, 0>(), corner<OdDbFace, 1>(), corner<OdDbFace, 2>(),
                                    corner<OdDbFace, 3>(),
                                    integer<70, &OdDbFace::invisibleEdges, &OdDbFace::setInvisibleEdges, true, 0>()};
constexpr DxfField kTraceFields[] = {corner<OdDbTrace, 0>(), corner<OdDbTrace, 1>(), corner<OdDbTrace, 2>(),
                                     corner<OdDbTrace, 3>(), normal<210, &OdDbTrace::normal, &OdDbTrace::setNormal>()};

using S = DxfSubclassForm;
constexpr S kEllipseForm[] = {{"AcDbEllipse", kEllipseFields}};
constexpr S kSplineForm[] = {{"AcDbSpline", kSplineFields}};
constexpr S kRayForm[] = {{"AcDbRay", kRayFields}};
constexpr S kXlineForm[] = {{"AcDbXline", kXlineFields}};
constexpr S kFaceForm[] = {{"AcDbFace", kFaceFields}};
// An R12 trace's thickness and extrusion stay with it.
constexpr int kTraceR12[] = {39, 210, 220, 230};
constexpr S kTraceForm[] = {{"AcDbTrace", kTraceFields, kTraceR12}};

constexpr DxfEntityDescriptor kDescriptors[] = {
    {&OdDbEllipse::desc, kEllipseForm}, {&OdDbSpline::desc, kSplineForm}, {&OdDbRay::desc, kRayForm},
    {&OdDbXline::desc, kXlineForm},     {&OdDbFace::desc, kFaceForm},     {&OdDbTrace::desc, kTraceForm},
};

}  // namespace

std::span<const DxfEntityDescriptor> dxfCurveDescriptors() { return kDescriptors; }
