#include "DxfRecordOriginal.h"

#include <algorithm>

DxfRecordOriginal::DxfRecordOriginal(const DxfDocument* doc, const DxfRecordSpan* record, bool transcode)
    : m_transcode(transcode) {
  if (!doc || !record) return;
  m_doc = doc;
  for (const DxfTag& t : DxfTagRange(doc->bytes(), record->begin, record->begin + record->size, record->line))
    m_tags.push_back(t);
  m_xdata = m_tags.size();
  for (std::size_t i = 0; i < m_tags.size(); ++i)
    if (m_tags[i].code >= 1000) {
      m_xdata = i;
      break;
    }
  m_markerless = std::none_of(m_tags.begin(), m_tags.begin() + std::ptrdiff_t(m_xdata),
                              [](const DxfTag& t) { return t.code == 100; });
}

namespace {

// An R12 record has no subclass markers: its tags are placed in the
// subclass later versions put them in, by group code. Only codes that the
// writer does not produce itself and that R12 records carry are listed; a
// code appears under one subclass only, so nothing is written twice. The
// entities' lists are in their forms (DxfSubclassForm::r12Kept).
const std::vector<int>* markerlessCodes(std::string_view marker) {
  static const std::vector<std::pair<std::string_view, std::vector<int>>> kCodes = {
      {"AcDbBlockBegin", {3, 1, 4}},
  };
  for (const auto& [name, codes] : kCodes)
    if (name == marker) return &codes;
  return nullptr;
}

}  // namespace

namespace {
// A subclass marker (100), or the start of an object embedded in the record
// (101, "Embedded Object" in MTEXT): its tags repeat codes of the subclass
// before it with other meanings, so it is kept as a section of its own.
bool startsSection(const DxfTag& t) { return t.code == 100 || t.code == 101; }

// A carriage return (or another control character) that a file held raw
// in a value; written anew, it becomes an escape.
bool holdsControl(std::string_view value) {
  for (char c : value)
    if (static_cast<unsigned char>(c) < 0x20) return true;
  return false;
}
}  // namespace

void DxfRecordOriginal::writeTag(DxfOut& out, const DxfTag& tag) const {
  if ((m_transcode || holdsControl(tag.value)) && tag.kind() == DxfValueKind::String)
    out.str(tag.code, m_doc->text(tag));
  else
    out.w.tag(tag);
}

void DxfRecordOriginal::writeKeptGroups(DxfOut& out) const {
  bool keeping = false;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 100) break;
    if (t.code == 102) {
      const std::string_view v = t.trimmed();
      if (!v.empty() && v.front() == '{') {
        keeping = v != "{ACAD_XDICTIONARY";
      } else if (keeping) {
        writeTag(out, t);
        keeping = false;
        continue;
      }
    }
    if (keeping) writeTag(out, t);
  }
}

void DxfRecordOriginal::writeKept(DxfOut& out, std::string_view marker, std::span<const int> modelled) const {
  const std::vector<int>* codes = markerlessCodes(marker);
  writeKept(out, marker, modelled, codes ? std::span<const int>(*codes) : std::span<const int>());
}

void DxfRecordOriginal::writeKept(DxfOut& out, std::string_view marker, std::span<const int> modelled,
                                  std::span<const int> markerlessKept) const {
  if (m_markerless) {
    for (std::size_t i = 1; i < m_xdata; ++i) {
      const DxfTag& t = m_tags[i];
      if (std::find(markerlessKept.begin(), markerlessKept.end(), t.code) == markerlessKept.end()) continue;
      if (std::find(modelled.begin(), modelled.end(), t.code) != modelled.end()) continue;
      writeTag(out, t);
    }
    return;
  }
  std::string_view current;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (startsSection(t)) {
      current = t.trimmed();
      continue;
    }
    if (current != marker) continue;
    if (std::find(modelled.begin(), modelled.end(), t.code) != modelled.end()) continue;
    writeTag(out, t);
  }
}

void DxfRecordOriginal::writeOtherSubclasses(DxfOut& out, std::span<const std::string_view> known) const {
  bool other = false;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (startsSection(t)) other = std::find(known.begin(), known.end(), t.trimmed()) == known.end();
    if (other) writeTag(out, t);
  }
}

const DxfTag* DxfRecordOriginal::find(std::string_view marker, int code) const {
  std::string_view current;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (startsSection(t)) {
      current = t.trimmed();
      continue;
    }
    if (current == marker && t.code == code) return &t;
  }
  return nullptr;
}

std::vector<DxfTag> DxfRecordOriginal::subclassTags(std::string_view marker) const {
  std::vector<DxfTag> out;
  std::string_view current;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (startsSection(t)) {
      current = t.trimmed();
      continue;
    }
    if (current == marker) out.push_back(t);
  }
  return out;
}
