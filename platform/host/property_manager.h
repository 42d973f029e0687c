#pragma once
// A document's property manager: the property factories the Properties
// palette offers for that document's entities. The palette asks it; modules
// add their factories when a document comes and remove them when it goes.
// The manager does not own the factories: a module keeps them alive for as
// long as they are registered.
#include <vector>

class IOdPropertyFactory;

class HostPropertyManager {
public:
  // False (and nothing changes) for null or a factory that is already there.
  bool addFactory(IOdPropertyFactory* factory);
  // False when the factory is not there.
  bool removeFactory(IOdPropertyFactory* factory);
  bool hasFactory(const IOdPropertyFactory* factory) const;
  // In the order they were added.
  const std::vector<IOdPropertyFactory*>& factories() const { return m_factories; }

private:
  std::vector<IOdPropertyFactory*> m_factories;
};
