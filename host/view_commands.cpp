// ZOOM and SNAPSHOT: the main window's view from the command line.
#include <cctype>
#include <string>

#include "OdDbDatabase.h"
#include "command_processor.h"
#include "documents.h"
#include "editor_input.h"
#include "file_output.h"
#include "host_commands.h"
#include "host_texts_local.h"
#include "main_window_link.h"
#include "text_format.h"

#ifdef QRVHOST_HAVE_RENDER
#include "drawing_picture.h"
#include "host_error.h"
#include "raster_image.h"
#include "renderer.h"
#endif

namespace qrvhost {

namespace {

// The console's picture of the view: the size the window opens at.
constexpr int kViewWidthPx = 1280, kViewHeightPx = 800;

const TwoLanguageText kZoomPrompt{"Enter a zoom option [%s] <Extents>:", "Задайте режим зумирования [%s] <Границы>:"};
const TwoLanguageText kZoomKeywords{"Extents *Extents", "Границы *Extents"};
const TwoLanguageText kNoView{"There is no drawing view to zoom (the console shows none).",
                              "Нет вида чертежа для зумирования (в консоли его нет)."};
const TwoLanguageText kSnapshotPrompt{"Picture file (.png):", "Файл рисунка (.png):"};
const TwoLanguageText kSnapshotBadName{"The file name must end in .png.", "Имя файла должно оканчиваться на .png."};

bool endsWithPng(const std::string& name) {
  if (name.size() < 5) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".png";
}

}  // namespace

void commandZoom(CommandProcessor& cp) {
  const int r = cp.input().getKeyword(inSessionLanguage(kZoomPrompt), inSessionLanguage(kZoomKeywords),
                                      kPromptHasDefault);
  if (r == kPromptCancelled) return;
  if (MainWindowLink* window = mainWindow())
    window->zoomExtents();
  else
    cp.input().print(inSessionLanguage(kNoView));
}

void commandSnapshot(CommandProcessor& cp) {
  OdString path;
  if (cp.input().getString(inSessionLanguage(kSnapshotPrompt), "", kPromptBlanksAllowed, path) != kPromptText)
    return;
  if (!endsWithPng(path)) {
    cp.input().print(inSessionLanguage(kSnapshotBadName));
    return;
  }
  auto refuse = [&](const std::string& why) {
    const OdString line =
        hostFormat(localText(LocalText::kPictureCannotWrite).c_str(), hostEscapeControls(path).c_str(), why.c_str());
    cp.input().print(line);
    cp.noteRefused(line);
  };
  if (const std::string why = hostWhyNotAFileTarget(path); !why.empty()) return refuse(why);
  std::string error;
  if (MainWindowLink* window = mainWindow()) {
    if (!window->snapshot(path, error)) return refuse(error);
  } else {
#ifdef QRVHOST_HAVE_RENDER
    HostApDocument* doc = cp.requireDocument();
    if (!doc) return;
    render::RasterOptions options;
    options.widthPx = kViewWidthPx;
    options.heightPx = kViewHeightPx;
    render::RenderReport report;
    render::DisplayList picture;
    try {
      picture = drawingPicture(doc->database(), doc->database()->getCTAB(), report);
    } catch (const HostError& e) {
      return refuse(e.what());
    }
    if (report.workLimitReached) return refuse(localText(LocalText::kPictureTooComplex));
    if (!render::writePngFile(render::rasterize(picture, options), path, &error)) return refuse(error);
#else
    return cp.input().print(localText(LocalText::kNoPictures));
#endif
  }
  cp.input().print(hostFormat(localText(LocalText::kPictureWritten).c_str(), hostEscapeControls(path).c_str()));
}

}  // namespace qrvhost
