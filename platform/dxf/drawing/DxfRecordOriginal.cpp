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
}

void DxfRecordOriginal::writeTag(DxfOut& out, const DxfTag& tag) const {
  if (m_transcode && tag.kind() == DxfValueKind::String)
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

void DxfRecordOriginal::writeKept(DxfOut& out, std::string_view marker, std::initializer_list<int> modelled) const {
  std::string_view current;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 100) {
      current = t.trimmed();
      continue;
    }
    if (current != marker) continue;
    if (std::find(modelled.begin(), modelled.end(), t.code) != modelled.end()) continue;
    writeTag(out, t);
  }
}

void DxfRecordOriginal::writeOtherSubclasses(DxfOut& out, std::initializer_list<std::string_view> known) const {
  bool other = false;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 100) other = std::find(known.begin(), known.end(), t.trimmed()) == known.end();
    if (other) writeTag(out, t);
  }
}

const DxfTag* DxfRecordOriginal::find(std::string_view marker, int code) const {
  std::string_view current;
  for (std::size_t i = 1; i < m_xdata; ++i) {
    const DxfTag& t = m_tags[i];
    if (t.code == 100) {
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
    if (t.code == 100) {
      current = t.trimmed();
      continue;
    }
    if (current == marker) out.push_back(t);
  }
  return out;
}
