#include "editor_reactor.h"

#include <algorithm>
#include <exception>

#include "host_log.h"

namespace {

std::vector<HostEditorReactor*>& reactors() {
  static std::vector<HostEditorReactor*> list;
  return list;
}

bool attached(HostEditorReactor* r) {
  const auto& list = reactors();
  return std::find(list.begin(), list.end(), r) != list.end();
}

template <class F>
void broadcast(const char* what, F&& call) {
  const std::vector<HostEditorReactor*> copy = reactors();  // reactors may detach meanwhile
  for (HostEditorReactor* r : copy) {
    if (!attached(r)) continue;
    try {
      call(r);
    } catch (const std::exception& e) {
      hostTraceError("host/editor", __LINE__, std::string(what) + ": " + e.what());
    } catch (...) {
      hostTraceError("host/editor", __LINE__, std::string(what) + ": unknown exception");
    }
  }
}

}  // namespace

HostEditorReactor::~HostEditorReactor() { hostRemoveEditorReactor(this); }
void HostEditorReactor::commandWillStart(const OdString&) {}
void HostEditorReactor::commandEnded(const OdString&) {}
void HostEditorReactor::commandCancelled(const OdString&) {}

void hostAddEditorReactor(HostEditorReactor* reactor) {
  if (reactor && !attached(reactor)) reactors().push_back(reactor);
}

void hostRemoveEditorReactor(HostEditorReactor* reactor) {
  auto& list = reactors();
  list.erase(std::remove(list.begin(), list.end(), reactor), list.end());
}

std::size_t hostEditorReactorCount() { return reactors().size(); }

void hostBroadcastCommandWillStart(const OdString& name) {
  broadcast("commandWillStart", [&](HostEditorReactor* r) { r->commandWillStart(name); });
}
void hostBroadcastCommandEnded(const OdString& name) {
  broadcast("commandEnded", [&](HostEditorReactor* r) { r->commandEnded(name); });
}
void hostBroadcastCommandCancelled(const OdString& name) {
  broadcast("commandCancelled", [&](HostEditorReactor* r) { r->commandCancelled(name); });
}
