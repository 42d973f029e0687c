#pragma once
// Result codes of database operations and the exception that carries them.
#include <stdexcept>
#include "OdString.h"

enum OdResult {
  eOk = 0,
  eNotImplemented,
  eInvalidInput,
  eNullObjectId,
  eNullObjectPointer,
  eWasErased,
  eNotOpenForWrite,
  eNotInDatabase,
  eAlreadyInDb,
  eDuplicateRecordName,
  eInvalidSymbolTableName,
  eKeyNotFound,
  eNotThatKindOfClass,
  eWrongDatabase,
  eInvalidOwnerObject,
  eSelfReference,
  eFileNotFound,
  eFileAccessErr,
  eFileWriteError,
  eBadDxfFile,
  eUnsupportedVersion,
  eInvalidKey,
  eOutOfRange,
  eIllegalReplacement,
  eNothingToUndo,
  eInvalidContext,
  eNothingToRedo,
};

// A short, stable description of a result code ("Duplicate record name").
const char* odResultText(OdResult res);

// Every refused database operation throws this. The description names what
// was refused and why, ready for a log line.
class OdError : public std::runtime_error {
public:
  explicit OdError(OdResult res);
  OdError(OdResult res, const OdString& detail);

  OdResult code() const { return m_code; }
  OdString description() const { return what(); }

private:
  OdResult m_code;
};
