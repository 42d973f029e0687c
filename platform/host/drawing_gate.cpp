#include "drawing_gate.h"

HostNativeGate* gpQrNativeGate = nullptr;
