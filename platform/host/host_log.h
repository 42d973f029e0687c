#pragma once
// The host's trace log. Modules report failed preconditions, database errors
// and warnings here; the user sees only what the command line prints.
//
// Each entry is one line:
//   2024-05-01 12:00:00 dds/dds(120): ERROR(80004005) 'RETERRIF marco, expr: !pAD '
// with the message part in one of the forms
//   ERROR(%X) '%s'    ERROR '%s'    WARNING(%X) '%s'    WARNING '%s'    NOTE '%s'
// Errors are also written to standard error (without the time), so that a
// scripted run shows them even when nobody reads the log file.
#include <string>

#include "OdString.h"
#include "host_result.h"

enum class HostLogLevel { kNote, kWarning, kError };

void hostTraceError(const char* source, int line, HRESULT code, const OdString& text);
void hostTraceError(const char* source, int line, const OdString& text);
void hostTraceWarning(const char* source, int line, HRESULT code, const OdString& text);
void hostTraceWarning(const char* source, int line, const OdString& text);
void hostTraceNote(const char* source, int line, const OdString& text);

// The message part of an entry, e.g. "ERROR(80004005) 'text'".
OdString hostLogMessage(HostLogLevel level, bool withCode, HRESULT code, const OdString& text);

// Where entries go. Opening appends to the file (creating its folder); on
// failure the previous destination stays and `error` says why. Until a file
// is set, entries go to standard error only.
bool setHostLogFile(const std::string& path, std::string* error = nullptr);
void closeHostLog();
std::string hostLogPath();  // empty when there is no log file
// Whether errors are echoed to standard error (default true).
void setHostLogEchoErrors(bool echo);
