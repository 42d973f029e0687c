#pragma once
// Compares a picture with its reference (FOLDER/NAME.png under the source
// tree), allowing for anti-aliasing and font rounding: at most 0.05% of the
// pixels (a few dozen) may differ by more than a quarter of the colour
// range, fewer than one missing or moved character takes. A picture
// changed on purpose is renewed by running the test with
// DDS_RENEW_PICTURES=1, which writes the references instead of comparing;
// look at them before committing. On a mismatch the picture is left in the
// build folder as NAME-actual.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "raster_image.h"

inline void expectLikeReference(const render::Image& image, const std::string& folder, const std::string& name) {
  const std::string reference = std::string(DDS_SOURCE_DIR) + "/" + folder + "/" + name + ".png";
  std::string error;
  if (const char* renew = std::getenv("DDS_RENEW_PICTURES"); renew && *renew) {
    EXPECT_TRUE(render::writePngFile(image, reference, &error)) << error;
    return;
  }
  render::Image expected;
  ASSERT_TRUE(render::readPngFile(reference, expected, &error))
      << error << " (DDS_RENEW_PICTURES=1 makes the reference pictures)";
  const std::string actual = std::string(DDS_BINARY_DIR) + "/" + name + "-actual.png";
  ASSERT_EQ(image.width, expected.width) << name;
  ASSERT_EQ(image.height, expected.height) << name;
  std::size_t differing = 0;
  for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    int worst = 0;
    for (std::size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(image.rgb[i + c]) - int(expected.rgb[i + c])));
    if (worst > 64) ++differing;
  }
  const std::size_t allowed = std::size_t(image.width) * image.height / 2000;
  if (differing > allowed) render::writePngFile(image, actual, &error);
  EXPECT_LE(differing, allowed) << name << " differs from " << reference << " in " << differing
                                << " pixels; the picture is " << actual;
}
