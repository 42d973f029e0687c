#pragma once
// Object selection at the command line for one document.
//
// At the "Select objects:" prompt each answer adds objects of the current
// space (model space):
//   2A 2B, 2C    object handles (hexadecimal), several per line
//   ALL          every object
//   L            the last object drawn
//   W, C         a window (objects wholly inside) or crossing box (objects
//                with any part inside) between two corners
//   TYPE=name    every object of a kind: its DXF name ("DIMENSION",
//                "LEADER") or class name ("OdDbRotatedDimension")
//   ?            lists the selectable objects with their handles
//   Enter        ends the selection
// Objects on locked layers are skipped unless the caller allows them, and a
// caller's class filter keeps only objects of that class or derived ones.
#include <functional>
#include <optional>
#include <string>

#include "OdDbObjectId.h"
#include "OdGePoint3d.h"
#include "OdString.h"

class HostEdInput;
class OdDbDatabase;
class OdRxClass;

// Selection flags.
constexpr int kSelSingle = 0x2000;               // one object: the first answer that finds one ends it
constexpr int kSelCallerPrompt = 0x10000;        // show the caller's prompt instead of "Select objects:"
constexpr int kSelLockedLayersAllowed = 0x200000;  // objects on locked layers may be picked (reading)

// Selection results.
constexpr int kSelectionOk = -1;  // at least one object selected
constexpr int kSelectionNone = 0;
constexpr int kSelectionCancelled = -2;

// A selection box of the drawing's XY plane, by two opposite corners.
struct HostSelectionBox {
  OdGePoint3d first, second;
  bool crossing = false;  // objects with any part inside; else wholly inside
  // Whether a point lies inside, on the edges included (its z aside).
  bool contains(const OdGePoint3d& p) const;
};

// Which of the entities a box takes, judged on their pictures. The host
// installs it from its renderer, so that typed boxes take what a box
// dragged in the window takes; without one, W and C are refused.
using HostBoxSelector =
    std::function<OdDbObjectIdArray(const OdDbObjectIdArray& entities, const HostSelectionBox& box)>;
void hostSetBoxSelector(HostBoxSelector selector);
// The one installed; empty when none is.
const HostBoxSelector& hostBoxSelector();

class HostEdSSManager {
public:
  HostEdSSManager(HostEdInput& input, OdDbDatabase& db) : m_input(input), m_db(db) {}

  // `selected` receives the objects in the order they were picked, each once.
  // `otherAnswer`, when given, hears each typed answer first (a caller's
  // option, such as MATCHPROP's Settings); true when it took the answer,
  // which then selects nothing.
  int select(const OdString& prompt, int flags, OdDbObjectIdArray& selected,
             const OdRxClass* filter = nullptr,
             const std::function<bool(const std::string&)>& otherAnswer = {});

  // The last live entity of the current space; null when there is none.
  OdDbObjectId lastEntity() const;

  // The last box given during the last select() (STRETCH moves what lies
  // in it); nothing when none was.
  const std::optional<HostSelectionBox>& lastBox() const { return m_lastBox; }

private:
  struct Found;
  Found resolve(const std::string& answer, int flags, const OdRxClass* filter) const;
  Found screen(const OdDbObjectIdArray& candidates, int flags, const OdRxClass* filter) const;
  // Asks the corners of a box; false when cancelled.
  bool askBox(bool crossing, HostSelectionBox& box);
  void listSelectable(const OdRxClass* filter) const;

  HostEdInput& m_input;
  OdDbDatabase& m_db;
  std::optional<HostSelectionBox> m_lastBox;
};
