// Text and Fit rows.
#include "dimprops/catalog_builder.h"

namespace dds::catalog {

void addTextAndFit(Builder& c) {
  // clang-format off
  c.row<COdDbFillColor, GUID_OD_DIM_FILL_COLOR, TOdDimFillColor, All>("Text.Fill color");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_FRACTIONAL_TYPE, TOdDimFractionalType, Ro, Arc, Al, Rad, Dia>("Text.Fractional type");
  c.row<COdDbColor, GUID_OD_DIM_TEXT_COLOR, TOdDimTextColor, All>("Text.Text color");
  c.row<COdDbLength, GUID_OD_DIM_TEXT_HEIGHT, TOdDimTextHeight, All>("Text.Text height");
  c.rows<COdDbLength, GUID_OD_DIM_TEXT_OFFSET, TOdTextOffset, All>("Text.Text offset");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TEXT_OUTSIDE_ALIGN, TOdDimTextOutsideAlign, All>("Text.Text outside align");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_JUST, TOdDimTextPosHor, A3P, A2L, Al, Ro>("Text.Text pos hor");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TEXT_POS_VERT, TOdDimTextPosVert, All>("Text.Text pos vert");
  c.add<TOdDbDimTextStyle<All>>("Text.Text style");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TEXT_INSIDE_ALIGN, TOdDimTextInsideAlign, All>("Text.Text inside align");
  c.rows<COdDbPoint, GUID_OD_DIM_TEXT_POSITION, TOdDimTextPosition, All>("Text.Text position");
  c.rows<COdDbAngle, GUID_OD_DIM_TEXT_ROTATION, TOdDimTextRotation, All>("Text.Text rotation");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TEXT_VIEW_DIR, TOdDimTextViewDir, All>("Text.Text view direction");
  c.rows<COdDbAngle, GUID_OD_DIM_ANG_MEASUREMENT, TOdDimAngMeasurement, A3P, A2L>("Text.Measurement");
  c.rows<COdDbLength, GUID_OD_DIM_MEASUREMENT, TOdDimMeasurement, Ro, Dia, Arc, Al, Rad>("Text.Measurement");
  c.rows<COdDbString, GUID_OD_DIM_TEXT_OVERRIDE, TOdDimTextOverride, All>("Text.Text override");
  c.rows<COdDbBoolProp, GUID_OD_DIM_DIMLINE_FORCED, TOdDimDimLineForced, All>("Fit.Dim line forced");
  c.rows<COdDbBoolProp, GUID_OD_DIM_DIMLINE_INSIDE, TOdDimDimLineInside, Ro, A3P, A2L, Arc, Al>("Fit.Dim line inside");
  c.rows<COdDbReal, GUID_OD_DIM_DIM_SCALE_OVERALL, TOdDimDimScaleOverall, All>("Fit.Dim scale overall");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_FIT, TOdDimFit, All>("Fit.Fit");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TEXT_INSIDE, TOdDimTextInside, All>("Fit.Text inside");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TEXT_MOVEMENT, TOdDimTextMovement, All>("Fit.Text movement");
  // clang-format on
}

}  // namespace dds::catalog
