// The DXF forms of the plain entities: lines, circles, arcs, light
// polylines, text, notes, block references, points and solids.
#include <cmath>

#include "DxfEntityForms.h"
#include "DxfRecordOriginal.h"
#include "OdDbEntities.h"

namespace {

using namespace dxffield;


// A radius: one that is not positive leaves the object's own.
template <auto Get, auto Set>
constexpr DxfField radius() {
  using C = Of<Get>;
  return {kOne<40>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            const double v = t.toDouble();
            if (v > 0) (as<C>(e)->*Set)(v);
          },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.real(40, (as<C>(e)->*Get)()); }};
}

template <int Code, auto Get, auto Set>
constexpr DxfField text() {
  using C = Of<Get>;
  return {kOne<Code>, [](OdDbEntity* e, const DxfTag& t, DxfFieldRead& r) { (as<C>(e)->*Set)(r.doc.text(t)); },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.str(Code, (as<C>(e)->*Get)()); }};
}

// ---- LINE, CIRCLE, ARC, POINT, SOLID ----

constexpr DxfField kLineFields[] = {point<10, &OdDbLine::startPoint, &OdDbLine::setStartPoint>(),
                                    point<11, &OdDbLine::endPoint, &OdDbLine::setEndPoint>()};

constexpr DxfField kCircleFields[] = {point<10, &OdDbCircle::center, &OdDbCircle::setCenter>(),
                                      radius<&OdDbCircle::radius, &OdDbCircle::setRadius>(),
                                      normal<210, &OdDbCircle::normal, &OdDbCircle::setNormal>()};
constexpr DxfField kArcCircleFields[] = {point<10, &OdDbArc::center, &OdDbArc::setCenter>(),
                                         radius<&OdDbArc::radius, &OdDbArc::setRadius>(),
                                         normal<210, &OdDbArc::normal, &OdDbArc::setNormal>()};
constexpr DxfField kArcFields[] = {angle<50, &OdDbArc::startAngle, &OdDbArc::setStartAngle, false>(),
                                   angle<51, &OdDbArc::endAngle, &OdDbArc::setEndAngle, false>()};

constexpr DxfField kPointFields[] = {point<10, &OdDbPoint::position, &OdDbPoint::setPosition>()};

template <int I>
constexpr DxfField solidCorner() {
  return {kXyz<10 + I>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            auto* s = as<OdDbSolid>(e);
            OdGePoint3d p = s->pointAt(I);
            setCoordinate(p, t.code - 10 - I, t.toDouble());
            s->setPointAt(I, p);
          },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.point(10 + I, as<OdDbSolid>(e)->pointAt(I)); }};
}
constexpr DxfField kSolidFields[] = {solidCorner<0>(), solidCorner<1>(), solidCorner<2>(), solidCorner<3>(),
                                     normal<210, &OdDbSolid::normal, &OdDbSolid::setNormal>()};

// ---- LWPOLYLINE ----

constexpr int kVertexCodes[] = {90};
constexpr int kPolylineFlagsCode[] = {70};
constexpr int kVerticesCodes[] = {10, 20, 40, 41, 42, 91};

constexpr DxfField kPolylineFields[] = {
    // The vertex count, written from the vertices; reading counts them.
    {kVertexCodes, nullptr, nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) { w.out.w.integer(90, as<OdDbPolyline>(e)->numVerts()); }},
    // Bit 1 is the closure; the other bits (plinegen) are kept as read.
    {kPolylineFlagsCode,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { as<OdDbPolyline>(e)->setClosed((t.toInt() & 1) != 0); },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       const int other = keptInteger(w.original.find(w.marker, 70), 0) & ~1;
       w.out.w.integer(70, other | (as<OdDbPolyline>(e)->isClosed() ? 1 : 0));
     }},
    {kOne<43>, [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) { as<OdDbPolyline>(e)->setConstantWidth(t.toDouble()); },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       const double width = as<OdDbPolyline>(e)->constantWidth();
       if (width != 0 || w.original.find(w.marker, 43)) w.out.w.real(43, width);
     }},
    real<38, &OdDbPolyline::elevation, &OdDbPolyline::setElevation, true, 0>(),
    // The vertices, each with its bulge; widths per vertex (40, 41) and
    // vertex identifiers (91) go with their vertex while the vertices are
    // the same in number.
    {kVerticesCodes, nullptr,
     [](OdDbEntity* e, DxfFieldRead& r) {
       auto* p = as<OdDbPolyline>(e);
       std::vector<OdDbPolyline::Vertex> vertices;
       for (const DxfTag& t : r.tags) {
         if (t.code == 10) vertices.push_back({t.toDouble(), 0, 0});
         if (vertices.empty()) continue;
         if (t.code == 20) vertices.back().y = t.toDouble();
         if (t.code == 40) vertices.back().startWidth = t.toDouble();
         if (t.code == 41) vertices.back().endWidth = t.toDouble();
         if (t.code == 42) vertices.back().bulge = t.toDouble();
       }
       for (unsigned i = 0; i < vertices.size(); ++i) {
         p->addVertexAt(i, vertices[i].x, vertices[i].y, vertices[i].bulge);
         p->setWidthsAt(i, vertices[i].startWidth, vertices[i].endWidth);
       }
     },
     nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       auto* p = as<OdDbPolyline>(e);
       std::vector<std::vector<DxfTag>> widths;
       for (const DxfTag& t : w.original.subclassTags(w.marker)) {
         if (t.code == 10) widths.emplace_back();
         if ((t.code == 40 || t.code == 41 || t.code == 91) && !widths.empty()) widths.back().push_back(t);
       }
       const bool sameCount = widths.size() == p->numVerts();
       for (unsigned i = 0; i < p->numVerts(); ++i) {
         const OdDbPolyline::Vertex v = p->vertexAt(i);
         w.out.w.real(10, v.x);
         w.out.w.real(20, v.y);
         // Widths where the file had them (their text as read while the
         // value is the same), or where the vertex has some; identifiers as
         // read.
         bool start = false, end = false;
         if (sameCount)
           for (const DxfTag& t : widths[i]) {
             const double width = t.code == 40 ? v.startWidth : v.endWidth;
             if (t.code == 91 || t.toDouble() == width)
               w.original.writeTag(w.out, t);
             else
               w.out.w.real(t.code, width);
             start = start || t.code == 40;
             end = end || t.code == 41;
           }
         if (!start && (v.startWidth != 0 || v.endWidth != 0)) w.out.w.real(40, v.startWidth);
         if (!end && (v.startWidth != 0 || v.endWidth != 0)) w.out.w.real(41, v.endWidth);
         if (v.bulge != 0) w.out.w.real(42, v.bulge);
       }
     }},
    normal<210, &OdDbPolyline::normal, &OdDbPolyline::setNormal>(),
};

// ---- TEXT ----

void setTextStyleRef(OdDbEntity* e, OdDbObjectId id) { as<OdDbText>(e)->setTextStyle(id); }
constexpr DxfRefField kTextStyle{'S', "Standard", &setTextStyleRef};
constexpr int kAlignmentCodes[] = {11, 21, 31};

constexpr DxfField kTextFields[] = {
    point<10, &OdDbText::position, &OdDbText::setPosition>(),
    real<40, &OdDbText::height, &OdDbText::setHeight>(),
    text<1, &OdDbText::textString, &OdDbText::setTextString>(),
    angle<50, &OdDbText::rotation, &OdDbText::setRotation>(),
    real<41, &OdDbText::widthFactor, &OdDbText::setWidthFactor, true, 1>(),
    angle<51, &OdDbText::oblique, &OdDbText::setOblique, true>(),
    named<7, &OdDbText::textStyle, &kTextStyle>(),
    integer<71, &OdDbText::generationFlags, &OdDbText::setGenerationFlags, true, 0>(),
    integer<72, &OdDbText::horizontalMode, &OdDbText::setHorizontalMode, true, 0>(),
    // The alignment point counts only for aligned text.
    {kAlignmentCodes,
     [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
       auto* x = as<OdDbText>(e);
       OdGePoint3d p = x->alignmentPoint();
       setCoordinate(p, t.code - 11, t.toDouble());
       x->setAlignmentPoint(p);
     },
     nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       auto* x = as<OdDbText>(e);
       if (x->horizontalMode() != 0 || x->verticalMode() != 0) w.out.point(11, x->alignmentPoint());
     }},
    normal<210, &OdDbText::normal, &OdDbText::setNormal>(),
};
// The vertical alignment stands after a second "AcDbText" marker.
constexpr DxfField kTextVerticalFields[] = {
    integer<73, &OdDbText::verticalMode, &OdDbText::setVerticalMode, true, 0>()};

// ---- MTEXT ----

void setMTextStyleRef(OdDbEntity* e, OdDbObjectId id) { as<OdDbMText>(e)->setTextStyle(id); }
constexpr DxfRefField kMTextStyle{'S', "Standard", &setMTextStyleRef};
constexpr int kContentsCodes[] = {1, 3};
constexpr int kMTextRotationCodes[] = {50, 11, 21, 31};

void writeContents(const OdDbEntity* e, DxfFieldWrite& w) {
  const std::string text = as<OdDbMText>(e)->contents();
  const std::string encoded = dxfTextIsPlain(text) ? text : dxfEncodeText(text, w.out.codePage);
  // Chunks of 250 bytes, never splitting an escape or a UTF-8 sequence.
  std::size_t at = 0;
  while (encoded.size() - at > 250) {
    std::size_t cut = at + 250;
    while (cut > at && (encoded[cut] & 0xC0) == 0x80) --cut;
    for (std::size_t k = cut; k + 8 > cut && k > at; --k)
      if (encoded[k - 1] == '\\') {
        cut = k - 1;
        break;
      }
    if (cut == at) cut = at + 250;
    // Nor a caret escape ("^J", "^ "): every caret starts one.
    std::size_t k = at;
    while (k < cut) k += encoded[k] == '^' ? 2 : 1;
    if (k > cut) --cut;
    w.out.w.text(3, std::string_view(encoded).substr(at, cut - at));
    at = cut;
  }
  w.out.w.text(1, std::string_view(encoded).substr(at));
}

constexpr DxfField kMTextFields[] = {
    point<10, &OdDbMText::location, &OdDbMText::setLocation>(),
    real<40, &OdDbMText::textHeight, &OdDbMText::setTextHeight>(),
    real<41, &OdDbMText::width, &OdDbMText::setWidth>(),
    integer<71, &OdDbMText::attachment, &OdDbMText::setAttachment>(),
    // The contents: chunks of 3 first, the last piece in 1.
    {kContentsCodes, nullptr,
     [](OdDbEntity* e, DxfFieldRead& r) {
       // The 3 chunks in their order, then 1 (the end), wherever the
       // file put it.
       std::string text, last;
       for (const DxfTag& t : r.tags) {
         if (t.code == 1) last = r.doc.text(t);
         if (t.code == 3) text += r.doc.text(t);
       }
       as<OdDbMText>(e)->setContents(text + last);
     },
     nullptr, &writeContents},
    named<7, &OdDbMText::textStyle, &kMTextStyle>(),
    // Group 50 is in degrees (whatever some references say); without it a
    // direction vector (11) gives the rotation. Written as the angle, which
    // stands for a direction vector the file may have had.
    {kMTextRotationCodes, nullptr,
     [](OdDbEntity* e, DxfFieldRead& r) {
       double a50 = 0, x = 0, y = 0;
       bool have50 = false;
       for (const DxfTag& t : r.tags) {
         if (t.code == 50) a50 = t.toDouble(), have50 = true;
         if (t.code == 11) x = t.toDouble();
         if (t.code == 21) y = t.toDouble();
       }
       as<OdDbMText>(e)->setRotation(have50 || (x == 0 && y == 0) ? a50 * kToRadians : std::atan2(y, x));
     },
     nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       if (const double r = as<OdDbMText>(e)->rotation(); r != 0) w.out.w.real(50, r * kToDegrees);
     }},
};

// ---- INSERT ----

void setBlockRef(OdDbEntity* e, OdDbObjectId id) { as<OdDbBlockReference>(e)->setBlockTableRecord(id); }
constexpr DxfRefField kInsertedBlock{'B', "", &setBlockRef};

template <int Code>
constexpr DxfField scale() {
  return {kOne<Code>,
          [](OdDbEntity* e, const DxfTag& t, DxfFieldRead&) {
            auto* x = as<OdDbBlockReference>(e);
            OdGeVector3d s = x->scaleFactors();
            (Code == 41 ? s.x : Code == 42 ? s.y : s.z) = t.toDouble();
            x->setScaleFactors(s);
          },
          nullptr, nullptr, [](const OdDbEntity* e, DxfFieldWrite& w) {
            const OdGeVector3d s = as<OdDbBlockReference>(e)->scaleFactors();
            const double v = Code == 41 ? s.x : Code == 42 ? s.y : s.z;
            if (v != 1) w.out.w.real(Code, v);
          }};
}

constexpr DxfField kInsertFields[] = {
    // A block that reading could not find keeps the name the file gave it,
    // so that the reference is not turned into one of no block at all
    // (which other programs delete).
    {kOne<2>, nullptr, nullptr, nullptr,
     [](const OdDbEntity* e, DxfFieldWrite& w) {
       std::string name = dxfRecordName(as<OdDbBlockReference>(e)->blockTableRecord());
       for (std::string_view marker : {std::string_view("AcDbBlockReference"), std::string_view()})
         if (const DxfTag* t = name.empty() ? w.original.find(marker, 2) : nullptr) name = w.original.text(*t);
       w.out.str(2, name);
     },
     &kInsertedBlock},
    point<10, &OdDbBlockReference::position, &OdDbBlockReference::setPosition>(),
    scale<41>(),
    scale<42>(),
    scale<43>(),
    angle<50, &OdDbBlockReference::rotation, &OdDbBlockReference::setRotation>(),
    normal<210, &OdDbBlockReference::normal, &OdDbBlockReference::setNormal>(),
};

// What R12 records of these kinds carry beyond the fields: thickness (39),
// extrusion (210), a text's oblique angle and mirroring, a block
// reference's attributes flag, columns and rows.
constexpr int kThickAndExtruded[] = {39, 210, 220, 230};
constexpr int kTextR12[] = {39, 51, 71, 210, 220, 230};
constexpr int kInsertR12[] = {66, 70, 71, 44, 45, 210, 220, 230};
constexpr int kPointR12[] = {39, 50, 210, 220, 230};

using S = DxfSubclassForm;
constexpr S kLineForm[] = {{"AcDbLine", kLineFields, kThickAndExtruded}};
constexpr S kCircleForm[] = {{"AcDbCircle", kCircleFields, kThickAndExtruded}};
constexpr S kArcForm[] = {{"AcDbCircle", kArcCircleFields, kThickAndExtruded}, {"AcDbArc", kArcFields}};
constexpr S kPolylineForm[] = {{"AcDbPolyline", kPolylineFields, {}, 4}};
constexpr S kTextForm[] = {{"AcDbText", kTextFields, kTextR12}, {"AcDbText", kTextVerticalFields}};
constexpr S kMTextForm[] = {{"AcDbMText", kMTextFields}};
constexpr S kInsertForm[] = {{"AcDbBlockReference", kInsertFields, kInsertR12}};
constexpr S kPointForm[] = {{"AcDbPoint", kPointFields, kPointR12}};
constexpr S kSolidForm[] = {{"AcDbTrace", kSolidFields, kThickAndExtruded}};

constexpr DxfEntityDescriptor kDescriptors[] = {
    {&OdDbLine::desc, kLineForm},
    {&OdDbCircle::desc, kCircleForm},
    {&OdDbArc::desc, kArcForm},
    {&OdDbPolyline::desc, kPolylineForm},
    {&OdDbText::desc, kTextForm},
    {&OdDbMText::desc, kMTextForm},
    {&OdDbBlockReference::desc, kInsertForm},
    {&OdDbPoint::desc, kPointForm},
    {&OdDbSolid::desc, kSolidForm},
};

}  // namespace

std::span<const DxfEntityDescriptor> dxfPlainDescriptors() { return kDescriptors; }
