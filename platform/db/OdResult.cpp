#include "OdResult.h"

const char* odResultText(OdResult res) {
  switch (res) {
    case eOk: return "No error";
    case eNotImplemented: return "Not implemented";
    case eInvalidInput: return "Invalid input";
    case eNullObjectId: return "Null object id";
    case eNullObjectPointer: return "Null object pointer";
    case eWasErased: return "Object was erased";
    case eNotOpenForWrite: return "Object not open for write";
    case eNotInDatabase: return "Object not in a database";
    case eAlreadyInDb: return "Object already in a database";
    case eDuplicateRecordName: return "Duplicate record name";
    case eInvalidSymbolTableName: return "Invalid symbol table name";
    case eKeyNotFound: return "Key not found";
    case eNotThatKindOfClass: return "Object is not of the expected class";
    case eWrongDatabase: return "Object belongs to another database";
    case eInvalidOwnerObject: return "Invalid owner object";
    case eSelfReference: return "Self reference";
    case eFileNotFound: return "File not found";
    case eFileAccessErr: return "File access error";
    case eFileWriteError: return "File write error";
    case eBadDxfFile: return "Bad DXF file";
    case eUnsupportedVersion: return "Unsupported file version";
    case eInvalidKey: return "Invalid key";
    case eOutOfRange: return "Value out of range";
    case eIllegalReplacement: return "Illegal replacement";
    case eNothingToUndo: return "Nothing to undo";
    case eInvalidContext: return "Invalid context";
    case eNothingToRedo: return "Nothing to redo";
  }
  return "Unknown error";
}

OdError::OdError(OdResult res) : std::runtime_error(odResultText(res)), m_code(res) {}

OdError::OdError(OdResult res, const OdString& detail)
    : std::runtime_error(OdString(odResultText(res)) + ": " + detail), m_code(res) {}
