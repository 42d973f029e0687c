#include "OdDbDatabase.h"
#include "documents.h"
#include "property_manager.h"
#include "selection.h"

HostApDocument::HostApDocument(std::unique_ptr<OdDbDatabase> db, HostEdInput& input, std::string fileName,
                               std::string title, bool withPropertyManager)
    : m_db(std::move(db)),
      m_input(&input),
      m_selection(std::make_unique<HostEdSSManager>(input, *m_db)),
      m_properties(withPropertyManager ? std::make_unique<HostPropertyManager>() : nullptr),
      m_fileName(std::move(fileName)),
      m_title(std::move(title)),
      m_savedStamp(m_db->modificationStamp()) {}

HostApDocument::~HostApDocument() = default;

bool HostApDocument::getPropManager(HostPropertyManager** manager) const {
  if (!manager) return false;
  *manager = m_properties.get();
  return *manager != nullptr;
}

bool HostApDocument::isModified() const { return m_db->modificationStamp() != m_savedStamp; }

void HostApDocument::markChanged() { m_savedStamp = m_db->modificationStamp() - 1; }

void HostApDocument::markUnchanged() { m_savedStamp = m_db->modificationStamp(); }

void HostApDocument::markSaved(const std::string& fileName) {
  m_fileName = fileName;
  const auto slash = fileName.find_last_of('/');
  m_title = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  m_savedStamp = m_db->modificationStamp();
}
