#include "DxfVersion.h"

#include <utility>

namespace {
struct VersionName {
    DxfVersion version;
    std::string_view acadver;
    std::string_view release;
};

constexpr VersionName kVersions[] = {
    {DxfVersion::R12, "AC1009", "R12"},     {DxfVersion::R13, "AC1012", "R13"},
    {DxfVersion::R14, "AC1014", "R14"},     {DxfVersion::R2000, "AC1015", "R2000"},
    {DxfVersion::R2004, "AC1018", "R2004"}, {DxfVersion::R2007, "AC1021", "R2007"},
    {DxfVersion::R2010, "AC1024", "R2010"}, {DxfVersion::R2013, "AC1027", "R2013"},
    {DxfVersion::R2018, "AC1032", "R2018"},
};
} // namespace

std::optional<DxfVersion> dxfVersionFromName(std::string_view acadver)
{
    for (const VersionName& v : kVersions)
        if (v.acadver == acadver)
            return v.version;
    return std::nullopt;
}

std::string_view dxfOlderThanR12(std::string_view acadver)
{
    static constexpr std::pair<std::string_view, std::string_view> kOlder[] = {
        {"AC1003", "R2.6"}, {"AC1004", "R9"}, {"AC1006", "R10"}};
    for (const auto& [name, release] : kOlder)
        if (name == acadver)
            return release;
    return {};
}

std::string_view dxfVersionName(DxfVersion version)
{
    for (const VersionName& v : kVersions)
        if (v.version == version)
            return v.acadver;
    return "AC????";
}

std::string_view dxfVersionRelease(DxfVersion version)
{
    for (const VersionName& v : kVersions)
        if (v.version == version)
            return v.release;
    return "unknown";
}

std::optional<DxfVersion> dxfVersionFromRelease(std::string_view release)
{
    if (!release.empty() && (release.front() == 'R' || release.front() == 'r'))
        release.remove_prefix(1);
    for (const VersionName& v : kVersions)
        if (v.release.substr(1) == release && v.version != DxfVersion::R13 && v.version != DxfVersion::R14)
            return v.version;
    return std::nullopt;
}
