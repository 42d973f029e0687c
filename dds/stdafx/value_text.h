#pragma once
// How dimension variable values, styles and arrowheads read as text in
// listings, comparisons and dialogs.
#include <optional>

#include "OdCmColor.h"
#include "OdDbObjectId.h"

namespace dds {

// Integers (also lineweights, widened); the key "dsep" shows the character
// whose code the value holds.
OdString intText(int value, const OdString& key);
OdString boolText(bool value);
// Lengths and factors in the drawing's linear units; the key "jogang" marks
// an angle in radians, shown in the drawing's angular units.
OdString lengthText(double value, const OdString& key);
OdString stringText(const OdString& value);
// The record an identifier names: its name, the arrowhead's display name for
// the arrow keys, "BYBLOCK" or "<default>" for null, "<error>" when it
// cannot be opened (also when it was erased).
OdString recordText(OdDbObjectId id, const OdString& key);
OdString colorText(const OdCmColor& color);

// "Closed filled", "Open 30", ... or "User arrow..." for other blocks, in the
// session's language.
OdString arrowDisplayName(const OdString& blockName);
// The built-in arrowhead whose display name is `text`, in the session's
// language or in English, any letter case; false for other texts.
bool arrowForDisplayName(const OdString& text, OdString& blockName);

// A style's label in lists: its name, or "Parent [Type]" for a child style;
// "<null>" for a null identifier.
OdString styleLabel(OdDbObjectId style);
// The type name alone for a child style, "" for other styles.
OdString styleTypeLabel(OdDbObjectId style);

// Numbers in dialog edit fields.
double readControlDouble(const OdString& text);
OdString writeControlDouble(double value);
// A number typed into an edit field, read strictly: blanks around it are
// allowed, anything else that is not part of the number is not. A comma
// stands for the decimal point when `decimalSeparator` is a comma (the text
// holds no point then). Nothing for empty, unreadable or infinite text, so
// that such text is never taken as 0 or as its leading digits.
std::optional<double> readFieldNumber(const OdString& text, char decimalSeparator = '.');

}  // namespace dds
