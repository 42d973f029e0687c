// Creates a new drawing (imperial, or metric with --metric) and lists its
// dimension styles with a few of their values: the smallest end-to-end use
// of the drawing database.
#include <cstdio>
#include <cstring>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"

int main(int argc, char** argv) {
  const bool metric = argc > 1 && std::strcmp(argv[1], "--metric") == 0;
  OdDbDatabase db(metric ? OdDb::kMetric : OdDb::kEnglish);
  OdDbDimStyleTablePtr table = db.getDimStyleTableId().safeOpenObject();
  std::printf("Drawing: new, %s\n", metric ? "metric" : "imperial");
  for (auto it = table->newIterator(); !it->done(); it->step()) {
    OdDbDimStyleTableRecordPtr style = it->getRecord();
    std::printf("Dimension style \"%s\"%s: DIMASZ %g, DIMTXT %g, DIMDEC %d, DIMDSEP '%c'\n",
                style->getName().c_str(), it->getRecordId() == db.getDimstyle() ? " (current)" : "",
                style->dimasz(), style->dimtxt(), int(style->dimdec()), char(style->dimdsep()));
  }
  return 0;
}
