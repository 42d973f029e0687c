#pragma once
// The undoable step around a change the palette writes. A change made while
// a command runs belongs to that command; a change from the idle palette runs
// as the pseudo-command "OPM_CHGPROP" with its own undo step, the document
// locked for it.
#include "OdString.h"

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
  void begin(const OdString& description) override;
  void end() override;

private:
  OdDbDatabase* m_db = nullptr;
  bool m_commandWasActive = false;
  bool m_open = false;
};
