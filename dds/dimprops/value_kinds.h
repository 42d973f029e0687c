#pragma once
// The value kinds of palette rows and of the style editor's owner-drawn
// lists: how a value shows as text, and how a typed or picked text turns back
// into a value. Texts follow the session's language; typed texts are also
// accepted in English, so that one script serves both languages. A refused
// text gives false and a message saying why.
#include <vector>

#include "OdCmColor.h"
#include "OdDbTypes.h"
#include "OdGePoint3d.h"
#include "OdString.h"
#include "opm/list_kinds.h"

class OdDbDatabase;

// A text fill: none, the drawing's background, or a colour.
struct QrFillColor {
  OdInt32 mode = 0;  // 0 none, 1 background, 2 colour
  OdCmColor color;
  bool operator==(const QrFillColor& o) const {
    return mode == o.mode && (mode != 2 || color == o.color);
  }
};

namespace dds::kinds {

// Markers of list entries that open a picker instead of being a value.
inline constexpr const char* kUserArrowMarker = "%userArrow%";
using opm::kinds::kOtherLinetypeMarker;

// ---- switch and choice ----
// The two items of a switch: "On"/"Off" or "Yes"/"No", true first.
std::vector<OdString> switchItems(bool onOff);
bool parseSwitch(const OdString& text, bool onOff, bool& value);
// The position of `text` among `items` (searched from the last item to the
// first, exactly), else among their English texts; -1 when neither has it.
int findItem(const std::vector<OdString>& items, const std::vector<OdString>& englishItems,
             const OdString& text);

// ---- numbers ----
// `unitFormat` -1 uses the drawing's linear units.
OdString lengthText(double value, int unitFormat = -1);
bool parseLength(const OdString& text, int unitFormat, double& value, OdString& message);
OdString realText(double value);
// Checked against [minimum, maximum] after reading.
bool parseReal(const OdString& text, double minimum, double maximum, double& value,
               OdString& message);
OdString angleText(double radians);
bool parseAngle(const OdString& text, double& radians, OdString& message);
// "x, y, z" in the drawing's units; two coordinates keep z as it was.
OdString pointText(const OdGePoint3d& p, int unitFormat = -1);
bool parsePoint(const OdString& text, int unitFormat, OdGePoint3d& p, OdString& message);

// ---- arrowheads ----
OdString arrowText(const OdString& blockName);
// The block names a list offers: the 20 built-ins, then the user-arrow marker.
std::vector<OdString> arrowItemNames();
// A display name (either language) or the name of a block of the drawing
// that may be an arrowhead.
bool parseArrow(const OdString& text, OdDbDatabase* db, OdString& blockName, OdString& message);

// ---- colours, linetypes, lineweights: the host's list kinds ----
using opm::kinds::colorText;
using opm::kinds::standardColors;
using opm::kinds::parseColor;
using opm::kinds::linetypeText;
using opm::kinds::linetypeNames;
using opm::kinds::parseLinetype;
using opm::kinds::lineweightText;
using opm::kinds::lineweightItemText;
using opm::kinds::lineweightItems;
using opm::kinds::parseLineweight;
using opm::kinds::ColorList;
using opm::kinds::LinetypeList;
using opm::kinds::LineweightList;

OdString fillColorText(const QrFillColor& fill);
bool parseFillColor(const OdString& text, QrFillColor& fill, OdString& message);

// The fill colour list: "None", "Background", the colours of the colour
// list, then "More Colors...".
class FillColorList {
public:
  std::vector<OdString> texts() const;
  PZItemPicture picture(int index) const;
  static bool isPicker(const OdString& text) { return ColorList::isPicker(text); }
  // The colour picker; the picked colour becomes the fill.
  bool pick(HostWindowHandle owner, QrFillColor& fill, OdString& message) const;
};

// The arrowhead list: the built-in arrowheads, then "User arrow...", which
// asks for a block of the drawing.
class ArrowList {
public:
  explicit ArrowList(OdDbDatabase* db) : m_db(db) {}
  std::vector<OdString> texts() const;
  PZItemPicture picture(int index) const;
  // "User arrow..." in either language.
  static bool isPicker(const OdString& text);
  bool pick(HostWindowHandle owner, OdString& blockName, OdString& message) const;

private:
  OdDbDatabase* m_db;
};

}  // namespace dds::kinds
