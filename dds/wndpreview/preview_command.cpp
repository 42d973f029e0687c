#include "preview_command.h"

#include <cctype>

#include "documents.h"
#include "editor_input.h"
#include "host_context.h"
#include "host_entry.h"
#include "text_format.h"
#include "dlgdimstyle/style_store.h"
#include "stdafx/host_access.h"
#include "stdafx/module_command.h"
#include "stdafx/module_log.h"
#include "stdafx/module_resources.h"
#include "style_preview.h"

namespace dds {
namespace {

constexpr const char* kSrcPreviewCommand = "dds/wndpreview";
// Pictures are written this wide; the height follows the picture.
constexpr int kPictureWidthPx = 800;

enum class PictureFormat { kNone, kSvg, kPng };

PictureFormat formatOf(const std::string& path) {
  auto endsWith = [&](const char* ext) {
    const std::size_t n = std::char_traits<char>::length(ext);
    if (path.size() <= n) return false;
    for (std::size_t i = 0; i < n; ++i)
      if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != ext[i]) return false;
    return true;
  };
  if (endsWith(".svg")) return PictureFormat::kSvg;
  if (endsWith(".png")) return PictureFormat::kPng;
  return PictureFormat::kNone;
}

// A whole number 0..6, nothing else.
bool parseKind(const OdString& text, int& kind) {
  if (text.size() != 1 || text[0] < '0' || text[0] >= char('0' + kPreviewKindCount)) return false;
  kind = text[0] - '0';
  return true;
}


}  // namespace

bool writeStylePreview(OdDbDatabase* db, const OdString& styleName, int kind, const std::string& path,
                       std::string* error) {
  auto fail = [&](const OdString& why) {
    if (error) *error = why;
    return false;
  };
  if (!db) return fail(translate("No drawing is open."));
  if (kind < 0 || kind >= kPreviewKindCount) return fail(translate("The kind must be a whole number from 0 to 6."));
  const PictureFormat format = formatOf(path);
  if (format == PictureFormat::kNone) return fail(translate("The file name must end in .svg or .png."));
  try {
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
    const OdDbObjectId id = table->getAt(styleName);
    if (id.isNull())
      return fail(hostFormat(translate("No dimension style named \"%s\".").c_str(), styleName.c_str()));
    OdDbDimStyleTableRecordPtr record = id.safeOpenObject();
    StylePreview preview(db);
    if (!preview.sampleDatabase()) return fail(translate("The preview could not make its sample drawing."));
    preview.showStyle(kind, record.get());
    HostPicturePtr picture = preview.picture();
    if (!picture) return fail(translate("This host cannot draw pictures."));
    std::string why;
    const bool written = format == PictureFormat::kSvg ? picture->writeSvg(path, kPictureWidthPx, 0, &why)
                                                       : picture->writePng(path, kPictureWidthPx, 0, &why);
    if (!written) return fail(hostFormat(translate("Cannot write \"%s\": %s").c_str(), path.c_str(), why.c_str()));
    return true;
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreviewCommand, e.description());
    return fail(e.description());
  }
}

void runPreviewCommand() {
  OdDbDatabase* db = currentDatabase();
  HostEdInput* input = currentEditorInput();
  if (!db || !input) {
    DDS_LOG_ERROR(kSrcPreviewCommand, "No current database");
    return;
  }
  const OdString current = currentStyleName(db);
  OdString name;
  int r = input->getString(translate("Dimension style to preview") + " <" + current + ">:", OdString(),
                           kPromptEmptyAllowed | kPromptBlanksAllowed, name);
  if (r == kPromptCancelled) return;
  if (r == kPromptEnter) name = current;

  OdDbObjectId style;
  try {
    OdDbDimStyleTablePtr table = db->getDimStyleTableId().safeOpenObject();
    style = table->getAt(name);
  } catch (const OdError& e) {
    DDS_LOG_ERROR(kSrcPreviewCommand, e.description());
    return;
  }
  if (style.isNull()) {
    input->print(hostFormat(translate("No dimension style named \"%s\".").c_str(), name.c_str()));
    return;
  }
  ChildStyleInfo child;
  parseChildStyle(style, &child);
  const int defaultKind = std::max(0, previewKindOfChildDigit(child.digit));

  OdString kindText;
  r = input->getString(
      translate("Kind (0 all, 1 linear, 2 diameter, 3 radius, 4 angular, 5 ordinate, 6 leader)") + " <" +
          std::to_string(defaultKind) + ">:",
      OdString(), kPromptEmptyAllowed, kindText);
  if (r == kPromptCancelled) return;
  int kind = defaultKind;
  if (r == kPromptText && !parseKind(kindText, kind)) {
    input->print(translate("The kind must be a whole number from 0 to 6."));
    return;
  }

  OdString path;
  r = input->getString(translate("Picture file (.svg or .png):"), OdString(), kPromptBlanksAllowed, path);
  if (r != kPromptText) return;

  std::string error;
  if (!writeStylePreview(db, name, kind, path, &error)) {
    input->print(error);
    return;
  }
  input->print(hostFormat(translate("Written \"%s\".").c_str(), path.c_str()));
}

HRESULT registerPreviewCommand() { return registerModuleCommand(u"DIMPREVIEW", &runPreviewCommand, kSrcPreviewCommand); }

}  // namespace dds
