#include "property_manager.h"

#include <algorithm>

bool HostPropertyManager::addFactory(IOdPropertyFactory* factory) {
  if (!factory || hasFactory(factory)) return false;
  m_factories.push_back(factory);
  return true;
}

bool HostPropertyManager::removeFactory(IOdPropertyFactory* factory) {
  auto it = std::find(m_factories.begin(), m_factories.end(), factory);
  if (it == m_factories.end()) return false;
  m_factories.erase(it);
  return true;
}

bool HostPropertyManager::hasFactory(const IOdPropertyFactory* factory) const {
  return std::find(m_factories.begin(), m_factories.end(), factory) != m_factories.end();
}
