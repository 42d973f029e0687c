#include "command_factory.h"

#include "OdStringUtil.h"
#include "host_entry.h"

namespace {

class MemParams final : public ICmdParams {
public:
  void release() override { delete this; }
  void setLong(const char* name, long value) override { m_longs[name] = value; }
  void setInt(const char* name, int value) override { m_ints[name] = value; }
  std::optional<long> getLong(const char* name) const override { return find(m_longs, name); }
  std::optional<int> getInt(const char* name) const override { return find(m_ints, name); }

private:
  template <class T>
  static std::optional<T> find(const std::map<std::string, T, std::less<>>& values, std::string_view name) {
    auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional<T>(it->second);
  }
  std::map<std::string, long, std::less<>> m_longs;
  std::map<std::string, int, std::less<>> m_ints;
};

class HostCmdObject final : public ICmdObject {
public:
  explicit HostCmdObject(HostCommandFactoryRegistry::HostCommand command) : m_command(std::move(command)) {}
  void release() override { delete this; }
  HRESULT run(ICmdParams* params) override { return m_command(params); }

private:
  HostCommandFactoryRegistry::HostCommand m_command;
};

// One factory object per request, as the module releases what it obtained.
class CmdFactory final : public ICmdFactory {
public:
  explicit CmdFactory(HostCommandFactoryRegistry& registry) : m_registry(registry) {}
  void release() override { delete this; }
  HRESULT registerCommand(const char* group, const char* name, int options,
                          QrCommandFunction function) override {
    return m_registry.add(group, name, options, function);
  }
  ICmdObject* createCommand(const char* name) override {
    const HostCommandFactoryRegistry::HostCommand* command = name ? m_registry.findHostCommand(name) : nullptr;
    return command ? new HostCmdObject(*command) : nullptr;
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

ICmdParams* new_MemParam() { return new MemParams; }

const HostCommandFactoryRegistry::HostCommand* HostCommandFactoryRegistry::findHostCommand(std::string_view name) const {
  auto it = m_hostCommands.find(name);
  return it == m_hostCommands.end() ? nullptr : &it->second;
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
