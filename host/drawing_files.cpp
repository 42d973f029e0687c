#include "drawing_files.h"

#include <cstdlib>
#include <filesystem>
#include <map>

#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimBlockRefresh.h"
#include "OdDbDimension.h"
#include "file_output.h"
#include "documents.h"
#include "drawing_io.h"
#include "host_log.h"
#include "host_text.h"
#include "host_texts_local.h"
#include "translation.h"
#include "text_format.h"

#ifdef QRVHOST_HAVE_RENDER
#include "image_file.h"
#include "renderer.h"
#endif

namespace fs = std::filesystem;

namespace qrvhost {

std::string drawingPath(const std::string& typed) { return hostDrawingPath(typed); }

HostApDocument* findOpenDrawing(const HostApDocManager& documents, const std::string& path) {
  std::error_code ec;
  const fs::path wanted = fs::weakly_canonical(path, ec);
  for (HostApDocument* doc : documents.documents())
    for (const std::string& file : {doc->fileName(), doc->convertedFrom()}) {
      if (file.empty()) continue;
      std::error_code ec2;
      if (fs::weakly_canonical(file, ec2) == wanted) return doc;
    }
  return nullptr;
}

HostApDocument* openDrawingFile(HostApDocManager& documents, const std::string& path, std::string& error,
                                std::vector<std::string>* warnings) {
  HostDrawingRead read;
  HostApDocument* doc = openDrawingFile(documents, path, error, read);
  if (warnings) warnings->insert(warnings->end(), read.warnings.begin(), read.warnings.end());
  return doc;
}

std::string notDrawnInModelSpace(OdDbDatabase& db) {
#ifdef QRVHOST_HAVE_RENDER
  // Said once when the drawing opens, so that a picture that looks whole
  // is not taken for the drawing; EXPORT says it again for blocks too.
  std::map<std::string, int> notDrawn;
  OdDbBlockTableRecordPtr space = db.getModelSpaceId().safeOpenObject();
  for (auto it = space->newIterator(); !it->done(); it->step()) {
    OdDbEntityPtr e = it->entity();
    // Kept-as-read entities whose description has something to draw are
    // drawn; an image's picture only when its file is there.
    if (OdDbHatchShapePtr shape = e->hatchShape(); shape && shape->drawable()) {
      if (shape->image && shape->image->shown() && render::findImageFile(shape->image->fileName, db.filePath()).empty())
        ++notDrawn[render::kImageFileNotShown];
      continue;
    }
    if (e->oldPolyline() || e->multiLeader() || e->attributeDefinition()) continue;  // kept as read, drawn from its record
    if (const OdString type = e->foreignType(); !type.empty()) ++notDrawn[type];
  }
  return render::notDrawnText(notDrawn, hostLanguage() == HostLanguage::kRussian);
#else
  (void)db;
  return std::string();
#endif
}

std::vector<std::string> readingNotes(const HostDrawingRead& read) {
  std::vector<std::string> notes = read.warnings;
  if (!read.notDrawn.empty())
    notes.push_back(hostFormat(localText(LocalText::kPictureNotDrawn).c_str(), read.notDrawn.c_str()).c_str());
  if (read.recover)
    notes.push_back(hostFormat(hostText(HostText::kRecoverSummary).c_str(), int(read.repairs),
                               int(read.dropped)).c_str());
  else if (read.repaired)
    notes.push_back(hostText(HostText::kReadRepaired).c_str());
  return notes;
}

HostApDocument* openDrawingFile(HostApDocManager& documents, const std::string& path, std::string& error,
                                HostDrawingRead& read) {
  std::unique_ptr<OdDbDatabase> db;
  // Taken before reading: a change made while reading counts as one.
  const std::string stamp = hostFileStamp(path);
  try {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw OdError(eFileNotFound, "no such file");
    // A named pipe or a device would be read forever, or never answer.
    if (const std::string why = hostWhyNotAFileTarget(path); !why.empty()) throw OdError(eFileAccessErr, why);
    db = hostReadDrawing(path, read);
  } catch (const OdError& e) {
    error = e.description();
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!db) {
    hostTraceWarning("host/files", __LINE__, "cannot open " + path + ": " + error);
    return nullptr;
  }
  for (const std::string& note : read.warnings) hostTraceWarning("host/files", __LINE__, path + ": " + note);
  read.notDrawn = notDrawnInModelSpace(*db);
  const std::string title = fs::path(path).filename().string();
  if (read.converted) {
    // A drawing converted from DWG has no file of its own yet: the first
    // save asks for a DXF name, and the DWG is never written over.
    HostApDocument* doc = documents.addDocument(std::move(db), "", title);
    doc->setConvertedFrom(path);
    doc->setSavesBinary(false);
    doc->setSaveVersion(read.version);
    doc->markChanged();
    return doc;
  }
  HostApDocument* doc = documents.addDocument(std::move(db), path, title);
  doc->markSaved(path);
  doc->setFileStamp(stamp);
  doc->setSavesBinary(read.binary);
  doc->setSaveVersion(read.version);
  // Values reading replaced, and repairs a save writes, are changes the
  // user has not saved yet.
  if (doc->database()->changedSinceLoading() || read.repaired) doc->markChanged();
  return doc;
}

std::vector<std::string> refreshDimensionBlocks(OdDbDatabase& db) {
  OdDbDimBlockRefresh rule;
  rule.keepBlocksAsRead = true;
  std::vector<std::string> failures;
  // A dimension that cannot be built keeps the block it has; the file stays readable.
  for (const OdDbDimBlockFailure& f : odDbRefreshDimensionBlocks(&db, rule).failures)
    failures.push_back(hostFormat(hostText(HostText::kDimensionKeepsBlock).c_str(),
                                  f.dimension.getHandle().ascii().c_str(), f.reason.c_str()));
  return failures;
}

bool saveDrawingFile(HostApDocument& doc, const std::string& path, std::string& error,
                     std::vector<std::string>* dimensionFailures) {
  try {
    const std::vector<std::string> failures = refreshDimensionBlocks(*doc.database());
    for (const std::string& f : failures) hostTraceWarning("host/files", __LINE__, f);
    if (dimensionFailures) *dimensionFailures = failures;
    HostDrawingSave save;
    save.binary = doc.savesBinary();
    save.version = doc.saveVersion();
    hostWriteDrawing(*doc.database(), path, save);
    if (dimensionFailures && !save.note.empty()) dimensionFailures->push_back(save.note);
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
  doc.setFileStamp(hostFileStamp(path));
  return true;
}

bool fileChangedOnDisk(const HostApDocument& doc, const std::string& path) {
  if (doc.fileStamp().empty() || doc.fileName().empty()) return false;
  std::error_code ec, ec2;
  if (fs::weakly_canonical(doc.fileName(), ec) != fs::weakly_canonical(path, ec2)) return false;
  const std::string now = hostFileStamp(path);
  return !now.empty() && now != doc.fileStamp();
}

}  // namespace qrvhost
