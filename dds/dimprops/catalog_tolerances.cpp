// Tolerances rows, the drawing's own style row, and the leader's rows.
#include "dimprops/catalog_builder.h"

namespace dds::catalog {

void addTolerancesStylesAndLeader(Builder& c) {
  // clang-format off
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TOL_DISPLAY, TOdDimTolDisplayRow, All>("Tolerances.Tolerance display");
  c.rows<COdDbReal, GUID_OD_DIM_TOL_LIMIT_UPPER, TOdDimTolLimitUpperRow, All>("Tolerances.Tolerance limit upper");
  c.rows<COdDbReal, GUID_OD_DIM_TOL_LIMIT_LOWER, TOdDimTolLimitLower, All>("Tolerances.Tolerance limit lower");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TOL_POS_VERT, TOdDimTolPosVert, All>("Tolerances.Tolerance pos vert");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TOL_ALIGNMENT, TOdDimTolAlignment, All>("Tolerances.Tolerance alignment");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_TOL_PRECISION, TOdDimTolPrecision, All>("Tolerances.Tolerance precision");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TOL_SUPPRESS_LZEROS, TOdDimTolSuppressLZeros, All>("Tolerances.Tolerance suppress leading zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TOL_SUPPRESS_TZEROS, TOdDimTolSuppressTZeros, All>("Tolerances.Tolerance suppress trailing zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TOL_SUPPRESS_FEET, TOdDimTolSuppressZeroFeet, Ro, Dia, Rad, Arc, Al>("Tolerances.Tolerance suppress zero feet");
  c.rows<COdDbBoolProp, GUID_OD_DIM_TOL_SUPPRESS_INCHES, TOdDimTolSuppressZeroInches, Ro, Dia, Rad, Arc, Al>("Tolerances.Tolerance suppress zero inches");
  c.rows<COdDbReal, GUID_OD_DIM_TOL_TEXT_HEIGHT, TOdDimTolTextHeightRow, All>("Tolerances.Tolerance text height");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_ALTTOL_PRECISION, TOdDimAltTolPrecision, Ro, Dia, Rad, Arc, Al>("Tolerances.Alt tolerance precision");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALTTOL_SUPPRESS_LZERO, TOdDimAltTolSuppressLZeros, Ro, Dia, Rad, Arc, Al>("Tolerances.Alt tolerance suppress leading zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALTTOL_SUPPRESS_TZERO, TOdDimAltTolSuppressTZeros, Ro, Dia, Rad, Arc, Al>("Tolerances.Alt tolerance suppress trailing zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALTTOL_SUPPRESS_FEET, TOdDimAltTolSuppressZeroFeet, Ro, Dia, Rad, Arc, Al>("Tolerances.Alt tolerance suppress zero feet");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALTTOL_SUPPRESS_INCHES, TOdDimAltTolSuppressZeroInches, Ro, Dia, Rad, Arc, Al>("Tolerances.Alt tolerance suppress zero inches");
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
}

}  // namespace dds::catalog
