#pragma once
// Listing the 78 variables of a style or of the drawing's current values,
// comparing two such sources, and copying values between them.
#include <vector>

#include "OdDbDatabase.h"
#include "OdDbDimStyleTableRecord.h"

class OdDbDimStyleEntity;

namespace dds {

// Rows are consecutive strings of a flat array: a listing row is name,
// value and optionally description; a comparison row is name, first value,
// second value and optionally description. Rows come in listing order.
using DimVarRows = std::vector<OdString>;

void listStyleValues(const OdDbDimStyleTableRecord* record, DimVarRows& rows, bool withDescription);
void listCurrentValues(const OdDbDatabase* db, DimVarRows& rows, bool withDescription);
// A null record lists the current document's current values.
void listValues(const OdDbDimStyleTableRecord* record, DimVarRows& rows, bool withDescription);
// A dimension's or leader's values, overrides included.
void listEntityValues(const OdDbDimStyleEntity* entity, DimVarRows& rows, bool withDescription);

// The variables in which two sources differ; a null source is the current
// document's current values. Both null, or the same object: no rows.
void compareStyleValues(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second,
                        DimVarRows& rows, bool withDescription);
// The same with an explicit database for the null side(s).
void compareStyleValues(const OdDbDimStyleTableRecord* first, const OdDbDimStyleTableRecord* second,
                        const OdDbDatabase* db, DimVarRows& rows, bool withDescription);

// Whether the drawing's current values differ from the record in any
// variable.
bool hasOverrides(const OdDbDimStyleTableRecord* record, const OdDbDatabase* db);

// All 78 values, as stored, in catalogue order.
void copyStyleToCurrent(OdDbDatabase* db, const OdDbDimStyleTableRecord* record);
void copyCurrentToStyle(OdDbDimStyleTableRecord* record, const OdDbDatabase* db);
void copyEntityToCurrent(OdDbDatabase* db, const OdDbDimStyleEntity* entity);
void copyCurrentToEntity(OdDbDimStyleEntity* entity, const OdDbDatabase* db);

// The text of one value, chosen by the variable's kind (for callers that
// show single values).
OdString dimVarValueText(int catalogueIndex, const OdDbDimVarValue& value);

}  // namespace dds
