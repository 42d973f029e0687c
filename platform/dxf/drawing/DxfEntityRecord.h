#pragma once
// Entity records read into objects without asking the drawing's tables:
// what kind of object a record becomes, its geometry and text, and the names
// it gives (layer, linetype, text style, block) for the reader to look up.
// Nothing here touches a database, so the read-ahead thread uses it too,
// on objects that are not yet in any drawing.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DxfDocument.h"
#include "DxfEntityForms.h"
#include "OdCmColor.h"
#include "OdDbEntity.h"
#include "OdDbEntityKinds.h"
#include "OdGePoint3d.h"

namespace dxfrecord {

using Tags = std::vector<DxfTag>;
using TagView = std::span<const DxfTag>;

// Sub-records of a polyline or block reference: owned by the entity before
// them, never part of a block's entity list.
bool isSubRecord(std::string_view type);

// Sets p.x, p.y or p.z when code is base, base + 10 or base + 20.
bool pointTag(const DxfTag& t, int base, OdGePoint3d& p);

// What a record of the entity sections was read as: decided once, so that
// filling it in needs no run-time type tests. Records the database does not
// model (sub-records included) are kForeign and kept as read.
using Kind = OdDbEntityKind;

// The kinds whose records are read whole without the drawing's tables, so
// that the read-ahead thread can fill them (dimensions and leaders take
// overrides from the drawing's styles).
bool isPlain(Kind kind);

// What the common part of an entity's record says.
struct EntityCommon {
  std::string layer, linetype;
  OdCmColor color;
  bool hasTrueColor = false;
  OdDb::LineWeight lineWeight = OdDb::kLnWtByLayer;
  double linetypeScale = 1.0;
  bool invisible = false;
  bool paperSpace = false;
};

// Reads the codes every entity shares; false for codes of the entity itself.
bool commonTag(const DxfDocument& doc, const DxfTag& t, std::string_view subclass, EntityCommon& c);

// What an entity's record names in the drawing's tables, read with its
// geometry and applied when the tables can be asked.
struct EntityRefs {
  EntityCommon common;
  std::vector<DxfFieldRead::Ref> refs;  // by the field that read them
  std::vector<std::string> warnings;    // values the object refused
};

// Sets what an entity's record (tags [first, end)) says of its own values,
// by its kind's form, and gives back what needs the drawing's tables.
EntityRefs readEntityFields(OdDbEntity* ent, const DxfEntityForm& form, const DxfDocument& doc, TagView tags,
                            std::size_t first, std::size_t end);

// The object an entity record of type `type` becomes, and its kind.
OdDbObjectPtr makeEntity(std::string_view type, TagView tags, Kind& kind);

// The first tag of a record's extended data (codes 1000 and up), or the
// number of tags.
std::size_t xdataStart(TagView tags);

}  // namespace dxfrecord
