#pragma once
// What every palette write shares, whoever gives the row (the host's General
// rows or a module's): the undoable step around it, and the words that tell
// the user what it passed over.
//
// A change made while a command runs belongs to that command; a change from
// the idle palette runs as the pseudo-command "OPM_CHGPROP" with its own undo
// step, the document locked for it. Editor reactors hear "OPM_CHGPROP" start
// and end either way.
#include "OdString.h"

class OdDbDatabase;

class HostPaletteChange {
public:
  HostPaletteChange() = default;
  HostPaletteChange(const HostPaletteChange&) = delete;
  HostPaletteChange& operator=(const HostPaletteChange&) = delete;
  ~HostPaletteChange() { end(); }

  // `description` names the row ("Lines & Arrows.Arrow size"), in English.
  void begin(OdDbDatabase* db, const OdString& description);
  void end();

private:
  OdDbDatabase* m_db = nullptr;
  bool m_commandWasActive = false;
  bool m_open = false;
};

// What a write passed over.
struct HostWriteReport {
  int changed = 0;
  int onLockedLayers = 0;
  int outsideRefEdit = 0;
  int unreadable = 0;
};

// Tells the user what a write passed over; `reason` is why an object refused
// the value, when it said. Empty when there is nothing to tell.
OdString hostDescribeWriteReport(const HostWriteReport& report, bool allTook, const OdString& reason = OdString());
