// The palette's dimension and leader properties, in registration order. Each
// row names its palette name, value kind, identifier tag, accessor and the
// entity classes that carry it, in the order their prototypes are made.
#include "dimprops/property_catalog.h"

#include "dimprops/dim_accessors.h"
#include "dimprops/style_name_properties.h"

// Switches that say "On"/"Off" rather than "Yes"/"No".
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE1> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE2> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_EXTLINE1> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_EXTLINE2> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_RAD_EXTLINE> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_EXTLINE_FIXED> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE_INSIDE> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_DIMLINE_FORCED> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_TEXT_INSIDE> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_TEXT_INSIDE_ALIGN> = true;
template <> inline constexpr bool kOnOffSwitch<GUID_OD_DIM_TEXT_OUTSIDE_ALIGN> = true;

namespace dds {
namespace {

using All = OdDbDimension;
using Al = OdDbAlignedDimension;
using Ro = OdDbRotatedDimension;
using Arc = OdDbArcDimension;
using Dia = OdDbDiametricDimension;
using Rad = OdDbRadialDimension;
using A2L = OdDb2LineAngularDimension;
using A3P = OdDb3PointAngularDimension;
using Jog = QrHugeRadius;
using Ldr = OdDbLeader;

class CatalogBuilder {
public:
  explicit CatalogBuilder(std::vector<IOdPropertyFactory*>& out) : m_out(out) {}

  // One prototype per class, with an accessor template over the class.
  template <template <class, class, class> class Kind, class Tag, template <class> class Acc, class... Es>
  void rows(const char* name) {
    (push(new Kind<Es, Tag, Acc<Es>>(name)), ...);
  }
  // One prototype, with an accessor made for one class.
  template <template <class, class, class> class Kind, class Tag, class Acc, class E>
  void row(const char* name) {
    push(new Kind<E, Tag, Acc>(name));
  }
  template <class P>
  void add(const char* name) {
    push(new P(name));
  }

private:
  void push(IOdPropertyFactory* p) {
    p->addRef();  // the reactor's reference, for as long as the module runs
    m_out.push_back(p);
  }
  std::vector<IOdPropertyFactory*>& m_out;
};

}  // namespace

std::vector<IOdPropertyFactory*> createPropertyCatalog() {
  std::vector<IOdPropertyFactory*> out;
  CatalogBuilder c(out);
  // clang-format off
  c.row<COdDbBoolProp, GUID_OD_DIM_ASSOCIATIVE, TOdDimAssociative, All>("General.Associative");
  c.add<TOdDbDimStyle<All>>("Misc.Dim style");
  c.add<TOdDbDimStyle<Ldr>>("Misc.Dim style");
  c.rows<COdDbBoolProp, GUID_OD_ANNOTATIVE, TOdDimAnnotative, All>("Misc.Annotative");
  c.rows<COdDbString, GUID_OD_ANNOTATIVE_SCALE, TOdDimAnnotativeScale, All>("Misc.Annotative scale");
  c.rows<COdDbArrow, GUID_OD_DIM_RAD_ARROW, TOdDimRadArrow, Rad>("Lines & Arrows.Arrow");
  c.rows<COdDbArrow, GUID_OD_DIM_ARROW1, TOdDimArrow1, Ro, A3P, A2L, Dia, Arc, Al>("Lines & Arrows.Arrow 1");
  c.rows<COdDbArrow, GUID_OD_DIM_ARROW2, TOdDimArrow2, Ro, A3P, A2L, Dia, Arc, Al>("Lines & Arrows.Arrow 2");
  c.rows<COdDbLength, GUID_OD_DIM_ARROW_SIZE, TOdArrowSize, All>("Lines & Arrows.Arrow size");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_RAD_CENTER_MARK, TOdDimRadCenterMark, Rad, Dia>("Lines & Arrows.Center mark");
  c.rows<COdDbLength, GUID_OD_DIM_RAD_CENTER_MARK_SIZE, TOdDimRadCenterMarkSize, Rad, Dia>("Lines & Arrows.Center mark size");
  c.rows<COdDbBoolProp, GUID_OD_DIM_DIMLINE1, TOdDimDimLine1, Ro, A3P, A2L, Rad, Dia, Arc, Al>("Lines & Arrows.Dim line 1");
  c.rows<COdDbBoolProp, GUID_OD_DIM_DIMLINE2, TOdDimDimLine2, Ro, A3P, A2L, Rad, Dia, Arc, Al>("Lines & Arrows.Dim line 2");
  c.rows<COdDbColor, GUID_OD_DIM_DIMLINE_COLOR, TOdDimLineColor, All>("Lines & Arrows.Dim line color");
  c.rows<COdDbLinetype, GUID_OD_DIM_DIMLINE_LINETYPE, TOdDimDimLineLinetype, All>("Lines & Arrows.Dim line linetype");
  c.rows<COdDbLineWeight, GUID_OD_DIM_DIMLINE_LINEWEIGHT, TOdDimLineLineweight, All>("Lines & Arrows.Dim line lineweight");
  c.rows<COdDbLength, GUID_OD_DIM_DIMLINE_EXT, TOdDimDimLineExt, Ro, Al>("Lines & Arrows.Dim line ext");
  c.rows<COdDbLinetype, GUID_OD_DIM_EXTLINE1_LINETYPE, TOdDimExtLine1Linetype, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line 1 linetype");
  c.rows<COdDbLinetype, GUID_OD_DIM_EXTLINE2_LINETYPE, TOdDimExtLine2Linetype, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line 2 linetype");
  c.rows<COdDbBoolProp, GUID_OD_DIM_EXTLINE1, TOdDimExtLine1, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line 1");
  c.rows<COdDbBoolProp, GUID_OD_DIM_EXTLINE2, TOdDimExtLine2, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line 2");
  c.rows<COdDbBoolProp, GUID_OD_DIM_EXTLINE_FIXED, TOdDimExtLineFixed, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line fixed");
  c.rows<COdDbLength, GUID_OD_DIM_EXTLINE_FIXED_LENGTH, TOdDimExtLineFixedLength, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line fixed length");
  c.rows<COdDbBoolProp, GUID_OD_DIM_RAD_EXTLINE, TOdDimRadExtLine, Rad, Dia>("Lines & Arrows.Ext line");
  c.rows<COdDbReal, GUID_OD_DIM_JOG_ANG, TOdDimJogAng, Jog>("Lines & Arrows.Large rad dim jog angle");
  c.rows<COdDbColor, GUID_OD_DIM_EXTLINE_COLOR, TOdDimExtLineColor, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line color");
  c.rows<COdDbColor, GUID_OD_DIM_RAD_EXTLINE_COLOR, TOdDimRadExtLineColor, Rad, Dia>("Lines & Arrows.Ext line color");
  c.rows<COdDbLineWeight, GUID_OD_DIM_EXTLINE_LINEWEIGHT, TOdDimExtLineLineweight, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line lineweight");
  c.rows<COdDbLineWeight, GUID_OD_DIM_RAD_EXTLINE_LINEWEIGHT, TOdDimRadExtLineLineweight, Rad, Dia>("Lines & Arrows.Ext line lineweight");
  c.rows<COdDbLinetype, GUID_OD_DIM_RAD_EXTLINE_LINETYPE, TOdDimRadExtLineLinetype, Rad, Dia>("Lines & Arrows.Ext line linetype");
  c.rows<COdDbLength, GUID_OD_DIM_EXTLINE_EXT, TOdDimExtLineExt, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line ext");
  c.rows<COdDbLength, GUID_OD_DIM_RAD_EXTLINE_EXT, TOdDimRadExtLineExt, Rad, Dia>("Lines & Arrows.Ext line ext");
  c.rows<COdDbLength, GUID_OD_DIM_EXTLINE_OFFSET, TOdDimExtLineOffset, Ro, A3P, A2L, Arc, Al>("Lines & Arrows.Ext line offset");
  c.rows<COdDbLength, GUID_OD_DIM_RAD_EXTLINE_OFFSET, TOdDimRadExtLineOffset, Rad, Dia>("Lines & Arrows.Ext line offset");
  c.row<COdDbFillColor, GUID_OD_DIM_FILL_COLOR, TOdDimFillColor, All>("Text.Fill color");
  c.rows<COdDbLength, GUID_OD_DIM_TEXT_OFFSET, TOdTextOffset, All>("Text.Text offset");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TEXT_POS_VERT, TOdDimTextPosVert, All>("Text.Text pos vert");
  c.add<TOdDbDimTextStyle<All>>("Text.Text style");
  c.rows<COdDbPoint, GUID_OD_DIM_TEXT_POSITION, TOdDimTextPosition, All>("Text.Text position");
  c.rows<COdDbAngle, GUID_OD_DIM_TEXT_ROTATION, TOdDimTextRotation, All>("Text.Text rotation");
  c.rows<COdDbString, GUID_OD_DIM_TEXT_OVERRIDE, TOdDimTextOverride, All>("Text.Text override");
  c.rows<COdDbReal, GUID_OD_DIM_DIM_SCALE_OVERALL, TOdDimDimScaleOverall, All>("Fit.Dim scale overall");
  c.rows<COdDbString, GUID_OD_DIM_DECIMAL_SEPARATOR, TOdDimDecimalSeparator, All>("Primary units.Decimal separator");
  c.rows<COdDbReal, GUID_OD_DIM_SCALE_LINEAR, TOdDimScaleLinear, Ro, Arc, Al, Rad, Dia>("Primary units.Dim scale linear");
  c.add<COdDbDatabaseDimStyle>("Styles.Dimension style");
  // The leader's own rows come last.
  c.row<COdDbTextComboProp, GUID_OD_LEADER_TYPE, TOdLeaderType, Ldr>("Misc.Type");
  c.rows<COdDbBoolProp, GUID_OD_ANNOTATIVE, TOdDimAnnotative, Ldr>("Misc.Annotative");
  c.rows<COdDbString, GUID_OD_ANNOTATIVE_SCALE, TOdDimAnnotativeScale, Ldr>("Misc.Annotative scale");
  c.row<COdDbArrow, GUID_OD_LEADER_ARROW, TOdLeaderArrow, Ldr>("Lines & Arrows.Arrow");
  c.rows<COdDbLength, GUID_OD_DIM_ARROW_SIZE, TOdArrowSize, Ldr>("Lines & Arrows.Arrow size");
  c.rows<COdDbLineWeight, GUID_OD_DIM_DIMLINE_LINEWEIGHT, TOdDimLineLineweight, Ldr>("Lines & Arrows.Dim line lineweight");
  c.rows<COdDbColor, GUID_OD_DIM_DIMLINE_COLOR, TOdDimLineColor, Ldr>("Lines & Arrows.Dim line color");
  c.rows<COdDbLength, GUID_OD_DIM_TEXT_OFFSET, TOdTextOffset, Ldr>("Text.Text offset");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TEXT_POS_VERT, TOdDimTextPosVert, Ldr>("Text.Text pos vert");
  c.rows<COdDbReal, GUID_OD_DIM_DIM_SCALE_OVERALL, TOdDimDimScaleOverall, Ldr>("Fit.Dim scale overall");
  // clang-format on
  return out;
}

}  // namespace dds
