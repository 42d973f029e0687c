// Associative dimensions under a random run of drafting every kind with
// object snaps, modify commands, erasing (undone at once), disassociating,
// palette changes, undo and redo (fixed seeds, so a failure comes back). The drawing is saved after every step: each saved
// state has every associated dimension on its geometry, measuring it, and
// an undo gives back exactly the state before the step it undoes, a redo
// the state after it.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "assoc_checks.h"
#include "session_support.h"

using namespace sessions;

namespace {

struct Start {
  std::vector<std::string> lines, curves, dimensions;
};

// Three lines of a triangle, an arc and a circle, and two dimensions
// associated with them as the drafting commands associate theirs.
Start makeStart(const std::filesystem::path& path) {
  OdDbDatabase db;
  OdDbBlockTableRecordPtr ms = db.getModelSpaceId().safeOpenObject(OdDb::kForWrite);
  Start s;
  std::vector<OdDbLinePtr> lines;
  const OdGePoint3d corners[] = {{0, 0, 0}, {30, 0, 0}, {10, 20, 0}};
  for (int i = 0; i < 3; ++i) {
    OdDbLinePtr l = OdDbLine::createObject();
    l->setStartPoint(corners[i]);
    l->setEndPoint(corners[(i + 1) % 3]);
    s.lines.push_back(ms->appendOdDbEntity(l).getHandle().ascii());
    lines.push_back(l);
  }
  OdDbCirclePtr circle = OdDbCircle::createObject();
  circle->setCenter({15, 6, 0});
  circle->setRadius(2);
  // Braces evaluate in order: the arc is appended first.
  s.curves = {addArc(ms, {50, 10, 0}, 8, 0.3, 2.5), ms->appendOdDbEntity(circle).getHandle().ascii()};

  OdDbAlignedDimensionPtr aligned = OdDbAlignedDimension::createObject();
  aligned->setXLine1Point(corners[0]);
  aligned->setXLine2Point(corners[1]);
  aligned->setDimLinePoint({0, -5, 0});
  aligned->setDimensionStyle(db.getDimStyleStandardId());
  OdDbRadialDimensionPtr radius = OdDbRadialDimension::createObject();
  radius->setCenter(circle->center());
  radius->setChordPoint({17, 6, 0});
  radius->setDimensionStyle(db.getDimStyleStandardId());
  for (const OdDbDimensionPtr& d : {OdDbDimensionPtr(aligned), OdDbDimensionPtr(radius)})
    s.dimensions.push_back(ms->appendOdDbEntity(d).getHandle().ascii());
  OdDbDimAssocPtr a = OdDbDimAssoc::createObject();
  a->setPointRef(0, odDbMakeOsnapRef(*lines[0], OdDbOsnapType::kStart, std::nullopt));
  a->setPointRef(1, odDbMakeOsnapRef(*lines[0], OdDbOsnapType::kEnd, std::nullopt));
  odDbSetDimAssoc(*aligned, a);
  OdDbDimAssocPtr r = OdDbDimAssoc::createObject();
  r->setPointRef(0, odDbMakeOsnapRef(*circle, OdDbOsnapType::kNear, radius->chordPoint()));
  r->setPointRef(1, odDbMakeOsnapRef(*circle, OdDbOsnapType::kCen, std::nullopt));
  odDbSetDimAssoc(*radius, r);
  ms.release();
  writeDxfDrawing(db, path.string());
  return s;
}

// What an undo must give back: every entity's kind, points and sizes, each
// dimension's points, the points that place it, its text place,
// measurement, text height and association.
std::string stateOf(OdDbDatabase& db) {
  std::ostringstream out;
  out.precision(12);
  auto point = [&](const OdGePoint3d& p) { out << " (" << p.x << "," << p.y << ")"; };
  for (const OdDbEntityPtr& e : modelSpace(db)) {
    out << e->getDbHandle().ascii() << " " << e->isA()->name();
    if (auto l = OdDbLine::cast(e)) {
      point(l->startPoint());
      point(l->endPoint());
    } else if (auto a = OdDbArc::cast(e)) {
      point(a->center());
      out << " " << a->radius() << " " << a->startAngle() << " " << a->endAngle();
    } else if (auto c = OdDbCircle::cast(e)) {
      point(c->center());
      out << " " << c->radius();
    } else if (auto d = OdDbDimension::cast(e)) {
      for (int i = 0; i < OdDbDimAssoc::kPoints; ++i)
        if (auto p = odDbDimAssocPoint(*d, i)) point(*p);
      point(d->textPosition());
      if (auto r = OdDbRotatedDimension::cast(d)) point(r->dimLinePoint());
      if (auto a = OdDbAlignedDimension::cast(d)) point(a->dimLinePoint());
      if (auto a = OdDb2LineAngularDimension::cast(d)) point(a->arcPoint());
      if (auto a = OdDb3PointAngularDimension::cast(d)) point(a->arcPoint());
      if (auto a = OdDbArcDimension::cast(d)) {
        point(a->arcPoint());
        point(a->leader1Point());
        point(a->leader2Point());
      }
      if (auto o = OdDbOrdinateDimension::cast(d)) point(o->leaderEndPoint());
      if (auto j = QrHugeRadius::cast(d)) {
        point(j->overrideCenter());
        point(j->jogPoint());
      }
      out << " " << d->getMeasurement() << " " << d->effectiveDimVars().txt;
      if (OdDbDimAssocPtr assoc = OdDbDimAssoc::cast(odDbDimAssocId(*d).openObject()))
        for (int i = 0; i < OdDbDimAssoc::kPoints; ++i)
          if (const auto& ref = assoc->pointRef(i)) out << " [" << int(ref->osnapType) << " " << ref->mainObject().ascii() << "]";
    }
    out << "\n";
  }
  return out.str();
}

// One random step as script lines, and whether it is an undo or a redo.
enum class Step { kChange, kUndo, kRedo };

struct Script {
  std::string text;
  std::vector<Step> steps;
};

Script randomScript(unsigned seed, const Start& s, const std::filesystem::path& dir, int count) {
  std::mt19937 random(seed);
  auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
  auto number = [&](int low, int high) { return std::to_string(low + int(random() % unsigned(high - low + 1))); };
  auto at = [&] { return number(-40, 60) + "," + number(-40, 40); };
  auto subset = [&] {
    std::string handles;
    for (const auto& h : s.lines) handles += random() % 2 ? h + " " : "";
    for (const auto& h : s.curves) handles += random() % 2 ? h + " " : "";
    return handles.empty() ? s.lines[0] : handles;
  };
  // The drawing as the host opened it (dimension texts placed).
  Script script{"SAVEAS\n" + (dir / "opened.dxf").string() + "\n", {}};
  // An erase is undone at once and then everything is moved (which ends
  // any redo), so that no later step names an object that is gone.
  std::optional<int> forced;
  for (int i = 0; i < count; ++i) {
    std::string& t = script.text;
    Step step = Step::kChange;
    const char* ends[] = {"END", "START", "MID"};
    // A redo means something right after an undo: half of those are redos.
    const bool afterUndo = !script.steps.empty() && script.steps.back() == Step::kUndo;
    const std::string snap = std::string(ends[random() % 3]) + " " + pick(s.lines);
    int kind = afterUndo && random() % 2 ? 14 : random() % 24;
    if (forced) kind = *forced;
    forced = kind == 16 ? std::optional(11) : kind == 11 && forced ? std::optional(99) : std::nullopt;
    switch (kind) {
      case 0: t += "DIMLINEAR\n" + snap + "\nEND " + pick(s.lines) + "\n" + at() + "\n"; break;
      case 1: t += "DIMALIGNED\nCEN " + s.curves[0] + "\n" + snap + "\n" + at() + "\n"; break;
      // From the last linear dimension (the drawing starts with one).
      case 2: t += pick({"DIMBASELINE", "DIMCONTINUE"}) + "\n" + snap + "\n\n\n"; break;
      case 3: t += "DIMRADIUS\n" + pick(s.curves) + "\n" + at() + "\n"; break;
      case 4: t += "DIMJOGGED\n" + pick(s.curves) + "\n" + at() + "\n" + at() + "\n" + at() + "\n"; break;
      case 5: t += "MOVE\n" + subset() + "\n\n0,0\n" + at() + "\n"; break;
      case 6: t += "ROTATE\n" + subset() + "\n\n" + at() + "\n" + number(10, 350) + "\n"; break;
      case 7: t += "MIRROR\n" + subset() + "\n\n" + at() + "\n" + at() + "\nYes\n"; break;
      case 8: t += "STRETCH\nC\n" + at() + "\n" + at() + "\n\n0,0\n" + at() + "\n"; break;
      case 9: t += "SCALE\n" + subset() + "\n\n" + at() + "\n" + pick({"0.5", "2", "3"}) + "\n"; break;
      // A height not set before: every palette step changes the drawing.
      case 10:
        t += "SELECT\n" + s.dimensions[0] + " " + s.dimensions[1] + "\n\nPROPERTIES\nset Text.Text height = " +
             std::to_string(1 + i) + "\nclose\n";
        break;
      case 11:
      case 12:
      case 13: t += "U\n"; step = Step::kUndo; break;
      case 14:
      case 15: t += "REDO\n"; step = Step::kRedo; break;
      case 16: t += "ERASE\n" + subset() + "\n\n"; break;
      case 17: t += "DIMLINEAR\n\n" + pick(s.lines) + "\n" + at() + "\n"; break;
      case 18: t += "DIMANGULAR\n" + pick(s.lines) + "\n" + pick(s.lines) + "\n" + at() + "\n"; break;
      case 19: t += "DIMORDINATE\n" + snap + "\n" + at() + "\n"; break;
      case 20: t += "DIMARC\n" + s.curves[0] + "\n" + at() + "\n"; break;
      case 21: t += "DIMDIAMETER\n" + pick(s.curves) + "\n" + at() + "\n"; break;
      case 22: t += "COPY\n" + subset() + "\n\n0,0\n" + at() + "\n\n"; break;
      case 23: t += "DIMDISASSOCIATE\nL\n\n"; break;
      case 99: t += "MOVE\nALL\n\n0,0\n1,1\n"; break;
    }
    script.steps.push_back(step);
    t += "SAVEAS\n" + (dir / ("s" + std::to_string(i) + ".dxf")).string() + "\n";
  }
  script.text += "QUIT\n";
  return script;
}

TEST(FollowRandom, DimensionsFollowAndUndoRedoRestoreExactlyInRandomRuns) {
  int undone = 0, redone = 0;
  for (unsigned seed : {11u, 22u, 33u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const auto dir = tempFolder("follow-random-" + std::to_string(seed));
    const Start start = makeStart(dir / "in.dxf");
    const int count = 40;
    const Script script = randomScript(seed, start, dir, count);
    const Result r = runScript(dir, script.text, (dir / "in.dxf").string());
    ASSERT_EQ(r.status, 0) << r.out;

    // The states the undo stack holds: a step that changed the drawing
    // pushes the state before it (a step refused changes nothing).
    auto startDb = readDxfDrawing((dir / "opened.dxf").string());
    std::string current = stateOf(*startDb);
    std::vector<std::string> undoable, redoable;
    for (int i = 0; i < count; ++i) {
      SCOPED_TRACE("step " + std::to_string(i));
      auto db = readDxfDrawing((dir / ("s" + std::to_string(i) + ".dxf")).string());
      ASSERT_TRUE(db);
      ASSERT_EQ(followFaults(*db), "") << r.out;
      const std::string now = stateOf(*db);
      if (script.steps[i] == Step::kUndo && !undoable.empty()) {
        ASSERT_EQ(now, undoable.back());
        ++undone;
        redoable.push_back(current);
        undoable.pop_back();
      } else if (script.steps[i] == Step::kRedo && !redoable.empty()) {
        ASSERT_EQ(now, redoable.back());
        ++redone;
        undoable.push_back(current);
        redoable.pop_back();
      } else if (script.steps[i] != Step::kChange) {
        ASSERT_EQ(now, current);  // nothing to undo or redo
      } else if (now != current) {
        undoable.push_back(current);
        redoable.clear();
      }
      current = now;
    }
  }
  // The runs did undo and redo steps that changed the drawing.
  EXPECT_GT(undone, 0);
  EXPECT_GT(redone, 0);
}

}  // namespace
