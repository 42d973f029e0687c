#pragma once
// Editor reactors: told when a command starts and ends. The host tells them
// about every command it runs; a module announces its own pseudo-commands
// (such as a change from the Properties palette, "OPM_CHGPROP") through the
// broadcast functions.
#include <vector>

#include "OdString.h"

class HostEditorReactor {
public:
  virtual ~HostEditorReactor();
  virtual void commandWillStart(const OdString& globalName);
  virtual void commandEnded(const OdString& globalName);
  virtual void commandCancelled(const OdString& globalName);
};

// Attaching twice changes nothing; a reactor destroyed while attached
// detaches itself.
void hostAddEditorReactor(HostEditorReactor* reactor);
void hostRemoveEditorReactor(HostEditorReactor* reactor);
std::size_t hostEditorReactorCount();

// Tells every attached reactor, in the order they were attached. A reactor
// that throws is logged and the others are still told.
void hostBroadcastCommandWillStart(const OdString& globalName);
void hostBroadcastCommandEnded(const OdString& globalName);
void hostBroadcastCommandCancelled(const OdString& globalName);
