#pragma once
// What kind of value a DXF group code carries. The kind decides how a value
// is parsed and how it is written; it depends on the code alone, except for
// a few codes that some record types reuse (group 5 of an old DIMSTYLE entry
// is a block name, not a handle), which the callers know about.

enum class DxfValueKind {
    String,  // text, also every code the format does not assign
    Double,  // 10-59, 110-149, 210-239, 460-469, 1010-1059
    Int16,   // 60-79, 170-179, 270-289, 370-389, 400-409, 1060-1070
    Int32,   // 90-99, 420-429, 440-459, 1071
    Int64,   // 160-169
    Bool,    // 290-299
    Handle,  // 5, 105, 320-369, 390-399, 480-481, 1005 (hexadecimal)
    Binary,  // 310-319, 1004 (hexadecimal byte chunks)
};

// The ranges above, code by code.
constexpr DxfValueKind dxfValueKindByRule(int code)
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

// The same, from a table for the codes files use: every tag of a file is
// asked for its kind.
inline DxfValueKind dxfValueKind(int code)
{
    struct Table {
        DxfValueKind kinds[1072];
        constexpr Table() : kinds()
        {
            for (int c = 0; c < 1072; ++c)
                kinds[c] = dxfValueKindByRule(c);
        }
    };
    static constexpr Table table;
    return static_cast<unsigned>(code) < 1072 ? table.kinds[code] : dxfValueKindByRule(code);
}

const char* dxfValueKindName(DxfValueKind kind);
