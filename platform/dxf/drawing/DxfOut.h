#pragma once
// A writer bound to the target file's version and text encoding.
#include <string>
#include <string_view>

#include "DxfCodePage.h"
#include "DxfWriter.h"
#include "OdDbObjectId.h"
#include "OdGePoint3d.h"

struct DxfOut {
  DxfWriter& w;
  DxfVersion version;
  DxfCodePage codePage;

  // UTF-8 text in the file's encoding.
  void str(int code, std::string_view utf8) {
    if (dxfTextIsPlain(utf8))
      w.text(code, utf8);
    else
      w.text(code, dxfEncodeText(utf8, codePage));
  }
  void point(int code, const OdGePoint3d& p, bool withZ = true) {
    w.real(code, p.x);
    w.real(code + 10, p.y);
    if (withZ) w.real(code + 20, p.z);
  }
  void vector(int code, const OdGeVector3d& v) {
    w.real(code, v.x);
    w.real(code + 10, v.y);
    w.real(code + 20, v.z);
  }
  void handle(int code, OdDbObjectId id) { w.handle(code, id.isNull() ? 0 : id.getHandle().value()); }
};
