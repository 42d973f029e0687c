#include "OdCmColor.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr OdUInt32 pack(OdCmColor::ColorMethod m, OdUInt32 low) {
  return (OdUInt32(m) << 24) | (low & 0xFFFFFF);
}
}  // namespace

OdCmColor::OdCmColor(ColorMethod method) { setColorMethod(method); }

OdCmColor OdCmColor::fromIndex(OdInt16 index) {
  OdCmColor c;
  c.setColorIndex(index);
  return c;
}

OdCmColor OdCmColor::fromRGB(OdUInt8 r, OdUInt8 g, OdUInt8 b) {
  OdCmColor c;
  c.setRGB(r, g, b);
  return c;
}

void OdCmColor::setColorMethod(ColorMethod method) {
  switch (method) {
    case kByACI: m_value = pack(kByACI, 7); break;
    case kByColor: m_value = pack(kByColor, 0); break;
    default: m_value = pack(method, 0); break;
  }
}

void OdCmColor::setColorIndex(OdInt16 index) {
  if (index == 0)
    m_value = pack(kByBlock, 0);
  else if (index == 256)
    m_value = pack(kByLayer, 0);
  else if (index == 257)
    m_value = pack(kNone, 0);
  else if (index >= 1 && index <= 255)
    m_value = pack(kByACI, OdUInt32(index));
  else if (index < 0 && index >= -255)  // a layer switched off keeps its colour negative
    m_value = pack(kByACI, OdUInt32(-index));
  else
    m_value = pack(kByACI, 7);
}

OdInt16 OdCmColor::colorIndex() const {
  switch (colorMethod()) {
    case kByBlock: return 0;
    case kByLayer: return 256;
    case kNone: return 257;
    case kForeground: return 7;
    case kByACI: return OdInt16(m_value & 0xFF);
    case kByColor: return nearestIndex(red(), green(), blue());
  }
  return 7;
}

void OdCmColor::setRGB(OdUInt8 r, OdUInt8 g, OdUInt8 b) {
  m_value = pack(kByColor, (OdUInt32(r) << 16) | (OdUInt32(g) << 8) | b);
}

OdUInt32 OdCmColor::rgb24() const {
  if (isByColor()) return m_value & 0xFFFFFF;
  OdUInt8 r = 255, g = 255, b = 255;
  if (isByACI()) paletteRGB(m_value & 0xFF, r, g, b);
  return (OdUInt32(r) << 16) | (OdUInt32(g) << 8) | b;
}

OdUInt8 OdCmColor::red() const { return OdUInt8(rgb24() >> 16); }
OdUInt8 OdCmColor::green() const { return OdUInt8(rgb24() >> 8); }
OdUInt8 OdCmColor::blue() const { return OdUInt8(rgb24()); }

const char* OdCmColor::primaryColorName(int index) {
  static const char* const kNames[] = {"red", "yellow", "green", "cyan", "blue", "magenta", "white"};
  return index >= 1 && index <= 7 ? kNames[index - 1] : nullptr;
}

OdString OdCmColor::colorNameForDisplay() const {
  char buf[32];
  switch (colorMethod()) {
    case kByLayer: return "BYLAYER";
    case kByBlock: return "BYBLOCK";
    case kForeground: return "Foreground";
    case kNone: return "None";
    case kByACI: {
      int i = int(m_value & 0xFF);
      if (const char* name = primaryColorName(i)) return name;
      std::snprintf(buf, sizeof buf, "Color %d", i);
      return buf;
    }
    case kByColor:
      std::snprintf(buf, sizeof buf, "%u,%u,%u", red(), green(), blue());
      return buf;
  }
  return "";
}

// The palette: 1..9 are fixed; 10..249 run through 24 hues in steps of 15
// degrees, each in five brightness levels at full and half saturation;
// 250..255 are greys.
void OdCmColor::paletteRGB(int index, OdUInt8& r, OdUInt8& g, OdUInt8& b) {
  static const OdUInt8 kFixed[10][3] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0},
                                        {0, 255, 0},   {0, 255, 255}, {0, 0, 255},
                                        {255, 0, 255}, {255, 255, 255}, {128, 128, 128},
                                        {192, 192, 192}};
  static const OdUInt8 kGreys[6] = {51, 91, 132, 173, 214, 255};
  if (index >= 0 && index <= 9) {
    r = kFixed[index][0], g = kFixed[index][1], b = kFixed[index][2];
    return;
  }
  if (index >= 250 && index <= 255) {
    r = g = b = kGreys[index - 250];
    return;
  }
  if (index < 10 || index > 255) {
    r = g = b = 255;
    return;
  }
  const int hueStep = (index - 10) / 10, variant = (index - 10) % 10;
  const double hue = hueStep * 15.0;
  // Full-saturation, full-value colour of that hue.
  double rgb[3];
  const double h6 = hue / 60.0;
  const int sector = int(h6) % 6;
  const double f = h6 - std::floor(h6);
  const double up = 255.0 * f, down = 255.0 * (1 - f);
  switch (sector) {
    case 0: rgb[0] = 255, rgb[1] = up, rgb[2] = 0; break;
    case 1: rgb[0] = down, rgb[1] = 255, rgb[2] = 0; break;
    case 2: rgb[0] = 0, rgb[1] = 255, rgb[2] = up; break;
    case 3: rgb[0] = 0, rgb[1] = down, rgb[2] = 255; break;
    case 4: rgb[0] = up, rgb[1] = 0, rgb[2] = 255; break;
    default: rgb[0] = 255, rgb[1] = 0, rgb[2] = down; break;
  }
  static const double kValue[5] = {1.0, 165.0 / 255, 127.0 / 255, 76.0 / 255, 38.0 / 255};
  const bool half = variant % 2 == 1;
  const double v = kValue[variant / 2];
  OdUInt8 out[3];
  for (int i = 0; i < 3; ++i) {
    double c = half ? 255.0 - (255.0 - rgb[i]) * 0.5 : rgb[i];
    out[i] = OdUInt8(std::floor(c * v + 1e-9));
  }
  r = out[0], g = out[1], b = out[2];
}

OdInt16 OdCmColor::nearestIndex(OdUInt8 r, OdUInt8 g, OdUInt8 b) {
  int best = 7;
  long bestDist = -1;
  for (int i = 1; i <= 255; ++i) {
    OdUInt8 pr, pg, pb;
    paletteRGB(i, pr, pg, pb);
    long d = long(pr - r) * (pr - r) + long(pg - g) * (pg - g) + long(pb - b) * (pb - b);
    if (bestDist < 0 || d < bestDist) bestDist = d, best = i;
    if (d == 0) break;
  }
  return OdInt16(best);
}
