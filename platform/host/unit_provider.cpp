#include "unit_provider.h"

#include "OdDbDatabase.h"
#include "documents.h"
#include "units/unit_settings.h"

void hostInstallUnitSettingsProvider(const HostApDocManager& documents) {
  setUnitSettingsProvider([&documents]() {
    UnitSettings s;
    const HostApDocument* doc = documents.curDocument();
    if (!doc) return s;
    const OdDbDatabase& db = *doc->database();
    s.lunits = db.getLUNITS();
    s.luprec = db.getLUPREC();
    s.aunits = db.getAUNITS();
    s.auprec = db.getAUPREC();
    s.dimzin = db.dimzin();
    s.dimazin = db.dimazin();
    const int sep = db.dimdsep();
    s.dsep = (sep > ' ' && sep < 127) ? char(sep) : '.';
    return s;
  });
}

void hostRemoveUnitSettingsProvider() { setUnitSettingsProvider({}); }
