#pragma once
// The module library loaded with dlopen, as the host loads it.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

#include "translation.h"

inline std::string modulePath() { return std::string(DDS_BINARY_DIR) + "/bin/libdds.so"; }

struct ModuleLibrary {
  ModuleLibrary() {
    firstTexts = Supp_RegisteredModules().size();
    handle = dlopen(modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return;
    init = reinterpret_cast<void (*)()>(dlsym(handle, "QRVInit"));
    uninit = reinterpret_cast<void (*)()>(dlsym(handle, "QRVUnInit"));
  }
  ~ModuleLibrary() { close(); }
  // As the host does: the module's texts are forgotten before its tables go.
  void close() {
    const auto texts = Supp_RegisteredModules();
    for (std::size_t i = firstTexts; i < texts.size(); ++i) Supp_UninitResTranslation(texts[i]);
    if (handle) dlclose(handle);
    handle = nullptr;
  }
  bool ok() const { return handle && init && uninit; }

  void* handle = nullptr;
  void (*init)() = nullptr;
  void (*uninit)() = nullptr;
  std::size_t firstTexts = 0;
};
