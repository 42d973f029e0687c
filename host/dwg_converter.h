#pragma once
// DWG drawings, through the optional converter (tools/dwg2dxf: LibreDWG
// compiled to WebAssembly, run by Node as a process of its own; it is never
// linked into the host). The converter writes DXF into a private temporary
// folder, which the host reads and removes.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace qrvhost {

// Whether `path` names a DWG drawing (".dwg", any letter case).
bool isDwgPath(const std::string& path);
// The DXF name a drawing converted from `dwgPath` is saved under: the same
// name with ".dxf".
std::string dxfNameFor(const std::string& dwgPath);

// How the converter is run: Node and the driver script.
struct DwgConverter {
  std::string node;    // "node", or $QRVHOST_NODE
  std::string script;  // .../tools/dwg2dxf/dwg2dxf.mjs
};
// The installed converter: $QRVHOST_DWG_CONVERTER (its folder), else
// tools/dwg2dxf of the source tree, else share/qrvhost/dwg2dxf beside an
// installed host; with Node on the PATH. Nothing when any part is missing.
std::optional<DwgConverter> findDwgConverter();

// A DWG converted to DXF: the DXF in a private folder (removed with this),
// the facts the driver printed about the DWG, and what converting cost.
class DwgConversion {
 public:
  DwgConversion(std::string folder, std::string dxfPath) : m_folder(std::move(folder)), m_dxf(std::move(dxfPath)) {}
  ~DwgConversion();
  DwgConversion(const DwgConversion&) = delete;
  DwgConversion& operator=(const DwgConversion&) = delete;
  const std::string& dxfPath() const { return m_dxf; }
  std::string facts;
  double seconds = 0;
  std::size_t peakMiB = 0;

 private:
  std::string m_folder, m_dxf;
};

// Converts the DWG. Throws OdError with a message for the user (in the
// session's language) when the converter is not installed, fails, crashes,
// runs over its bounds ($QRVHOST_DWG_SECONDS, default 120;
// $QRVHOST_DWG_MEGABYTES of resident memory, default 3072) or writes no
// DXF; nothing is left behind then.
std::unique_ptr<DwgConversion> convertDwg(const std::string& dwgPath);

// "Converted from DWG in 0.74 s, 167 MB. Not converted: 15 MULTILEADER,
// 2 ACAD_TABLE, 25 proxy objects." in the session's language, from the
// kinds of object the DXF lacks and their counts.
std::string dwgConversionNote(const DwgConversion& conversion, const std::map<std::string, int>& notConverted);

}  // namespace qrvhost
