#pragma once
// The host's native drawing gate `gpQrNativeGate`: it turns entities of a
// drawing into a picture that can be kept, measured, played into a
// rectangle of a window and written to a file. Modules hand entities over
// and get the gate's own key for each; a picture is then made from a list
// of keys. The host installs the gate at start; without one, pictures are
// simply not made.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "OdDbObjectId.h"

struct HostPicturePoint {
  double x = 0, y = 0;
};

struct HostPictureColor {
  std::uint8_t r = 0, g = 0, b = 0;
};

// A box of the drawing, or of pixels, as the context says.
struct HostPictureBox {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  double width() const { return maxX - minX; }
  double height() const { return maxY - minY; }
};

// What a picture plays into: primitives already mapped into the target
// rectangle (pixels, y pointing down).
class HostPictureSink {
public:
  virtual ~HostPictureSink() = default;
  virtual void polyline(const std::vector<HostPicturePoint>& points, bool closed, HostPictureColor color,
                        double widthPx) = 0;
  virtual void filledPolygon(const std::vector<HostPicturePoint>& points, HostPictureColor color) = 0;
  // One line of text: the left end of its baseline, the height of its
  // capitals and the width it takes (pixels), its rotation (radians,
  // counter-clockwise as seen on the screen).
  virtual void text(const std::string& utf8, HostPicturePoint baselineStart, double capHeightPx,
                    double advancePx, double rotation, HostPictureColor color) = 0;
  // A sink that can only draw upright text gets turned text as the glyphs'
  // outlines instead: closed contours (pixels, y down) to be filled
  // together, holes by the even-odd rule.
  virtual bool drawsTurnedText() const { return true; }
  virtual void textOutlines(const std::vector<std::vector<HostPicturePoint>>& contours, HostPictureColor color) {
    (void)contours;
    (void)color;
  }
};

// A picture the gate made: vector data in drawing units.
class HostPicture {
public:
  virtual ~HostPicture() = default;
  // The box around everything drawn; empty() when nothing was.
  virtual HostPictureBox bounds() const = 0;
  virtual bool empty() const = 0;
  // Plays the picture into `target` (pixels, y down), stretched to fill it.
  virtual void play(HostPictureSink& sink, const HostPictureBox& target) const = 0;
  // Writes the picture scaled to fit widthPx (heightPx 0: as its
  // proportions ask). False with a message in *error when the file cannot
  // be written.
  virtual bool writeSvg(const std::string& path, int widthPx, int heightPx, std::string* error) const = 0;
  virtual bool writePng(const std::string& path, int widthPx, int heightPx, std::string* error) const = 0;
};
using HostPicturePtr = std::shared_ptr<const HostPicture>;

using HostGateKey = std::uint64_t;  // 0: the gate cannot draw the entity

struct HostPictureOptions {
  HostPictureColor background{255, 255, 255};
  HostPictureColor foreground{0, 0, 0};
};

class HostNativeGate {
public:
  virtual ~HostNativeGate() = default;
  // Takes an entity for later pictures and gives the gate's key for it (the
  // same key every time for the same entity); 0 for a null identifier.
  virtual HostGateKey addEntity(OdDbObjectId entity) = 0;
  // Forgets entities that are about to go (their drawing is closing).
  virtual void releaseEntities(const std::vector<HostGateKey>& keys) = 0;
  // Draws the entities of the keys, in order, into a picture. Unknown keys
  // and entities that cannot be opened are skipped. The entities are read
  // as they are: dimensions are drawn through their blocks as built.
  virtual HostPicturePtr renderPicture(const std::vector<HostGateKey>& keys,
                                       const HostPictureOptions& options = {}) = 0;
};

// Set by the host while it offers the gate; null otherwise.
extern HostNativeGate* gpQrNativeGate;
