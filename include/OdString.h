#pragma once
// The text type shared by the database, the host services and the module.
// Texts are UTF-8 throughout; the DXF layer converts legacy code pages at the
// file boundary, so nothing inside ever sees anything but UTF-8.
#include <string>

using OdString = std::string;
