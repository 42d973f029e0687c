#include "DxfGroupCode.h"

DxfValueKind dxfValueKind(int code)
{
    if (code < 0)
        return DxfValueKind::String;
    if (code < 10)
        return code == 5 ? DxfValueKind::Handle : DxfValueKind::String;
    if (code < 60)
        return DxfValueKind::Double;
    if (code < 80)
        return DxfValueKind::Int16;
    if (code < 90)
        return DxfValueKind::String;
    if (code < 100)
        return DxfValueKind::Int32;
    if (code < 110)
        return code == 105 ? DxfValueKind::Handle : DxfValueKind::String;
    if (code < 150)
        return DxfValueKind::Double;
    if (code < 160)
        return DxfValueKind::String;
    if (code < 170)
        return DxfValueKind::Int64;
    if (code < 180)
        return DxfValueKind::Int16;
    if (code < 210)
        return DxfValueKind::String;
    if (code < 240)
        return DxfValueKind::Double;
    if (code < 270)
        return DxfValueKind::String;
    if (code < 290)
        return DxfValueKind::Int16;
    if (code < 300)
        return DxfValueKind::Bool;
    if (code < 310)
        return DxfValueKind::String;
    if (code < 320)
        return DxfValueKind::Binary;
    if (code < 370)
        return DxfValueKind::Handle;
    if (code < 390)
        return DxfValueKind::Int16;
    if (code < 400)
        return DxfValueKind::Handle;
    if (code < 410)
        return DxfValueKind::Int16;
    if (code < 420)
        return DxfValueKind::String;
    if (code < 430)
        return DxfValueKind::Int32;
    if (code < 440)
        return DxfValueKind::String;
    if (code < 460)
        return DxfValueKind::Int32;
    if (code < 470)
        return DxfValueKind::Double;
    if (code < 480)
        return DxfValueKind::String;
    if (code < 482)
        return DxfValueKind::Handle;
    if (code < 1004)
        return DxfValueKind::String;
    if (code == 1004)
        return DxfValueKind::Binary;
    if (code == 1005)
        return DxfValueKind::Handle;
    if (code < 1010)
        return DxfValueKind::String;
    if (code < 1060)
        return DxfValueKind::Double;
    if (code < 1071)
        return DxfValueKind::Int16;
    if (code == 1071)
        return DxfValueKind::Int32;
    return DxfValueKind::String;
}

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
