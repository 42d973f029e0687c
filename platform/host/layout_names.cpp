#include "layout_names.h"

#include "OdDbLayoutView.h"
#include "OdStringUtil.h"
#include "host_error.h"
#include "host_text.h"
#include "text_format.h"

OdString hostLayoutNamed(OdDbDatabase* db, const OdString& name) {
  const std::string folded = qrv::foldCase(name);
  if (folded.empty() || folded == "model" || folded == qrv::foldCase(hostText(HostText::kModelName))) return {};
  if (const auto sheet = odDbLayoutNamed(db, name)) return sheet->name;
  std::string names;
  for (const OdString& caption : hostLayoutCaptions(db)) names += (names.empty() ? "" : ", ") + caption;
  throw HostError(std::string(hostFormat(hostText(HostText::kNoSuchLayout).c_str(), name.c_str(),
                                         names.c_str())),
                  E_INVALIDARG);
}

OdString hostLayoutCaption(const OdString& layout) {
  return layout.empty() ? hostText(HostText::kModelName) : layout;
}

std::vector<OdString> hostLayoutCaptions(OdDbDatabase* db) {
  std::vector<OdString> out{hostText(HostText::kModelName)};
  for (const OdDbLayoutSheet& sheet : odDbLayouts(db)) out.push_back(sheet.name);
  return out;
}
