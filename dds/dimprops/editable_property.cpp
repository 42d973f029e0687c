#include "dimprops/editable_property.h"

#include <utility>

#include "dimprops/kind_properties.h"

namespace {
OdString g_writeRefusal;  // the palette writes on the UI thread only
}  // namespace

void noteWriteRefusal(const OdString& reason) { g_writeRefusal = reason; }

OdString takeWriteRefusal() { return std::exchange(g_writeRefusal, OdString()); }

OdString describeWriteReport(const EnumReport& report, bool allTook, const OdString& reason) {
  return hostDescribeWriteReport(report, allTook, reason);
}

void logAccessorError(int line, const OdError& error) {
  hostTraceError(kDimPropsSource, line, E_FAIL, error.description());
}
