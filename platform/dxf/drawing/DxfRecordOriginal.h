#pragma once
// The tags of a record as it was read, for writing a changed object anew
// without losing what the database does not model: the 102 groups of other
// applications (reactors), and in each subclass the group codes the writer
// does not produce itself.
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "DxfDocument.h"
#include "DxfDrawingSource.h"
#include "DxfOut.h"

class DxfRecordOriginal {
public:
  // `record` may be null (a new object): then there is nothing to keep.
  DxfRecordOriginal(const DxfDocument* doc, const DxfRecordSpan* record, bool transcode);

  bool exists() const { return m_doc != nullptr; }
  // A record without subclass markers (R12's form).
  bool markerless() const { return m_doc && m_markerless; }
  // Writes the 102 groups other than the extension dictionary.
  void writeKeptGroups(DxfOut& out) const;
  // Writes the tags of the subclass `marker` whose codes are not in
  // `modelled` (every occurrence of the marker, in order). A record without
  // markers (R12) has its tags placed by group code.
  void writeKept(DxfOut& out, std::string_view marker, std::span<const int> modelled) const;
  // The same, with the codes a record without markers keeps for `marker`.
  void writeKept(DxfOut& out, std::string_view marker, std::span<const int> modelled,
                 std::span<const int> markerlessKept) const;
  void writeKept(DxfOut& out, std::string_view marker, std::initializer_list<int> modelled) const {
    writeKept(out, marker, std::span<const int>(modelled.begin(), modelled.size()));
  }
  // Writes the tags of subclasses that are not in `known`, markers included.
  void writeOtherSubclasses(DxfOut& out, std::span<const std::string_view> known) const;
  void writeOtherSubclasses(DxfOut& out, std::initializer_list<std::string_view> known) const {
    writeOtherSubclasses(out, std::span<const std::string_view>(known.begin(), known.size()));
  }

  // The first value of `code` in subclass `marker` ("" for the prefix).
  const DxfTag* find(std::string_view marker, int code) const;
  // All tags of a subclass.
  std::vector<DxfTag> subclassTags(std::string_view marker) const;

  void writeTag(DxfOut& out, const DxfTag& tag) const;
  // A string tag's text in UTF-8.
  std::string text(const DxfTag& tag) const { return m_doc->text(tag); }

private:
  const DxfDocument* m_doc = nullptr;
  std::vector<DxfTag> m_tags;
  std::size_t m_xdata = 0;  // first extended data tag
  bool m_markerless = false;  // no subclass markers (an R12 record)
  bool m_transcode = false;
};
