#pragma once
// The drawing header variables the database models, in their DXF form.
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DxfCodePage.h"
#include "DxfDocument.h"
#include "OdDbHeaderVars.h"

class OdDbDatabase;

// Looks a record up by name for header variables that name one: table is
// 'B' blocks (arrowheads), 'D' dimension styles, 'L' layers, 'T' linetypes,
// 'S' text styles. Gives the null id for "" and unknown names (after
// noting a warning).
using DxfNameResolver = std::function<OdDbObjectId(char table, const std::string& name)>;

// Applies one header variable read from a file to `vars`; false when the
// variable is not one the database models.
bool dxfReadHeaderVariable(const DxfDocument& doc, const DxfHeaderVariable& variable, OdDbHeaderVars& vars,
                           const DxfNameResolver& resolve);

// The true colours of colour variables, which the file keeps beside the
// index variables; after every variable is read.
void dxfReadHeaderTrueColors(const DxfDocument& doc, OdDbHeaderVars& vars);

// Whether R12 files have a modelled header variable ("$DIMASZ": yes;
// "$DIMADEC", "$MEASUREMENT": no). An R12 save writes those it has not
// under a name of this system's own (dxfHeaderNameInR12: "$QRV_DIMADEC"),
// which reading takes for the variable and other programs keep or ignore.
bool dxfHeaderVariableInR12(std::string_view name);
std::string dxfHeaderNameInR12(const std::string& name);

// Every modelled header variable of `db` as file text (the value tags,
// without the "9 $NAME" tag), in a fixed order. An empty text: the variable
// is not to be in the file (a true colour where the colour is an index).
std::vector<std::pair<std::string, std::string>> dxfHeaderVariableTexts(const OdDbDatabase& db, DxfVersion version,
                                                                        DxfCodePage codePage,
                                                                        DxfLineEnding lineEnding);
