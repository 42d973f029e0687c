#pragma once
// The host's command factory: modules register the functions behind the
// host's own dialog commands here. The host maps the names users type to
// (group, name) pairs, e.g. DIMSTYLE (and DDIM) to ("DIM", "DimStylesCmd").
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host_result.h"

using QrCommandFunction = void (*)();

// Named values handed to a host command: a window handle, switches.
class ICmdParams {
public:
  virtual void release() = 0;
  virtual void setLong(const char* name, long value) = 0;
  virtual void setInt(const char* name, int value) = 0;
  virtual std::optional<long> getLong(const char* name) const = 0;
  virtual std::optional<int> getInt(const char* name) const = 0;

protected:
  virtual ~ICmdParams() = default;
};

// An empty parameter set; the caller releases it.
ICmdParams* new_MemParam();

// One of the host's own commands, made by name and run with parameters.
class ICmdObject {
public:
  virtual void release() = 0;
  // Runs the command and returns when it has ended: S_OK when it did what
  // the user asked, S_FALSE when the user cancelled, an error otherwise.
  virtual HRESULT run(ICmdParams* params) = 0;

protected:
  virtual ~ICmdObject() = default;
};

class ICmdFactory {
public:
  // Gives the factory object back; the registrations stay.
  virtual void release() = 0;
  // S_OK when registered, S_FALSE when the same function already was;
  // E_INVALIDARG for an empty group, name or function; E_FAIL when another
  // function has that (group, name).
  virtual HRESULT registerCommand(const char* group, const char* name, int options,
                                  QrCommandFunction function) = 0;
  // The host command of that name ("TextPropsCmd"), null when the host has
  // none; the caller releases it.
  virtual ICmdObject* createCommand(const char* name) = 0;

protected:
  virtual ~ICmdFactory() = default;
};

// The factory of the host's main module, or null when the host offers none.
ICmdFactory* new_ICmdFactory();

// The host side: what has been registered, and the typed names.
class HostCommandFactoryRegistry {
public:
  struct Entry {
    std::string group, name;
    int options = 0;
    QrCommandFunction function = nullptr;
  };
  struct TypedName {
    const char* typed;
    const char* group;
    const char* name;
  };

  HRESULT add(const char* group, const char* name, int options, QrCommandFunction function);

  // The host's own commands that modules may run by name.
  using HostCommand = std::function<HRESULT(const ICmdParams* params)>;
  void addHostCommand(const std::string& name, HostCommand command) { m_hostCommands[name] = std::move(command); }
  const HostCommand* findHostCommand(std::string_view name) const;
  const Entry* find(std::string_view group, std::string_view name) const;
  // The registration a typed command name (any letter case) runs; null when
  // the name is not mapped or nothing is registered for it.
  const Entry* findTyped(std::string_view typed) const;
  static const std::vector<TypedName>& typedNames();
  std::size_t size() const { return m_entries.size(); }
  // The host before unloading a module: forgets the registrations from
  // position `first` on.
  void forgetFrom(std::size_t first) {
    if (first < m_entries.size()) m_entries.resize(first);
  }

private:
  std::vector<Entry> m_entries;
  std::map<std::string, HostCommand, std::less<>> m_hostCommands;
};
