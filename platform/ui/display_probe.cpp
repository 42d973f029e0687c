#include "display_probe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace ui {
namespace {

bool isSocket(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool tcpReachable(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool ok = false;
  for (addrinfo* a = found; a && !ok; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (fd < 0) continue;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
      ok = true;
    } else {
      pollfd p{fd, POLLOUT, 0};
      int err = 0;
      socklen_t len = sizeof err;
      ok = ::poll(&p, 1, 1000) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
    }
    ::close(fd);
  }
  ::freeaddrinfo(found);
  return ok;
}

}  // namespace

bool parseXDisplay(const std::string& name, std::string& host, int& number) {
  const std::size_t colon = name.rfind(':');
  if (colon == std::string::npos || colon + 1 >= name.size()) return false;
  host = name.substr(0, colon);
  const std::string rest = name.substr(colon + 1);
  std::size_t used = 0;
  try {
    number = std::stoi(rest, &used);
  } catch (...) {
    return false;
  }
  return number >= 0 && (used == rest.size() || rest[used] == '.');
}

bool displayReachable() {
  if (const char* wayland = std::getenv("WAYLAND_DISPLAY"); wayland && *wayland) {
    std::string path = wayland;
    if (path.front() != '/') {
      const char* runtime = std::getenv("XDG_RUNTIME_DIR");
      path = std::string(runtime ? runtime : "") + "/" + path;
    }
    if (isSocket(path)) return true;
  }
  const char* display = std::getenv("DISPLAY");
  std::string host;
  int number = 0;
  if (!display || !parseXDisplay(display, host, number)) return false;
  if (host.empty() || host == "unix") return isSocket("/tmp/.X11-unix/X" + std::to_string(number));
  return tcpReachable(host, 6000 + number);
}

}  // namespace ui
