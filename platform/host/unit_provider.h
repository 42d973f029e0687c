#pragma once
// Connects the unit text functions to the active drawing: their "use the
// drawing's setting" markers then mean the active document's LUNITS,
// LUPREC, AUNITS, AUPREC, DIMZIN, DIMAZIN and DIMDSEP. Without an active
// document the defaults of units/unit_settings.h apply.
class HostApDocManager;

void hostInstallUnitSettingsProvider(const HostApDocManager& documents);
void hostRemoveUnitSettingsProvider();
