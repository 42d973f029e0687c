#include "dimprops/editable_property.h"

#include "dimprops/kind_properties.h"

OdString describeWriteReport(const EnumReport& report, bool allTook) {
  OdString text;
  auto add = [&text](const OdString& part) { text += (text.empty() ? "" : " ") + part; };
  if (!allTook) add(dds::translate("Not every selected object took the value."));
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
