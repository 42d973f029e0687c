#pragma once
// Object snaps typed at a point prompt, the way a script names a point it
// would have picked on an object with a snap:
//
//   END 2A          the end of object 2A (a polyline: of its last segment)
//   START 2A        its start (a polyline: of its first segment)
//   MID 2A          the middle of a line or arc (a polyline: of its first segment)
//   CEN 2A          the centre of an arc or circle
//   INT 2A 2B       where the two objects cross (lines taken as endless)
//   NEA 2A x,y      the point of the object nearest to x,y
//
// Every form takes a point after the handles (`END 2A 10,0`: the end
// nearer to 10,0, the segment of a polyline nearest to it, the crossing
// nearest to it). The names may have a leading "_" and are also taken in
// Russian (КОН, НАЧ, СЕР, ЦЕН, ПЕР, БЛИ), in any letter case.
#include <optional>
#include <string>
#include <string_view>

#include "OdDbDimAssoc.h"

class OdDbDatabase;

struct HostSnapAnswer {
  enum Kind { kNotASnap, kSnapped, kRefused };
  Kind kind = kNotASnap;
  OdDbOsnapPointRef ref;  // kSnapped: the snap, its point in ref.point
  std::string why;        // kRefused: the message
};

// Reads `text` as an object snap on the objects of `db` (a crossing
// without a point: the one nearest to the origin).
HostSnapAnswer hostParseSnapAnswer(std::string_view text, const OdDbDatabase& db);
