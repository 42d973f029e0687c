#pragma once
// The list kinds that the palette's rows (the host's General rows and a
// module's rows alike) and a module's dialog lists share: colours, linetypes
// and lineweights. Each kind says which values its list offers, the text each
// shows in the session's language, the picture beside it, which entry opens a
// picker, and how a typed or picked text reads back. Typed texts are taken in
// the session's language and in English, so that one script serves both.
// A refused text gives false and a message saying why.
#include <vector>

#include "OdCmColor.h"
#include "OdDbTypes.h"
#include "OdString.h"
#include "host_window.h"
#include "opm/opm_interfaces.h"

class OdDbDatabase;

namespace opm::kinds {

// A palette literal in the session's language (the host's palette texts
// and every module's literals).
OdString say(const char* english, const char* context = "");
// `text` is `english` in the session's language or in English, any case.
bool isLiteral(const OdString& text, const char* english, const char* context = "");
OdString trimmed(const OdString& text);

// ---- colours ----
// "By Layer", "By Block", "red", ..., "Color 42", "10,20,30"; with
// `renamePrimaries` the true colours of the six primaries read as their names.
OdString colorText(const OdCmColor& color, bool renamePrimaries = true);
// By layer and by block (when asked for), then index colours 1..7.
std::vector<OdCmColor> standardColors(bool byLayerAndBlock);
bool parseColor(const OdString& text, bool byLayerAndBlock, OdCmColor& color, OdString& message);
PZItemPicture colorPicture(const OdCmColor& color);

// The colour list: the standard colours, the user's custom colours, then
// "More Colors...", which opens the colour picker.
class ColorList {
public:
  explicit ColorList(bool byLayerAndBlock = true) : m_byLayerAndBlock(byLayerAndBlock) {}
  std::vector<OdCmColor> colors() const;
  std::vector<OdString> texts() const;
  PZItemPicture picture(int index) const;
  // "More Colors..." in either language.
  static bool isPicker(const OdString& text);
  // Opens the picker over `color`; the picked colour joins the custom colours.
  // False when cancelled (`message` says so).
  bool pick(HostWindowHandle owner, OdCmColor& color, OdString& message) const;

private:
  bool m_byLayerAndBlock;
};

// ---- linetypes ----
// The marker of the list entry that loads linetypes ("Load...").
inline constexpr const char* kOtherLinetypeMarker = "%otherLinetype%";
OdString linetypeText(const OdString& name);
// The drawing's linetypes: ByLayer, ByBlock, Continuous, then the others by name.
std::vector<OdString> linetypeNames(OdDbDatabase* db);
bool parseLinetype(const OdString& text, OdDbDatabase* db, OdString& name, OdString& message);
PZItemPicture linetypePicture(OdDbDatabase* db, const OdString& name);

// The linetype list: the drawing's linetypes, then "Load...", which opens
// the linetype picker (it may load linetypes from a file into the drawing).
class LinetypeList {
public:
  explicit LinetypeList(OdDbDatabase* db) : m_db(db) {}
  std::vector<OdString> names() const { return linetypeNames(m_db); }
  std::vector<OdString> texts() const;
  PZItemPicture picture(int index) const;
  // "Load..." in either language.
  static bool isPicker(const OdString& text);
  // Opens the picker with `name`; true with the linetype picked (a linetype
  // of the drawing by then). False when cancelled or refused.
  bool pick(HostWindowHandle owner, OdString& name, OdString& message) const;

private:
  OdDbDatabase* m_db;
};

// ---- lineweights ----
// The palette's text: "ByLayer", "ByBlock", "ByDefault", or millimetres "0.25".
OdString lineweightText(OdDb::LineWeight lw);
// The list's text after LWUNITS: millimetres "0.25 mm" or inches "0.010''".
OdString lineweightItemText(OdDb::LineWeight lw, int lwunits);
// ByLayer, ByBlock, ByDefault, then the standard widths.
std::vector<OdDb::LineWeight> lineweightItems();
bool parseLineweight(const OdString& text, OdDb::LineWeight& lw, OdString& message);

class LineweightList {
public:
  // `lwunits`: 0 inches, otherwise millimetres (the drawing's LWUNITS).
  explicit LineweightList(int lwunits) : m_lwunits(lwunits) {}
  std::vector<OdString> texts() const;
  PZItemPicture picture(int index) const;

private:
  int m_lwunits;
};

}  // namespace opm::kinds
