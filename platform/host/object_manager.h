#pragma once
// The host's object manager `gpQrObjManager`. Its modification stamp moves
// forward whenever anything in any open drawing changes, or documents are
// opened, closed or switched, so that a view can tell cheaply whether it
// must refresh. It never goes back.
#include <cstdint>

class HostApDocManager;

class QrObjManager {
public:
  explicit QrObjManager(const HostApDocManager& documents) : m_documents(documents) {}
  std::uint64_t modificationStamp() const;

private:
  const HostApDocManager& m_documents;
};

// Set by the host while its services exist; null otherwise.
extern QrObjManager* gpQrObjManager;
