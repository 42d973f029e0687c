#pragma once
// Linetype files (".lin"): named dash patterns that a drawing can load.
//
//   ;; a comment line
//   *DASHED,Dashed __ __ __
//   A,12.7,-6.35
//
// A definition is a header line, "*" then the name and after the first comma
// a description, followed by its pattern line: the alignment "A", then the
// lengths in drawing units, dashes positive, gaps negative, dots 0. Complex
// definitions (a "[...]" element with text or shapes) are read but cannot be
// loaded: this host draws plain dash patterns only.
#include <string>
#include <vector>

#include "OdString.h"

class OdDbDatabase;

struct LinetypeDefinition {
  OdString name;
  OdString description;
  std::vector<double> dashes;
  bool complex = false;  // holds text or shapes
};

// The definitions of a file's text, in file order. False with `message`
// (naming the line) when the text is not a linetype file.
bool hostParseLinetypeText(const std::string& text, std::vector<LinetypeDefinition>& definitions,
                           OdString& message);
bool hostReadLinetypeFile(const std::string& path, std::vector<LinetypeDefinition>& definitions,
                          OdString& message);

// Adds the definitions named (names separated by commas, any case; "*" all)
// to the drawing's linetypes, as one undoable step. A linetype the drawing
// already has is kept as it is. False, with nothing added, when a name is not
// in the file or cannot be loaded; `message` says what was done or why not.
// `loaded` gets the names asked for, as the drawing spells them, in order.
bool hostLoadLinetypes(OdDbDatabase* db, const std::vector<LinetypeDefinition>& definitions,
                       const OdString& names, const std::string& fileName, std::vector<OdString>& loaded,
                       OdString& message);

// Reads the file (empty: the default file) and loads the names from it:
// what the pickers' "Load..." does once the user named both.
bool hostLoadLinetypesFromFile(OdDbDatabase* db, const std::string& path, const OdString& names,
                               std::vector<OdString>& loaded, OdString& message);

// The linetype file the host ships (its ISO 128 patterns); the host sets it
// at start-up. Empty when the host found none.
void hostSetDefaultLinetypeFile(const std::string& path);
const std::string& hostDefaultLinetypeFile();
