#include "main_window_link.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace qrvhost {

namespace {

MainWindowLink* g_window = nullptr;

// The folder of the running executable, with a trailing slash.
std::string executableFolder() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  std::string path(buf, std::size_t(n));
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::unique_ptr<MainWindowLink> openMainWindow(const WindowStart& start, std::string& error) {
  const std::string path = executableFolder() + "libqrvwindow.so";
  // Kept loaded for the life of the process: Qt does not take unloading.
  void* lib = ::dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!lib) {
    const char* why = ::dlerror();
    error = "cannot load the main window (" + path + "): " + (why ? why : "unknown reason");
    return nullptr;
  }
  using Open = MainWindowLink* (*)(const WindowStart*, std::string*);
  auto open = reinterpret_cast<Open>(::dlsym(lib, "qrvwindow_open"));
  if (!open) {
    error = path + " has no qrvwindow_open";
    return nullptr;
  }
  std::unique_ptr<MainWindowLink> window(open(&start, &error));
  if (!window && error.empty()) error = "the main window could not be opened";
  return window;
}

MainWindowLink* mainWindow() { return g_window; }
void setMainWindow(MainWindowLink* window) { g_window = window; }

}  // namespace qrvhost
