#include "image_file.h"

#include <png.h>
#ifdef QRV_HAVE_JPEG
#include <cstdio>
#include <jpeglib.h>
#endif

#include <csetjmp>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace render {
namespace {

namespace fs = std::filesystem;

bool isRegularFile(const fs::path& p) {
  std::error_code ec;
  return !p.empty() && fs::is_regular_file(p, ec);
}

std::string tooLarge(long long w, long long h) {
  return "the picture is " + std::to_string(w) + " x " + std::to_string(h) + " pixels, more than the " +
         std::to_string(kMaxImagePixels / 1000000) + " million pixels drawn";
}

std::shared_ptr<ImagePixels> readPng(const std::string& path, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    error = png.message;
    return nullptr;
  }
  if (static_cast<long long>(png.width) * png.height > kMaxImagePixels) {
    error = tooLarge(png.width, png.height);
    png_image_free(&png);
    return nullptr;
  }
  png.format = PNG_FORMAT_RGBA;
  auto out = std::make_shared<ImagePixels>();
  out->width = int(png.width);
  out->height = int(png.height);
  out->rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, out->rgba.data(), 0, nullptr)) {
    error = png.message;
    png_image_free(&png);
    return nullptr;
  }
  return out;
}

#ifdef QRV_HAVE_JPEG
// libjpeg reports errors through a callback that must not return.
struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX];
};

// Only C state lives in this frame across setjmp: a longjmp back here
// must not skip a destructor. `out` and `row` belong to the caller.
bool decodeJpeg(std::FILE* file, ImagePixels& out, std::vector<std::uint8_t>& row, std::string& error) {
  jpeg_decompress_struct jpeg{};
  JpegErrors errors{};
  jpeg.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = [](j_common_ptr info) {
    auto* e = reinterpret_cast<JpegErrors*>(info->err);
    e->base.format_message(info, e->message);
    std::longjmp(e->back, 1);
  };
  // Warnings (a file cut short reads as far as it goes) are not printed.
  errors.base.output_message = [](j_common_ptr) {};
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&jpeg);
    error = errors.message;
    return false;
  }
  jpeg_create_decompress(&jpeg);
  jpeg_stdio_src(&jpeg, file);
  jpeg_read_header(&jpeg, TRUE);
  if (static_cast<long long>(jpeg.image_width) * jpeg.image_height > kMaxImagePixels) {
    jpeg_destroy_decompress(&jpeg);
    error = tooLarge(jpeg.image_width, jpeg.image_height);
    return false;
  }
  // Grey and colour pictures are read as RGB; the decoder gives CMYK ones
  // only as they are, so their inks are taken off white here.
  const bool cmyk = jpeg.jpeg_color_space == JCS_CMYK || jpeg.jpeg_color_space == JCS_YCCK;
  jpeg.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  // Files with an Adobe marker (most CMYK ones) store the inks inverted.
  const bool inverted = jpeg.saw_Adobe_marker;
  jpeg_start_decompress(&jpeg);
  out.width = int(jpeg.output_width);
  out.height = int(jpeg.output_height);
  out.rgba.resize(std::size_t(out.width) * out.height * 4);
  const int n = cmyk ? 4 : 3;
  row.resize(std::size_t(out.width) * n);
  while (jpeg.output_scanline < jpeg.output_height) {
    const std::size_t y = jpeg.output_scanline;
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&jpeg, rows, 1);
    std::uint8_t* to = out.rgba.data() + y * out.width * 4;
    for (int x = 0; x < out.width; ++x) {
      const std::uint8_t* p = &row[std::size_t(n) * x];
      for (int c = 0; c < 3; ++c) {
        if (!cmyk) {
          to[4 * x + c] = p[c];
        } else {
          const int ink = inverted ? 255 - p[c] : p[c], black = inverted ? 255 - p[3] : p[3];
          to[4 * x + c] = std::uint8_t((255 - ink) * (255 - black) / 255);
        }
      }
      to[4 * x + 3] = 255;
    }
  }
  jpeg_finish_decompress(&jpeg);
  jpeg_destroy_decompress(&jpeg);
  return true;
}

std::shared_ptr<ImagePixels> readJpeg(const std::string& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = "the file cannot be opened";
    return nullptr;
  }
  auto out = std::make_shared<ImagePixels>();
  std::vector<std::uint8_t> row;
  const bool read = decodeJpeg(file, *out, row, error);
  std::fclose(file);
  return read ? out : nullptr;
}
#endif

// What the file's first bytes say it is.
enum class Format { kPng, kJpeg, kOther };

Format formatOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char head[8] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  if (in.gcount() >= 8 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return Format::kPng;
  if (in.gcount() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return Format::kJpeg;
  return Format::kOther;
}

struct CacheKey {
  std::string path;
  fs::file_time_type written;
  bool transparent;
  bool operator<(const CacheKey& o) const {
    return std::tie(path, written, transparent) < std::tie(o.path, o.written, o.transparent);
  }
};

}  // namespace

std::string findImageFile(const std::string& fileName, const std::string& drawingPath) {
  std::string name = fileName;
  for (char& c : name)
    if (c == '\\') c = '/';
  if (name.empty()) return {};
  const fs::path folder = drawingPath.empty() ? fs::path() : fs::path(drawingPath).parent_path();
  const fs::path named(name);
  if (!folder.empty() && named.is_relative() && isRegularFile(folder / named)) return (folder / named).string();
  if (named.is_absolute() && isRegularFile(named)) return named.string();
  // A name from another machine ("C:/scans/a.png") may still be beside
  // the drawing.
  const std::string base = name.substr(name.find_last_of('/') + 1);
  if (!folder.empty() && !base.empty() && isRegularFile(folder / base)) return (folder / base).string();
  return {};
}

std::shared_ptr<const ImagePixels> readImageFile(const std::string& path, bool transparent, std::string& error) {
  static std::mutex lock;
  static std::map<CacheKey, std::weak_ptr<const ImagePixels>> read;
  std::error_code ec;
  const CacheKey key{path, fs::last_write_time(path, ec), transparent};
  {
    std::lock_guard guard(lock);
    if (auto it = read.find(key); it != read.end())
      if (auto pixels = it->second.lock()) return pixels;
  }
  std::shared_ptr<ImagePixels> pixels;
  switch (formatOf(path)) {
    case Format::kPng: pixels = readPng(path, error); break;
    case Format::kJpeg:
#ifdef QRV_HAVE_JPEG
      pixels = readJpeg(path, error);
#else
      error = "JPEG pictures are not read by this build";
#endif
      break;
    case Format::kOther: error = "not a PNG or JPEG picture"; break;
  }
  if (!pixels) return nullptr;
  if (!transparent)
    for (std::size_t i = 3; i < pixels->rgba.size(); i += 4) pixels->rgba[i] = 255;
  std::lock_guard guard(lock);
  // Entries of pictures no one holds any more go as others come.
  for (auto it = read.begin(); it != read.end();) it = it->second.expired() ? read.erase(it) : std::next(it);
  read[key] = pixels;
  return pixels;
}

std::string encodePng(int width, int height, int channels, const std::uint8_t* data) {
  std::string bytes;
  if (width <= 0 || height <= 0 || (channels != 3 && channels != 4)) return bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    return bytes;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep chunk, png_size_t n) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<const char*>(chunk), n);
      },
      [](png_structp) {});
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
               channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(data + std::size_t(y) * width * channels));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

}  // namespace render
