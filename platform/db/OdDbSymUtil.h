#pragma once
// Rules for the names of symbol table records.
#include "OdResult.h"

class OdDbDatabase;

namespace OdDbSymUtil {

// A valid name is not empty, has at most 255 characters, no control
// characters, none of  < > / \ " : ; ? * | = ' `  (the vertical bar is
// allowed for records of external references when allowVerticalBar is
// set) and no leading or trailing blank. Gives eOk or
// eInvalidSymbolTableName; `reason` (when given) says what is wrong.
OdResult validateSymbolName(const OdString& name, const OdDbDatabase* db, bool allowVerticalBar,
                            OdString* reason = nullptr);

// As validateSymbolName, but throws an OdError naming the problem.
void assertValidSymbolName(const OdString& name, const OdDbDatabase* db, bool allowVerticalBar);

}  // namespace OdDbSymUtil
