#include "DxfRecoveryRules.h"

#include "DxfError.h"
#include "DxfGroupCode.h"
#include "DxfTag.h"

#include <cctype>
#include <charconv>

bool dxfRecoveryGroupCode(std::string_view line, int& code)
{
    const std::string_view trimmed = dxfTrim(line);
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), code);
    return ec == std::errc() && end == trimmed.data() + trimmed.size() && !trimmed.empty() && code >= 0 &&
           code <= 1071;
}

bool dxfRecoveryValueFits(int code, std::string_view value)
{
    switch (dxfValueKind(code)) {
    case DxfValueKind::Double:
    case DxfValueKind::Int16:
    case DxfValueKind::Int32:
    case DxfValueKind::Int64:
    case DxfValueKind::Bool:
        try {
            dxfCheckValue(DxfTag{code, 0, value});
        } catch (const DxfError&) {
            return false;
        }
        return true;
    default:
        return true;
    }
}

bool dxfRecoveryIsStructural(std::string_view type)
{
    return type == "TABLE" || type == "ENDTAB" || type == "BLOCK" || type == "ENDBLK";
}

bool dxfRecoveryRecordType(std::string_view type)
{
    bool letter = false;
    for (char c : type) {
        const auto u = static_cast<unsigned char>(c);
        letter = letter || std::isalpha(u);
        if (!std::isalnum(u) && c != '_')
            return false;
    }
    return letter;
}

bool dxfRecoveryVariableName(std::string_view name)
{
    if (name.size() < 2 || name[0] != '$')
        return false;
    for (char c : name.substr(1))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

bool dxfRecoveryHasDefault(int code)
{
    for (int c : {39, 48, 60, 62, 370, 420, 440})
        if (code == c)
            return true;
    return false;
}

bool dxfRecoveryHasDefault(std::string_view type, int code)
{
    if (dxfRecoveryHasDefault(code))
        return true;
    if (type != "DIMSTYLE")
        return false;
    return (code >= 40 && code <= 50) || (code >= 71 && code <= 79) || (code >= 140 && code <= 148) ||
           (code >= 170 && code <= 179) || (code >= 270 && code <= 298) || code == 371 || code == 372;
}

int dxfRecoveryPointY(int code)
{
    if ((code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210 || (code >= 1010 && code <= 1013))
        return code + 10;
    return 0;
}

bool dxfRecoveryReference(int code)
{
    return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

std::string dxfRecoveryFolded(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}
