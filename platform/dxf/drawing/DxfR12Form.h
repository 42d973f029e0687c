#pragma once
// Records of the form R13 and later files use, rewritten as R12 records:
// no subclass markers, owners, reactors or extension dictionaries, handles
// only where the file keeps them, no group codes R12 does not have, and an
// LWPOLYLINE as POLYLINE, VERTEX and SEQEND. What has no R12 form (true
// colours, lineweights, entities such as MTEXT or HATCH) is counted for
// one note, never dropped without one.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "DxfTag.h"
#include "DxfTokenizer.h"
#include "DxfWriter.h"

// What a drawing written as R12 could not keep, counted by kind.
class DxfR12Losses {
public:
  void add(const std::string& what, std::size_t count = 1);
  // "Not kept in R12: 3 true colours, 12 lineweights, 2 MTEXT"; empty when
  // nothing was lost.
  std::string note() const;

private:
  std::vector<std::pair<std::string, std::size_t>> m_counts;
};

// Whether records of this type exist in R12 files (entities, table
// entries, the structure records).
bool dxfIsR12RecordType(std::string_view type);

// Whether R12 files have this header variable ("$DIMASZ": yes,
// "$LWDISPLAY": no).
bool dxfIsR12HeaderVariable(std::string_view name);

// Whether a record read from an R12 file is in R12's form and may be
// copied as it is into an R12 file: no subclass markers, owners or other
// codes of later versions, no empty handle (files of some small writers
// have those although their header, if any, names no later version).
bool dxfIsInR12Form(DxfTagRange record);

class DxfR12Form {
public:
  // `handles`: the file keeps handles ($HANDLING 1); new records (the
  // vertices of a converted LWPOLYLINE) then take theirs from `nextHandle`.
  DxfR12Form(DxfWriter& out, bool handles, std::uint64_t& nextHandle, DxfR12Losses& losses)
      : m_out(out), m_handles(handles), m_nextHandle(nextHandle), m_losses(losses) {}
  ~DxfR12Form() { finish(); }

  // Tags in file order; a record is written when the next one begins, the
  // last one at finish().
  void tag(const DxfTag& t);
  void finish();

private:
  void writeRecord();
  void writeLwPolyline();
  bool keeps(const DxfTag& t) const;

  DxfWriter& m_out;
  bool m_handles;
  std::uint64_t& m_nextHandle;
  DxfR12Losses& m_losses;
  std::vector<DxfTag> m_record;  // the current record's tags (views into the caller's text)
};
