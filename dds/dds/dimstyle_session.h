#pragma once
// One run of the command-line style command: the document it works on and
// the workers behind its options.
#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"
#include "dlgdimstyle/style_listing.h"
#include "host_result.h"

class HostApDocument;
class HostEdInput;
class HostEdSSManager;

namespace dds {

class DimStyleSession {
public:
  DimStyleSession(HostApDocument* doc, OdDbDatabase* db, HostEdInput* input, HostEdSSManager* selection)
      : m_doc(doc), m_db(db), m_input(input), m_selection(selection) {}

  // The whole command: the status line, the overrides, the main prompt.
  void run();

  // Workers; each gives S_OK, E_ABORT when the user stopped, E_FAIL on
  // failure.
  HRESULT listNamedStyles();
  void printStyleLine(const OdDbDimStyleTableRecord* style);
  void printTable(const DimVarRows& rows, int columns);
  // Absent names (null) stand for the current settings.
  HRESULT compareWithCurrent(const OdString* first, const OdString* second);
  HRESULT saveStyle(const bool* annotative);
  enum class RestoreMode { kRestore, kList };
  HRESULT restoreStyle(RestoreMode mode);
  static HRESULT setCurrentStyleByName(OdDbDatabase* db, const OdString& name);

private:
  void printStatusLine();
  void printOverrides();
  void printStatus();
  void applyToSelection();
  // "~name": the differences of that style from the current settings.
  void showDifferencesOf(const OdString& typedAfterTilde);

  HostApDocument* m_doc;
  OdDbDatabase* m_db;
  HostEdInput* m_input;
  HostEdSSManager* m_selection;
  DimVarRows m_rows;
};

// Pads text with blanks to `width` characters, or adds one blank when it is
// that long already.
OdString padColumn(const OdString& text, std::size_t width);

}  // namespace dds
