#pragma once
// What reading keeps of a file, attached to the drawing (OdDbDatabase::
// fileSource): the file itself, which object each record became, and the
// state of the modelled header variables and record names as read, against
// which writing decides what changed.
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "DxfDocument.h"
#include "OdDbObjectId.h"

// Where a record stands in the file: a third of a DxfRecord, which the
// source gives up after reading (type and owner are read again from the
// record's tags where needed).
struct DxfRecordSpan {
  std::uint64_t begin = 0;
  std::uint32_t size = 0;
  std::uint32_t line = 0;
  std::uint64_t handle = 0;
};

struct DxfDrawingSource {
  explicit DxfDrawingSource(DxfDocument d) : doc(std::move(d)) {
    const std::vector<DxfRecord> records = doc.takeRecords();
    spans.reserve(records.size());
    for (const DxfRecord& r : records)
      spans.push_back({r.byteBegin, std::uint32_t(r.byteEnd - r.byteBegin), r.firstLine, r.handle});
  }

  std::size_t recordCount() const { return spans.size(); }
  std::string_view verbatim(std::size_t i) const { return doc.slice(spans[i].begin, spans[i].begin + spans[i].size); }
  DxfTagRange tags(std::size_t i) const {
    return DxfTagRange(doc.bytes(), spans[i].begin, spans[i].begin + spans[i].size, spans[i].line);
  }
  // The record's type: the value of its group 0 tag.
  std::string_view type(std::size_t i) const {
    DxfTokenizer tokenizer(doc.bytes(), spans[i].begin, spans[i].line);
    DxfTag tag;
    return tokenizer.next(tag) ? dxfTrim(tag.value) : std::string_view();
  }

  DxfDocument doc;
  std::vector<DxfRecordSpan> spans;
  // Per record: the object it was read into. BLOCK and ENDBLK records map to
  // their block table record; ENDTAB and section ends to nothing.
  std::vector<OdDbObjectId> objects;
  // Per record: whether it was read as an unmodelled (raw) object.
  std::vector<bool> raw;
  // Symbol table records and their names as read: a record renamed since
  // makes every record that names it be written anew.
  std::vector<std::pair<OdDbObjectId, std::string>> names;
  // The file text of each modelled header variable, as this layer would
  // write it for the values read: unchanged values keep the original text.
  std::map<std::string, std::string> header;
  // Blocks of built-in arrowheads the file named without defining them,
  // made when it was read. R12 files name their arrowheads without
  // blocks: written as R12, these stay out while unchanged.
  std::unordered_set<OdDbStub*> madeArrowBlocks;
  // The drawing's handle seed right after reading.
  std::uint64_t handseed = 0;
};
