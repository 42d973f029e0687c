#pragma once
// The drawing's unit settings. The text functions fall back to them whenever
// a caller passes a "use the drawing's setting" marker instead of a value.
// The host installs a provider that reads the active drawing; until then the
// defaults below (those of a new metric-style drawing) apply.
#include <functional>

struct UnitSettings {
  int lunits = 2;   // linear unit format 1..6 (see LinearFormat)
  int luprec = 4;   // linear precision 0..8
  int aunits = 0;   // angular unit format 0..4 (see AngularFormat)
  int auprec = 0;   // angular precision 0..8
  int dimzin = 0;   // linear zero suppression bits
  int dimazin = 0;  // angular zero suppression bits
  char dsep = '.';  // decimal separator
};

// Installs the source of the drawing's settings; an empty function restores
// the defaults. Called on the user-interface thread only.
void setUnitSettingsProvider(std::function<UnitSettings()> provider);

// The settings in force now. A provider that throws yields the defaults, so
// formatting a value never fails because a drawing could not be asked.
UnitSettings currentUnitSettings();
