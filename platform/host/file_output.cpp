#include "file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "QrvLinks.h"

namespace {

std::string describeErrno(int err) { return std::strerror(err); }

// The file a link points to (links of links too, and a link to a file not
// made yet), or the path itself.
std::string followLinks(const std::string& path) {
  std::error_code ec;
  return qrv::linkTarget(path, ec).string();
}

// A name beside `target` that no file has yet, opened for writing. The mode
// 0666 lets the umask decide, as for any file the user creates.
int createBeside(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    // A short name of its own: the target's name plus a suffix may pass the
    // file system's limit where the name alone does not.
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    name = (folder / (".qrv-out-" + std::to_string(::getpid()) + "-" + std::to_string(counter++))).string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

std::string hostWhyNotAFileTarget(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};  // a new file
  if (S_ISDIR(st.st_mode)) return "it is a folder";
  if (!S_ISREG(st.st_mode)) return "it is not a regular file";
  return {};
}

bool hostIsReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

std::string hostFileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_size) + ":" +
         std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

bool hostSaveFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  const std::string target = followLinks(path);
  if (std::string why = hostWhyNotAFileTarget(target); !why.empty()) {
    error = why;
    return false;
  }
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0;

  std::string temporary;
  const int fd = createBeside(target, temporary);
  if (fd < 0) {
    error = "cannot create a file beside it: " + describeErrno(errno);
    return false;
  }
  auto fail = [&](const std::string& what, int err) {
    ::close(fd);
    ::unlink(temporary.c_str());
    error = what + ": " + describeErrno(err);
    return false;
  };
  if (hadOld && ::fchmod(fd, old.st_mode & 07777) != 0) return fail("cannot keep the permissions", errno);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail("cannot write", n < 0 ? errno : ENOSPC);
    done += std::size_t(n);
  }
  if (::fsync(fd) != 0) return fail("cannot flush to disk", errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temporary.c_str());
    error = "cannot write: " + describeErrno(err);
    return false;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temporary.c_str());
    error = "cannot replace the file: " + describeErrno(err);
    return false;
  }
  return true;
}

