// General, Misc and Lines & Arrows rows.
#include "dimprops/catalog_builder.h"

namespace dds::catalog {

void addGeneralMiscAndLines(Builder& c) {
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
  // clang-format on
}

}  // namespace dds::catalog
