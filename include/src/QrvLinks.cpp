#include "QrvLinks.h"

#include <cerrno>

namespace qrv {

std::filesystem::path linkTarget(const std::filesystem::path& path, std::error_code& ec) {
  namespace fs = std::filesystem;
  ec.clear();
  fs::path target = path;
  for (int hops = 0; fs::is_symlink(target, ec); ++hops) {
    if (hops == 40) {
      ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
      return path;
    }
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return path;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  ec.clear();
  if (target == path) return path;
  const fs::path resolved = fs::weakly_canonical(target, ec);
  return ec ? path : resolved;
}

}  // namespace qrv
