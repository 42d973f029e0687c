#pragma once
// Writes a drawing database as DXF text (see DxfDrawingIO.h).
#include <string>
#include <string_view>
#include <vector>

#include "DxfVersion.h"

class OdDbDatabase;

// The text of a drawing file as pieces: ranges of the file the drawing was
// read from (unchanged objects) and text written anew. Saving writes the
// pieces in order, so a big drawing is never copied together in memory.
// The pieces refer to the drawing's file source: keep the drawing alive.
class DxfDrawingText {
public:
  std::vector<std::string_view> pieces() const;
  std::string join() const;

  struct Piece {
    enum Kind : unsigned char { Source, Generated, Header } kind;
    std::size_t begin, end;
  };
  std::string generated, header;
  std::vector<Piece> list;
  std::string_view source;
};

// The file text of `db` in `version` (R12, R2000 to R2018). Objects read
// from a file and unchanged since are copied from it; the rest is written
// anew. `lossNote` gets what the version cannot hold ("Not kept in R12:
// ..."), empty when nothing. Throws DxfError or OdError when the drawing
// cannot be written.
DxfDrawingText dxfWriteDrawing(const OdDbDatabase& db, DxfVersion version, std::string* lossNote = nullptr);
