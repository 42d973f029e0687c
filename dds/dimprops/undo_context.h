#pragma once
// The undoable step around a change the palette writes: the host's palette
// change (a change made while a command runs belongs to that command; one
// from the idle palette runs as the pseudo-command "OPM_CHGPROP" with its
// own undo step, the document locked for it).
#include "OdString.h"
#include "opm/palette_change.h"

class OdDbDatabase;

class propUndoTransactionCtx {
public:
  virtual ~propUndoTransactionCtx() = default;
  virtual void begin(const OdString& description) = 0;
  virtual void end() = 0;
};

class dbUndoTransactionCtx : public propUndoTransactionCtx {
public:
  void setDatabase(OdDbDatabase* db) { m_db = db; }
  void begin(const OdString& description) override { m_change.begin(m_db, description); }
  void end() override { m_change.end(); }

private:
  OdDbDatabase* m_db = nullptr;
  HostPaletteChange m_change;
};
