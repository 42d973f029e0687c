#pragma once
// Object selection at the command line for one document.
//
// At the "Select objects:" prompt each answer adds objects of the current
// space (model space):
//   2A 2B, 2C    object handles (hexadecimal), several per line
//   ALL          every object
//   L            the last object drawn
//   TYPE=name    every object of a kind: its DXF name ("DIMENSION",
//                "LEADER") or class name ("OdDbRotatedDimension")
//   ?            lists the selectable objects with their handles
//   Enter        ends the selection
// Objects on locked layers are skipped unless the caller allows them, and a
// caller's class filter keeps only objects of that class or derived ones.
#include <functional>
#include <string>

#include "OdDbObjectId.h"
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

private:
  struct Found;
  Found resolve(const std::string& answer, int flags, const OdRxClass* filter) const;
  void listSelectable(const OdRxClass* filter) const;

  HostEdInput& m_input;
  OdDbDatabase& m_db;
};
