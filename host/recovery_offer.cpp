#include "recovery_offer.h"

#include "OdDbDatabase.h"
#include "console.h"
#include "documents.h"
#include "drawing_io.h"
#include "host_services.h"
#include "host_texts_local.h"
#include "recovery_files.h"
#include "text_format.h"

namespace qrvhost {

void offerLeftDrawings(RecoveryKeeper& keeper, HostServices& services,
                       const std::function<bool(const std::string& question)>& ask) {
  const std::vector<LeftDrawing> left = keeper.leftBehind();
  if (left.empty()) return;
  std::string names;
  for (const LeftDrawing& d : left) names += (names.empty() ? "\"" : ", \"") + d.title + "\"";
  const bool accepted =
      ask(hostFormat(localText(LocalText::kRecoveryOffer).c_str(), int(left.size()), names.c_str()).c_str());
  if (accepted) {
    HostApDocManager& documents = services.documents();
    for (const LeftDrawing& d : left) {
      try {
        HostDrawingRead read;
        std::unique_ptr<OdDbDatabase> db = hostReadDrawing(d.recoveryFile, read);
        HostApDocument* doc = documents.addDocument(std::move(db), d.fileName, d.title);
        if (!d.fileName.empty()) doc->markSaved(d.fileName);
        doc->markChanged();
        services.console().print(
            hostFormat(localText(LocalText::kRecovered).c_str(), hostEscapeControls(d.title).c_str()));
      } catch (const std::exception& e) {
        // Kept for another try: only what was opened or declined goes.
        services.console().print(
            hostFormat(localText(LocalText::kRecoveryCannotOpen).c_str(), hostEscapeControls(d.title).c_str(),
                       e.what()));
        return;
      }
    }
  }
  keeper.forgetLeftBehind();
}

}  // namespace qrvhost
