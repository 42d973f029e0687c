#include "snap_answer.h"

#include <array>
#include <sstream>
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDimAssocFollow.h"
#include "OdStringUtil.h"
#include "host_text.h"
#include "point_input.h"
#include "text_format.h"

namespace {

struct SnapName {
  const char* english;
  const char* russian;
  OdDbOsnapType type;
  int objects;  // how many handles follow
};

constexpr std::array<SnapName, 6> kSnaps = {{
    {"END", "КОН", OdDbOsnapType::kEnd, 1},
    {"START", "НАЧ", OdDbOsnapType::kStart, 1},
    {"MID", "СЕР", OdDbOsnapType::kMid, 1},
    {"CEN", "ЦЕН", OdDbOsnapType::kCen, 1},
    {"INT", "ПЕР", OdDbOsnapType::kInt, 2},
    {"NEA", "БЛИ", OdDbOsnapType::kNear, 1},
}};

std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> out;
  std::istringstream in{std::string(text)};
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

}  // namespace

HostSnapAnswer hostParseSnapAnswer(std::string_view text, const OdDbDatabase& db) {
  HostSnapAnswer answer;
  const std::vector<std::string> w = words(text);
  if (w.size() < 2) return answer;
  std::string_view name = w[0];
  if (!name.empty() && name.front() == '_') name.remove_prefix(1);
  const SnapName* snap = nullptr;
  for (const SnapName& s : kSnaps)
    if (qrv::equalNoCase(name, s.english) || (w[0].front() != '_' && qrv::equalNoCase(name, s.russian))) snap = &s;
  if (!snap) return answer;
  if (w.size() < std::size_t(1 + snap->objects) || w.size() > std::size_t(2 + snap->objects)) return answer;
  // The answer is a snap from here on: what does not fit is refused.
  answer.kind = HostSnapAnswer::kRefused;
  const std::string whole(text);
  std::vector<OdDbEntityPtr> objects;
  for (int i = 0; i < snap->objects; ++i) {
    const auto handle = OdDbHandle::fromAscii(w[1 + i]);
    OdDbEntityPtr e = handle ? OdDbEntity::cast(db.getOdDbObjectId(*handle).openObject()) : OdDbEntityPtr();
    if (!e) {
      answer.why = hostFormat(hostText(HostText::kSnapNoObject).c_str(), whole.c_str(), w[1 + i].c_str());
      return answer;
    }
    objects.push_back(e);
  }
  std::optional<OdGePoint3d> near;
  if (w.size() == std::size_t(2 + snap->objects)) {
    near = hostParsePoint(w.back(), std::nullopt);
    if (!near) {
      answer.why = hostFormat(hostText(HostText::kInvalidPoint).c_str(), w.back().c_str());
      return answer;
    }
  }
  const auto ref = odDbMakeOsnapRef(*objects[0], snap->type, near, objects.size() > 1 ? objects[1].get() : nullptr);
  if (!ref) {
    answer.why = hostFormat(hostText(HostText::kSnapNoSuchPoint).c_str(), whole.c_str());
    return answer;
  }
  answer.kind = HostSnapAnswer::kSnapped;
  answer.ref = *ref;
  return answer;
}
