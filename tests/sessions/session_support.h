#pragma once
// Runs qrvhost on drawings made by the tests and reads back what it saved.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "DxfDrawingIO.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "OdDbDimension.h"
#include "OdDbEntities.h"
#include "OdDbLeader.h"
#include "../shared/dimension_builders.h"
#include "../shared/expect_text.h"
#include "../shared/run_command.h"

#include <unistd.h>

namespace sessions {

using Result = CommandResult;

inline std::filesystem::path tempFolder(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("dds-sessions-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a shell command; standard output and error together.
inline Result runCommand(const std::string& command) { return runCommandOutput(command + " 2>&1"); }

// Runs qrvhost with the arguments; standard output and error together.
// `shellPrefix` runs first in the same shell (limits, ignored signals). A
// host that hangs is stopped after a minute and gives timeout's status 124,
// so a hang fails the test instead of stopping the run.
inline Result runHost(const std::string& args, const std::string& shellPrefix = "") {
  const std::string host = std::string(DDS_BINARY_DIR) + "/bin/qrvhost --log /dev/null " + args;
  return runCommand("sh -c '" + shellPrefix + " exec timeout 60 " + host + "'");
}

// Writes the script to dir/s.scr and runs qrvhost on it: `options` before
// the script, `args` (the drawings) after it.
inline Result runScript(const std::filesystem::path& dir, const std::string& script, const std::string& args,
                        const std::string& options = "", const std::string& shellPrefix = "") {
  writeText(dir / "s.scr", script);
  return runHost(options + " --script " + (dir / "s.scr").string() + " " + args, shellPrefix);
}

inline bool ezdxfAvailable() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

// Runs a Python program (saved as dir/check.py) with the system python,
// which ezdxf is installed for, on the files; what it prints.
inline std::string runPython(const std::filesystem::path& dir, const std::string& program,
                             std::initializer_list<std::filesystem::path> files) {
  writeText(dir / "check.py", program);
  std::string command = "/usr/bin/python3 " + (dir / "check.py").string();
  for (const auto& f : files) command += " " + f.string();
  return runCommand(command).out;
}

// What ezdxf makes of a saved drawing: "errors N" from its audit, then
// what `body` prints with the drawing open as `doc`.
inline std::string ezdxfReport(const std::filesystem::path& dir, const std::string& body,
                               const std::filesystem::path& drawing) {
  return runPython(dir,
                   "import ezdxf, sys\n"
                   "doc = ezdxf.readfile(sys.argv[1])\n"
                   "print('errors', len(doc.audit().errors))\n" +
                       body,
                   {drawing});
}

// A drawing with two rotated dimensions, a leader and a text, saved by our
// own writer; gives the handles of the four entities in that order.
inline std::vector<std::string> makeDrawing(const std::filesystem::path& path) {
  OdDbDatabase db;
  std::vector<std::string> handles;
  for (double x : {0.0, 20.0}) handles.push_back(addRotatedDim(db, db.getDimStyleStandardId(), x).getHandle().ascii());
  handles.push_back(addLeader(db, db.getDimStyleStandardId()).getHandle().ascii());
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  OdDbTextPtr t = OdDbText::createObject();
  t->setTextString("NOTE");
  handles.push_back(ms->appendOdDbEntity(t).getHandle().ascii());
  ms.release();
  writeDxfDrawing(db, path.string());
  return handles;
}

// Plain geometry appended to a model space opened for writing; each gives
// the new entity's handle.
inline std::string addLine(const OdDbBlockTableRecordPtr& ms, OdGePoint3d a, OdGePoint3d b) {
  OdDbLinePtr l = OdDbLine::createObject();
  l->setStartPoint(a);
  l->setEndPoint(b);
  return ms->appendOdDbEntity(l).getHandle().ascii();
}
inline std::string addCircle(const OdDbBlockTableRecordPtr& ms, OdGePoint3d centre, double radius) {
  OdDbCirclePtr c = OdDbCircle::createObject();
  c->setCenter(centre);
  c->setRadius(radius);
  return ms->appendOdDbEntity(c).getHandle().ascii();
}
inline std::string addArc(const OdDbBlockTableRecordPtr& ms, OdGePoint3d centre, double radius, double start,
                          double end) {
  OdDbArcPtr a = OdDbArc::createObject();
  a->setCenter(centre);
  a->setRadius(radius);
  a->setStartAngle(start);
  a->setEndAngle(end);
  return ms->appendOdDbEntity(a).getHandle().ascii();
}

inline std::vector<OdDbEntityPtr> modelSpace(OdDbDatabase& db) {
  std::vector<OdDbEntityPtr> out;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject();
  for (auto it = ms->newIterator(); !it->done(); it->step()) out.push_back(it->entity());
  return out;
}

// The model space entities of one kind, in drawing order.
template <class T>
std::vector<OdSmartPtr<T>> entitiesOf(OdDbDatabase& db) {
  std::vector<OdSmartPtr<T>> out;
  for (const OdDbEntityPtr& e : modelSpace(db))
    if (auto t = T::cast(e)) out.push_back(t);
  return out;
}

// The entity with the dimension variables whose handle makeDrawing gave.
inline OdDbDimStyleEntityPtr openEntity(OdDbDatabase& db, const std::string& handle) {
  return db.getOdDbObjectId(*OdDbHandle::fromAscii(handle)).safeOpenObject();
}

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace sessions
