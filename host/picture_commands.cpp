// EXPORT and DIMREGEN: the drawing as a picture, and its dimensions drawn
// again from their current values.
#include <cctype>
#include <cmath>
#include <string>
#include <vector>
#include <cstdarg>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimBlockRefresh.h"
#include "OdDbDimension.h"
#include "file_output.h"
#include "command_processor.h"
#include "documents.h"
#include "editor_input.h"
#include "host_commands.h"
#include "host_error.h"
#include "layout_names.h"
#include "host_log.h"
#include "host_texts_local.h"
#include "translation.h"
#include "host_text.h"
#include "text_format.h"

#ifdef QRVHOST_HAVE_RENDER
#include "drawing_picture.h"
#include "raster_image.h"
#include "renderer.h"
#include "pdf_writer.h"
#include "svg_writer.h"
#endif

namespace qrvhost {

namespace {

// Pictures are written this wide; the height follows the drawing.
constexpr int kPictureWidthPx = 800;

bool endsWithNoCase(const std::string& text, const char* ext) {
  const std::size_t n = std::char_traits<char>::length(ext);
  if (text.size() <= n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != ext[i]) return false;
  return true;
}

struct RecomputeCount {
  int done = 0;
  std::vector<std::pair<std::string, std::string>> failures;  // handle and reason, one per dimension
};

// Rebuilds the blocks of the dimensions of the drawing: all of them, or
// with `onlyOutOfDate` those that no longer show their values.
RecomputeCount recomputeDimensions(OdDbDatabase* db, bool onlyOutOfDate) {
  OdDbDimBlockRefresh rule;
  rule.all = !onlyOutOfDate;
  const OdDbDimBlockRefreshResult result = odDbRefreshDimensionBlocks(db, rule);
  RecomputeCount count;
  count.done = result.rebuilt;
  for (const OdDbDimBlockFailure& f : result.failures) {
    const std::string handle = f.dimension.getHandle().ascii();
    count.failures.emplace_back(handle, f.reason);
    hostTraceError("host/commands", __LINE__, "dimension " + handle + ": " + f.reason);
  }
  return count;
}

void sayFailures(CommandProcessor& cp, const RecomputeCount& count) {
  if (count.failures.empty()) return;
  cp.input().print(hostFormat(localText(LocalText::kRegenFailed).c_str(), int(count.failures.size())));
  for (const auto& [handle, why] : count.failures)
    cp.input().print(hostFormat(localText(LocalText::kRegenFailedOne).c_str(), (handle + ": " + why).c_str()));
}

#ifdef QRVHOST_HAVE_RENDER
bool finitePicture(const render::DisplayList& picture) {
  const render::Bounds& b = picture.bounds();
  // The size too: a picture 1e308 wide on each side has no scale to draw at.
  return b.empty() || (std::isfinite(b.width()) && std::isfinite(b.height()));
}
#endif

}  // namespace

void commandExport(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  OdString path;
  // The current tab unless the answer names another layout first.
  OdString layout = doc->database()->getCTAB();
  for (;;) {
    const int r = cp.input().getString(localText(LocalText::kPictureFilePrompt),
                                       localText(LocalText::kPictureKeywords), kPromptBlanksAllowed, path);
    if (r == kPromptText) break;
    if (r < kPromptKeyword) return;
    for (;;) {
      const OdString shown = hostLayoutCaption(layout);
      OdString answer;
      const int a = cp.input().getString(hostFormat(localText(LocalText::kLayoutPrompt).c_str(), shown.c_str()), "",
                                         kPromptBlanksAllowed | kPromptHasDefault, answer);
      if (a == kPromptCancelled) return;
      if (a != kPromptText) break;
      try {
        layout = hostLayoutNamed(doc->database(), answer);
        break;
      } catch (const HostError& e) {
        cp.input().refuse(e.what());
      }
    }
  }
  const bool svg = endsWithNoCase(path, ".svg"), pdf = endsWithNoCase(path, ".pdf");
  if (!svg && !pdf && !endsWithNoCase(path, ".png")) {
    cp.input().print(localText(LocalText::kPictureBadName));
    return cp.noteRefused(localText(LocalText::kPictureBadName));
  }
#ifdef QRVHOST_HAVE_RENDER
  auto refuse = [&](const std::string& why) {
    const OdString line =
        hostFormat(localText(LocalText::kPictureCannotWrite).c_str(), hostEscapeControls(path).c_str(), why.c_str());
    cp.input().print(line);
    cp.noteRefused(line);
  };
  if (const std::string why = hostWhyNotAFileTarget(path); !why.empty()) return refuse(why);
  OdDbDatabase* db = doc->database();
  // A dimension that cannot be drawn again from its values (a value no
  // builder can use, read from a file) is drawn with the block it has; the
  // rest of the drawing is not held back by it.
  for (const auto& [handle, why] : recomputeDimensions(db, true).failures)
    cp.input().print(hostFormat(hostText(HostText::kDimensionKeepsBlock).c_str(), handle.c_str(), why.c_str()));
  render::RenderReport report;
  render::DisplayList picture;
  try {
    picture = drawingPicture(db, layout, report);
  } catch (const HostError& e) {
    return refuse(e.what());
  }
  for (const OdString& block : report.cyclicBlocks)
    cp.input().print(hostFormat(localText(LocalText::kPictureCyclicBlock).c_str(), block.c_str()));
  if (report.workLimitReached) return refuse(localText(LocalText::kPictureTooComplex));
  if (!finitePicture(picture)) return refuse(localText(LocalText::kPictureNotFinite));
  std::string error;
  bool written = false;
  if (svg) {
    render::SvgOptions options;
    options.widthPx = kPictureWidthPx;
    written = render::writeSvgFile(picture, path, options, &error);
  } else if (pdf) {
    written = render::writePdfFile(picture, path, {}, &error);
  } else {
    render::RasterOptions options;
    options.widthPx = kPictureWidthPx;
    written = render::writePngFile(render::rasterize(picture, options), path, &error);
  }
  if (!written) return refuse(error);
  cp.input().print(hostFormat(localText(LocalText::kPictureWritten).c_str(), hostEscapeControls(path).c_str()));
  // What the picture could not show is said with it, never silently.
  if (const std::string left = render::notDrawnText(report.notDrawn, hostLanguage() == HostLanguage::kRussian);
      !left.empty())
    cp.input().print(hostFormat(localText(LocalText::kPictureNotDrawn).c_str(), left.c_str()));
#else
  cp.input().print(localText(LocalText::kNoPictures));
  cp.noteRefused(localText(LocalText::kNoPictures));
#endif
}

void commandDimRegen(CommandProcessor& cp) {
  HostApDocument* doc = cp.requireDocument();
  if (!doc) return;
  const RecomputeCount count = recomputeDimensions(doc->database(), false);
  cp.input().print(hostFormat(localText(LocalText::kRegenDone).c_str(), count.done));
  sayFailures(cp, count);
}

}  // namespace qrvhost
