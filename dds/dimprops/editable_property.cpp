#include "dimprops/editable_property.h"

#include <utility>

#include "dimprops/kind_properties.h"

namespace {
OdString g_writeRefusal;  // the palette writes on the UI thread only
}  // namespace

void noteWriteRefusal(const OdString& reason) { g_writeRefusal = reason; }

OdString takeWriteRefusal() { return std::exchange(g_writeRefusal, OdString()); }

OdString describeWriteReport(const EnumReport& report, bool allTook, const OdString& reason) {
  OdString text;
  auto add = [&text](const OdString& part) { text += (text.empty() ? "" : " ") + part; };
  // The general words only when some object took it, or no reason is known.
  if (!allTook && (reason.empty() || report.changed > 0))
    add(dds::translate("Not every selected object took the value."));
  if (!allTook && !reason.empty()) add(reason);
  if (report.onLockedLayers > 0)
    add(hostFormat(dds::translate("%d object(s) on locked layers were not changed.").c_str(),
                   report.onLockedLayers));
  if (report.outsideRefEdit > 0)
    add(hostFormat(dds::translate("%d object(s) outside the reference being edited were not changed.").c_str(),
                   report.outsideRefEdit));
  if (report.unreadable > 0)
    add(hostFormat(dds::translate("%d object(s) no longer exist.").c_str(), report.unreadable));
  return text;
}

void logAccessorError(int line, const OdError& error) {
  hostTraceError(kDimPropsSource, line, E_FAIL, error.description());
}
