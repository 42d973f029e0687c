#include "drawing_io.h"

#include <cstdlib>
#include <filesystem>

#include "OdDbDatabase.h"
#include "OdResult.h"
#include "host_log.h"

namespace {

struct DrawingIO {
  HostDrawingReader reader;
  HostDrawingWriter writer;
};

DrawingIO& io() {
  static DrawingIO s;
  return s;
}

}  // namespace

std::string hostDrawingPath(const std::string& typed) {
  std::string text = typed;
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  if (text.rfind("~/", 0) == 0)
    if (const char* home = std::getenv("HOME")) text = std::string(home) + text.substr(1);
  std::filesystem::path p(text);
  if (!p.has_extension()) p += ".dxf";
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(p, ec);
  return (ec ? p : absolute.lexically_normal()).string();
}

std::string hostSaveVersionName(const std::string& typed) {
  std::string upper;
  for (char c : typed) upper += char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const char* v : {"R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"})
    if (upper == v) return v;
  return {};
}

void hostSetDrawingIO(HostDrawingReader reader, HostDrawingWriter writer) {
  io().reader = std::move(reader);
  io().writer = std::move(writer);
}

bool hostCanReadDrawings() { return static_cast<bool>(io().reader); }
bool hostCanWriteDrawings() { return static_cast<bool>(io().writer); }

std::unique_ptr<OdDbDatabase> hostReadDrawing(const std::string& path, HostDrawingRead& read) {
  if (!io().reader) throw OdError(eNotImplemented, "this build of the host cannot read drawing files");
  std::unique_ptr<OdDbDatabase> db = io().reader(path, read);
  if (!db) throw OdError(eBadDxfFile, "the file gave no drawing: " + path);
  return db;
}

std::unique_ptr<OdDbDatabase> hostReadDrawing(const std::string& path) {
  HostDrawingRead read;
  std::unique_ptr<OdDbDatabase> db = hostReadDrawing(path, read);
  for (const std::string& w : read.warnings) hostTraceWarning("host/files", __LINE__, path + ": " + w);
  return db;
}

void hostWriteDrawing(const OdDbDatabase& db, const std::string& path, HostDrawingSave& save) {
  if (!io().writer) throw OdError(eNotImplemented, "this build of the host cannot write drawing files");
  io().writer(db, path, save);
}
