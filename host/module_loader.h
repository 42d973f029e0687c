#pragma once
// Loading the module library: dlopen, its two entry points, and unloading
// in the order the module expects (QRVUnInit, then the host forgets what the
// module registered, then dlclose).
#include <string>

namespace qrvhost {

class LoadedModule {
public:
  LoadedModule() = default;
  ~LoadedModule();  // unloads when still loaded
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // Loads the library and calls QRVInit. False with `error` set when the
  // file is missing, is no loadable library, lacks an entry point, or
  // QRVInit throws (the module is then unloaded again).
  bool load(const std::string& path, std::string& error);
  // Calls QRVUnInit, forgets the module's commands and texts, unloads it.
  void unload();
  bool isLoaded() const { return m_handle != nullptr; }

private:
  void* m_handle = nullptr;
  void (*m_uninit)() = nullptr;
  std::size_t m_firstCommand = 0;
  std::size_t m_firstFactoryEntry = 0;
  std::size_t m_firstTexts = 0;
};

}  // namespace qrvhost
