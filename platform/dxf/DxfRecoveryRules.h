#pragma once
// What recovery takes as sound: the judgements DxfRecovery makes of lines,
// values, record types and names, kept apart from the reading itself.
#include <string>
#include <string_view>

// A line holding a group code: an integer, blanks around it, in the range
// DXF gives group codes (0 to 1071).
bool dxfRecoveryGroupCode(std::string_view line, int& code);
// Whether a value fits its group code's kind as the reader checks it: a
// finite number, an integer within its size. Texts and handles always fit;
// the reader mends what it can of those.
bool dxfRecoveryValueFits(int code, std::string_view value);
// TABLE, ENDTAB, BLOCK, ENDBLK: the records that make the structure.
bool dxfRecoveryIsStructural(std::string_view type);
// A record type as writers give them ("LINE", "3DFACE", "ACAD_TABLE"):
// letters, digits and underscores, with at least one letter.
bool dxfRecoveryRecordType(std::string_view type);
// A header variable's name: "$" and letters, digits, underscores.
bool dxfRecoveryVariableName(std::string_view name);
// Group codes of an entity's common properties, each of which has a default
// when left out: thickness, linetype scale, visibility, colour, lineweight,
// true colour, transparency.
bool dxfRecoveryHasDefault(int code);
// The same for a tag of a record of type `type`: also a dimension style's
// numeric variables (40-50, 71-79, 140-148, 170-179, 270-298, 371-372),
// each of which has its default, so that one value a style cannot hold
// costs that value and not the style every dimension refers to.
bool dxfRecoveryHasDefault(std::string_view type, int code);
// The code of a point's x (10, 1010...), whose y must follow it; 0 for
// any other code.
int dxfRecoveryPointY(int code);
// A reference to another record by handle: owners, soft and hard pointers
// (330-369, 390-399, 480-481); not the handles of extended data.
bool dxfRecoveryReference(int code);
// A table entry's or block's name as names compare: letter case ignored.
std::string dxfRecoveryFolded(std::string_view name);
