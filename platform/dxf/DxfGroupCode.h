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

DxfValueKind dxfValueKind(int code);

const char* dxfValueKindName(DxfValueKind kind);
