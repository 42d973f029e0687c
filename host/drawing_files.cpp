#include "drawing_files.h"

#include <cstdlib>
#include <filesystem>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimension.h"
#include "documents.h"
#include "drawing_io.h"
#include "host_log.h"

namespace fs = std::filesystem;

namespace qrvhost {

std::string drawingPath(const std::string& typed) { return hostDrawingPath(typed); }

HostApDocument* findOpenDrawing(const HostApDocManager& documents, const std::string& path) {
  std::error_code ec;
  const fs::path wanted = fs::weakly_canonical(path, ec);
  for (HostApDocument* doc : documents.documents()) {
    if (doc->fileName().empty()) continue;
    std::error_code ec2;
    if (fs::weakly_canonical(doc->fileName(), ec2) == wanted) return doc;
  }
  return nullptr;
}

HostApDocument* openDrawingFile(HostApDocManager& documents, const std::string& path, std::string& error) {
  std::unique_ptr<OdDbDatabase> db;
  try {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw OdError(eFileNotFound, "no such file");
    if (fs::is_directory(path, ec)) throw OdError(eFileAccessErr, "it is a folder");
    db = hostReadDrawing(path);
  } catch (const OdError& e) {
    error = e.description();
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!db) {
    hostTraceWarning("host/files", __LINE__, "cannot open " + path + ": " + error);
    return nullptr;
  }
  const std::string title = fs::path(path).filename().string();
  HostApDocument* doc = documents.addDocument(std::move(db), path, title);
  doc->markSaved(path);
  return doc;
}

void refreshDimensionBlocks(OdDbDatabase& db) {
  OdDbBlockTablePtr blocks = db.getBlockTableId().safeOpenObject();
  for (auto b = blocks->newIterator(); !b->done(); b->step()) {
    OdDbBlockTableRecordPtr block = b->getRecord();
    if (block->isAnonymous() && !block->isLayout()) continue;  // geometry blocks hold no dimensions
    for (auto e = block->newIterator(); !e->done(); e->step()) {
      OdDbEntityPtr entity = e->entity();
      auto dim = OdDbDimension::cast(entity.get());
      if (!dim) continue;
      // A dimension read with its block keeps it until something changes.
      const bool stale = dim->isDimBlockOutOfDate() && dim->isModifiedSinceLoad();
      if (!dim->dimBlockId().isNull() && !stale) continue;
      dim->upgradeOpen();
      dim->recomputeDimBlock();
    }
  }
}

bool saveDrawingFile(HostApDocument& doc, const std::string& path, std::string& error) {
  try {
    refreshDimensionBlocks(*doc.database());
    hostWriteDrawing(*doc.database(), path);
  } catch (const OdError& e) {
    error = e.description();
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!error.empty()) {
    hostTraceWarning("host/files", __LINE__, "cannot save " + path + ": " + error);
    return false;
  }
  doc.markSaved(path);
  return true;
}

}  // namespace qrvhost
