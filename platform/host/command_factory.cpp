#include "command_factory.h"

#include "OdStringUtil.h"
#include "host_entry.h"

namespace {

// One factory object per request, as the module releases what it obtained.
class CmdFactory final : public ICmdFactory {
public:
  explicit CmdFactory(HostCommandFactoryRegistry& registry) : m_registry(registry) {}
  void release() override { delete this; }
  HRESULT registerCommand(const char* group, const char* name, int options,
                          QrCommandFunction function) override {
    return m_registry.add(group, name, options, function);
  }

private:
  HostCommandFactoryRegistry& m_registry;
};

}  // namespace

ICmdFactory* new_ICmdFactory() {
  HostCommandFactoryRegistry* registry = hostEntryCommandFactory();
  return registry ? new CmdFactory(*registry) : nullptr;
}

HRESULT HostCommandFactoryRegistry::add(const char* group, const char* name, int options,
                                        QrCommandFunction function) {
  if (!group || !*group || !name || !*name || !function) return E_INVALIDARG;
  if (const Entry* known = find(group, name)) return known->function == function ? S_FALSE : E_FAIL;
  m_entries.push_back(Entry{group, name, options, function});
  return S_OK;
}

const HostCommandFactoryRegistry::Entry* HostCommandFactoryRegistry::find(std::string_view group,
                                                                          std::string_view name) const {
  for (const Entry& e : m_entries)
    if (qrv::equalNoCase(e.group, group) && qrv::equalNoCase(e.name, name)) return &e;
  return nullptr;
}

const HostCommandFactoryRegistry::Entry* HostCommandFactoryRegistry::findTyped(std::string_view typed) const {
  for (const TypedName& t : typedNames())
    if (qrv::equalNoCase(t.typed, typed)) return find(t.group, t.name);
  return nullptr;
}

const std::vector<HostCommandFactoryRegistry::TypedName>& HostCommandFactoryRegistry::typedNames() {
  static const std::vector<TypedName> names = {
      {"DIMSTYLE", "DIM", "DimStylesCmd"},
      {"DDIM", "DIM", "DimStylesCmd"},
  };
  return names;
}
