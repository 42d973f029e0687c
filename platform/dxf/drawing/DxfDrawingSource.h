#pragma once
// What reading keeps of a file, attached to the drawing (OdDbDatabase::
// fileSource): the file itself, which object each record became, and the
// state of the modelled header variables and record names as read, against
// which writing decides what changed.
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "DxfDocument.h"
#include "OdDbObjectId.h"

struct DxfDrawingSource {
  explicit DxfDrawingSource(DxfDocument d) : doc(std::move(d)) {}

  DxfDocument doc;
  // Per record: the object it was read into. BLOCK and ENDBLK records map to
  // their block table record; ENDTAB and section ends to nothing.
  std::vector<OdDbObjectId> objects;
  // Per record: whether it was read as an unmodelled (raw) object.
  std::vector<bool> raw;
  // Block table record -> its BLOCK and ENDBLK records.
  std::unordered_map<OdDbStub*, std::pair<std::size_t, std::size_t>> blockRecords;
  // Symbol table records and their names as read: a record renamed since
  // makes every record that names it be written anew.
  std::vector<std::pair<OdDbObjectId, std::string>> names;
  // The file text of each modelled header variable, as this layer would
  // write it for the values read: unchanged values keep the original text.
  std::map<std::string, std::string> header;
  // The drawing's handle seed right after reading.
  std::uint64_t handseed = 0;
};
