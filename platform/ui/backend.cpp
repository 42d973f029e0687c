#include "backend.h"

#include <dlfcn.h>

#include <string>

#include <cstdlib>

#include "OdStringUtil.h"
#include "display_probe.h"
#include "headless_backend.h"
#include "picker_dialogs.h"

namespace ui {
namespace {

Backend* g_backend = nullptr;
bool g_scripted = false;

struct KeyName {
  Key key;
  const char* name;
};
constexpr KeyName kKeyNames[] = {
    {Key::kF1, "F1"},         {Key::kF2, "F2"},     {Key::kDelete, "Delete"}, {Key::kSpace, "Space"},
    {Key::kEscape, "Escape"}, {Key::kEnter, "Enter"}, {Key::kUp, "Up"},       {Key::kDown, "Down"},
    {Key::kTab, "Tab"},
};

bool envSet(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

// The Qt backend is a library of its own, so that nothing else needs Qt;
// it is found next to this one.
Backend* loadQtBackend() {
  static Backend* loaded = nullptr;
  static bool tried = false;
  if (tried) return loaded;
  tried = true;
  // By full path, from this library's own folder: a bare name would depend
  // on whose search path applies to the caller (an interposed dlopen, as
  // under the address sanitizer, has none).
  std::string path = "libqrvui_qt.so";
  Dl_info self{};
  if (dladdr(reinterpret_cast<const void*>(&loadQtBackend), &self) && self.dli_fname) {
    const std::string me = self.dli_fname;
    const auto slash = me.rfind('/');
    if (slash != std::string::npos) path = me.substr(0, slash + 1) + path;
  }
  void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!lib) lib = dlopen("libqrvui_qt.so", RTLD_NOW | RTLD_GLOBAL);
  if (!lib) return nullptr;
  using Factory = Backend* (*)();
  auto factory = reinterpret_cast<Factory>(dlsym(lib, "qrvui_qt_backend"));
  loaded = factory ? factory() : nullptr;
  return loaded;
}

}  // namespace

bool Backend::savePicture(Dialog&, const std::string&, std::string& why) {
  why = std::string("the ") + name() + " backend shows no dialog on a screen";
  return false;
}

bool Backend::askOpenFileName(Dialog* owner, const std::string& caption, const std::string& label,
                              const std::string& /*filter*/, std::string& path) {
  return askTextDialog(owner, caption, label, path);
}

std::string keyName(Key key) {
  for (const KeyName& k : kKeyNames)
    if (k.key == key) return k.name;
  return "None";
}

Key keyFromName(const std::string& name) {
  for (const KeyName& k : kKeyNames)
    if (qrv::equalNoCase(name, k.name)) return k.key;
  if (qrv::equalNoCase(name, "Esc")) return Key::kEscape;
  if (qrv::equalNoCase(name, "Del")) return Key::kDelete;
  if (qrv::equalNoCase(name, "Return")) return Key::kEnter;
  return Key::kNone;
}

Backend& backend() { return g_backend ? *g_backend : headlessBackend(); }
void setBackend(Backend* b) { g_backend = b; }

bool isShiftDown() { return backend().isShiftDown(); }

int trackPopupMenu(Dialog& dialog, const Menu& menu, Point at) { return backend().trackPopupMenu(dialog, menu, at); }
Clipboard& clipboard() { return backend().clipboard(); }
Point measureText(const std::string& utf8) { return backend().measureText(utf8); }

void setScriptedSession(bool scripted) { g_scripted = scripted; }
bool isScriptedSession() { return g_scripted; }

std::string selectSessionBackend() {
  const char* forced = std::getenv("QRV_UI");
  const std::string choice = forced ? qrv::foldCase(forced) : std::string();
  bool wantQt = (envSet("DISPLAY") || envSet("WAYLAND_DISPLAY")) && displayReachable();
  if (choice == "headless") wantQt = false;
  if (choice == "qt") wantQt = true;
  if (g_scripted && choice != "qt") wantQt = false;
  Backend* qt = wantQt ? loadQtBackend() : nullptr;
  setBackend(qt);
  return backend().name();
}

}  // namespace ui
