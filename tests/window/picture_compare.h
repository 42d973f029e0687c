#pragma once
// Pictures of the window compared with the reference pictures kept beside
// the tests: the share of pixels that differ clearly (anti-aliasing and
// font hinting differ a little between machines).
#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace picturetest {

inline double differingShare(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  long differing = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      const int d = std::max({std::abs(qRed(p[col]) - qRed(q[col])), std::abs(qGreen(p[col]) - qGreen(q[col])),
                              std::abs(qBlue(p[col]) - qBlue(q[col]))});
      if (d > 48) ++differing;
    }
  }
  return double(differing) / (double(x.width()) * x.height());
}

// Whether DDS_RENEW_PICTURES asks for the references to be written anew.
inline bool renewPictures() { return std::getenv("DDS_RENEW_PICTURES") != nullptr; }

}  // namespace picturetest
