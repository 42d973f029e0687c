#pragma once
// Whether the display named by the environment can be reached. The window
// system library ends the process when it cannot open its display, so the
// layer looks first and stays headless when there is nothing to connect to
// (a stale DISPLAY in a detached terminal session, for example).
#include <string>

namespace ui {

// A Wayland socket ($WAYLAND_DISPLAY, under $XDG_RUNTIME_DIR unless it is a
// path) or an X server ($DISPLAY: the local socket /tmp/.X11-unix/XN, or
// TCP port 6000 + N on a named host, tried for at most a second).
bool displayReachable();

// The parts of an X display name "host:N.S"; false when it is not one.
bool parseXDisplay(const std::string& name, std::string& host, int& number);

}  // namespace ui
