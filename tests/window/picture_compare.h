#pragma once
// Pictures of the window compared with the reference pictures kept beside
// the tests: the share of pixels that differ clearly (anti-aliasing and
// font hinting differ a little between machines).
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <string>

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

// The picture matches FOLDER/NAME under the source tree (written there
// anew when asked); a copy stays in the build folder to be looked at.
inline void expectLikeReference(const QImage& picture, const std::string& folder, const std::string& name) {
  const QString reference = QString::fromStdString(std::string(DDS_SOURCE_DIR) + "/" + folder + "/" + name);
  picture.save(QString::fromStdString(std::string(DDS_BINARY_DIR) + "/" + name));
  if (renewPictures()) picture.save(reference);
  const QImage expected(reference);
  ASSERT_EQ(expected.size(), picture.size()) << "no reference picture; DDS_RENEW_PICTURES=1 makes it";
  EXPECT_LT(differingShare(picture, expected), 0.005);
}

}  // namespace picturetest
