#include "DxfGroupCode.h"

const char* dxfValueKindName(DxfValueKind kind)
{
    switch (kind) {
    case DxfValueKind::String: return "text";
    case DxfValueKind::Double: return "number";
    case DxfValueKind::Int16: return "16-bit integer";
    case DxfValueKind::Int32: return "32-bit integer";
    case DxfValueKind::Int64: return "64-bit integer";
    case DxfValueKind::Bool: return "boolean";
    case DxfValueKind::Handle: return "handle";
    case DxfValueKind::Binary: return "binary data";
    }
    return "value";
}
