#pragma once
// Pictures as PDF documents: one page with the display list scaled to fit,
// all of it vector paths (text as its glyph outlines, filled). Text that
// Latin-1 can spell is also laid invisibly over its outlines, so that
// viewers can search and copy it.
#include <string>

#include "display_list.h"

namespace render {

struct PdfOptions {
  // The page in points (1/72 inch); A4 landscape by default.
  double pageWidthPt = 842;
  double pageHeightPt = 595;
  double marginPt = 24;
};

std::string pdfDocument(const DisplayList& list, const PdfOptions& options = {});
// Writes the document atomically; false with a message in *error when the
// file cannot be written.
bool writePdfFile(const DisplayList& list, const std::string& path, const PdfOptions& options = {},
                  std::string* error = nullptr);

}  // namespace render
