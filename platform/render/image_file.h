#pragma once
// Pictures that drawings show from files of their own (IMAGE entities):
// where such a file is, and its pixels. PNG is always read; JPEG when the
// build found libjpeg.
#include <memory>
#include <string>

#include "display_list.h"

namespace render {

// Bigger pictures are not read: their pixels alone would take a quarter of
// a gigabyte.
constexpr long long kMaxImagePixels = 64LL * 1000 * 1000;

// The file an image definition names (`fileName`, with either kind of
// slash) for a drawing read from `drawingPath`: relative to the drawing's
// folder, then as named when that is an absolute path, then by its base
// name in the drawing's folder.
// Empty when none of these is a regular file.
std::string findImageFile(const std::string& fileName, const std::string& drawingPath);

// The pixels of a PNG or JPEG file; null with the reason in `error` when
// it cannot be read, is of another format or is larger than
// kMaxImagePixels. `transparent` false makes every pixel opaque. Pictures
// read are shared while someone holds them, so a picture drawn in several
// places is read once.
std::shared_ptr<const ImagePixels> readImageFile(const std::string& path, bool transparent, std::string& error);

// Pixels (rows top to bottom, `channels` bytes a pixel: 3 RGB, 4 RGBA) as
// a PNG file's bytes; empty when the encoder fails.
std::string encodePng(int width, int height, int channels, const std::uint8_t* data);
inline std::string encodePng(const ImagePixels& p) { return encodePng(p.width, p.height, 4, p.rgba.data()); }

}  // namespace render
