#pragma once
// Where a path that is a symbolic link leads, for writing through it.
#include <filesystem>
#include <system_error>

namespace qrv {

// The path a chain of symbolic links ends at (made absolute and tidied), or
// `path` itself when it is no link. Links are followed one at a time, so a
// link to a file not made yet is followed too, which resolving the whole
// path at once would not do. `ec` says why a link could not be followed
// (ELOOP after 40 links); `path` is returned then.
std::filesystem::path linkTarget(const std::filesystem::path& path, std::error_code& ec);

}  // namespace qrv
