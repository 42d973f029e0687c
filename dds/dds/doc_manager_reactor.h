#pragma once
// The module's document-manager reactor: as documents come and go it adds
// the palette property prototypes to their property managers and removes
// them again.
#include <vector>

#include "documents.h"

class IOdPropertyFactory;

class CQrDocManagerReactor : public HostApDocManagerReactor {
public:
  CQrDocManagerReactor() = default;
  // The prototypes live as long as the reactor: they go with the module.
  ~CQrDocManagerReactor() override;
  CQrDocManagerReactor(const CQrDocManagerReactor&) = delete;
  CQrDocManagerReactor& operator=(const CQrDocManagerReactor&) = delete;

  // A document came: create the prototypes on first use, then add every
  // prototype, in order, to the document's property manager.
  void documentCreated(HostApDocument* doc) override;
  // A document goes: remove every prototype from its property manager. The
  // prototypes stay for the next document.
  void documentToBeDestroyed(HostApDocument* doc) override;

  const std::vector<IOdPropertyFactory*>& prototypes() const { return m_prototypes; }

private:
  std::vector<IOdPropertyFactory*> m_prototypes;
};

namespace dds {
// The module-wide reactor: constructed when the module is loaded, destroyed
// when it is unloaded.
CQrDocManagerReactor& documentReactor();
}  // namespace dds
