#pragma once
// Handles of the window system as the module sees them. The terminal host
// has no windows: its main window and icons are null, and every service
// that takes an owner window accepts null.
struct HostWindow;
using HostWindowHandle = HostWindow*;
using HostIconHandle = const void*;
