#pragma once
// The DXF versions this layer reads, named by their $ACADVER value. The
// numeric values order them, so "at least R2007" is a plain comparison.
#include <optional>
#include <string_view>

enum class DxfVersion {
    R12 = 1009,
    R13 = 1012,
    R14 = 1014,
    R2000 = 1015,
    R2004 = 1018,
    R2007 = 1021,
    R2010 = 1024,
    R2013 = 1027,
    R2018 = 1032,
};

// "AC1015" -> R2000; nullopt for anything this layer does not know.
std::optional<DxfVersion> dxfVersionFromName(std::string_view acadver);
// "AC1006" -> "R10" for the versions before R12 that are read as R12; ""
// for any other name.
std::string_view dxfOlderThanR12(std::string_view acadver);
// R2000 -> "AC1015"
std::string_view dxfVersionName(DxfVersion version);
// R2000 -> "R2000", for messages meant for users.
std::string_view dxfVersionRelease(DxfVersion version);
// The versions drawings are written in, by release name, any letter case,
// "R" optional: "R12", "2000" ... "r2018"; nullopt for others (R13, R14).
std::optional<DxfVersion> dxfVersionFromRelease(std::string_view release);

// From R2007 on, text in DXF files is UTF-8; before, it is in the code page
// that $DWGCODEPAGE names.
inline bool dxfVersionUsesUtf8(DxfVersion version)
{
    return version >= DxfVersion::R2007;
}
