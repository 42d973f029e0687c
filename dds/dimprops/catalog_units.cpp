// Primary units and Alternate Units rows.
#include "dimprops/catalog_builder.h"

namespace dds::catalog {

void addPrimaryAndAlternateUnits(Builder& c) {
  // clang-format off
  c.rows<COdDbString, GUID_OD_DIM_DECIMAL_SEPARATOR, TOdDimDecimalSeparator, All>("Primary units.Decimal separator");
  c.rows<COdDbString, GUID_OD_DIM_DIM_PREFIX, TOdDimDimPrefix, All>("Primary units.Dim prefix");
  c.rows<COdDbString, GUID_OD_DIM_DIM_SUFFIX, TOdDimDimSuffix, All>("Primary units.Dim suffix");
  c.rows<COdDbReal, GUID_OD_DIM_ROUNDOFF, TOdDimRoundoffRow, Ro, Arc, Al, Rad, Dia>("Primary units.Dim roundoff");
  c.rows<COdDbReal, GUID_OD_DIM_SCALE_LINEAR, TOdDimScaleLinear, Ro, Arc, Al, Rad, Dia>("Primary units.Dim scale linear");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_UNITS, TOdDimUnitsRow, Ro, Arc, Al, Rad, Dia>("Primary units.Dim units");
  c.rows<COdDbBoolProp, GUID_OD_DIM_SUPPRESS_LZEROS, TOdDimSuppressLZeros, All>("Primary units.Suppress leading zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_SUPPRESS_TZEROS, TOdDimSuppressTZeros, All>("Primary units.Suppress trailing zeros");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_ANG_PRECISION, TOdDimAnglePrecision, A3P, A2L>("Primary units.Angle precision");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_ANG_FORMAT, TOdDimAngleFormat, A3P, A2L>("Primary units.Angle format");
  c.rows<COdDbBoolProp, GUID_OD_DIM_SUPPRESS_FEET, TOdDimSuppressZeroFeet, Ro, Dia, Rad, Arc, Al>("Primary units.Suppress zero feet");
  c.rows<COdDbBoolProp, GUID_OD_DIM_SUPPRESS_INCHES, TOdDimSuppressZeroInches, Ro, Dia, Rad, Arc, Al>("Primary units.Suppress zero inches");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_PRECISION, TOdDimPrecision, Ro, Dia, Rad, Arc, Al>("Primary units.Precision");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALT, TOdDimAltRow, Ro, Dia, Rad, Arc, Al>("Alternate Units.Alt enabled");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_ALT_FORMAT, TOdDimAltFormat, Ro, Arc, Al, Rad, Dia>("Alternate Units.Alt format");
  c.rows<COdDbTextComboProp, GUID_OD_DIM_ALT_PRECISION, TOdDimAltPrecision, Ro, Dia, Rad, Arc, Al>("Alternate Units.Alt precision");
  c.rows<COdDbReal, GUID_OD_DIM_ALT_ROUND, TOdDimAltRoundRow, Ro, Arc, Al, Rad, Dia>("Alternate Units.Alt round");
  c.rows<COdDbReal, GUID_OD_DIM_ALT_SCALE_FACTOR, TOdDimAltScaleFactorRow, Ro, Arc, Al, Rad, Dia>("Alternate Units.Alt scale factor");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALT_SUPPRESS_LZERO, TOdDimAltSuppressLZeros, Ro, Dia, Rad, Arc, Al>("Alternate Units.Alt suppress leading zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALT_SUPPRESS_TZERO, TOdDimAltSuppressTZeros, Ro, Dia, Rad, Arc, Al>("Alternate Units.Alt suppress trailing zeros");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALT_SUPPRESS_FEET, TOdDimAltSuppressZeroFeet, Ro, Dia, Rad, Arc, Al>("Alternate Units.Alt suppress zero feet");
  c.rows<COdDbBoolProp, GUID_OD_DIM_ALT_SUPPRESS_INCHES, TOdDimAltSuppressZeroInches, Ro, Dia, Rad, Arc, Al>("Alternate Units.Alt suppress zero inches");
  c.rows<COdDbString, GUID_OD_DIM_ALT_PREFIX, TOdDimAltPrefix, Ro, Arc, Al, Rad, Dia>("Alternate Units.Alt prefix");
  c.rows<COdDbString, GUID_OD_DIM_ALT_SUFFIX, TOdDimAltSuffix, Ro, Arc, Al, Rad, Dia>("Alternate Units.Alt suffix");
  // clang-format on
}

}  // namespace dds::catalog
