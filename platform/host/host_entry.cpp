#include "host_entry.h"

#include <map>

namespace {

struct EntryTable {
  std::map<int, void*> objects;
  HostCommandFactoryRegistry* commandFactory = nullptr;
};

EntryTable& table() {
  static EntryTable t;
  return t;
}

}  // namespace

void* get_host_funcptr(int number) {
  const auto& objects = table().objects;
  auto it = objects.find(number);
  return it == objects.end() ? nullptr : it->second;
}

HostAppServices* hostAppServices() {
  return static_cast<HostAppServices*>(get_host_funcptr(kHostEntryAppServices));
}

HostApDocManager* hostDocManager() {
  return static_cast<HostApDocManager*>(get_host_funcptr(kHostEntryDocManager));
}

void hostInstallEntry(int number, void* object) {
  if (object)
    table().objects[number] = object;
  else
    table().objects.erase(number);
}

void hostInstallCommandFactory(HostCommandFactoryRegistry* registry) { table().commandFactory = registry; }

HostCommandFactoryRegistry* hostEntryCommandFactory() { return table().commandFactory; }
