#include "DxfFile.h"

#include "QrvLinks.h"

#include "DxfError.h"

#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <sys/uio.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string reason(int err)
{
    return std::system_category().message(err);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result: a failed close can be the first
    // sign of a failed write on some file systems.
    int close()
    {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Removes the temporary file unless the save went through.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::string path_;
};

// The process umask without changing it (umask() can only be read by
// setting it, which would race with other threads creating files).
mode_t currentUmask()
{
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            unsigned mask = 0;
            if (std::sscanf(line, "Umask: %o", &mask) == 1) {
                std::fclose(status);
                return static_cast<mode_t>(mask);
            }
        }
        std::fclose(status);
    }
    return 022;
}

bool writeAll(int fd, std::string_view bytes, int& err)
{
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left < (size_t(1) << 30) ? left : (size_t(1) << 30));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Many pieces in few system calls; a short write continues where it ended.
bool writeBatch(int fd, const std::vector<iovec>& batch, int& err)
{
    if (batch.empty())
        return true;
    ssize_t n;
    do
        n = ::writev(fd, batch.data(), static_cast<int>(batch.size()));
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        err = errno;
        return false;
    }
    size_t skip = static_cast<size_t>(n);
    for (const iovec& v : batch) {
        if (skip >= v.iov_len) {
            skip -= v.iov_len;
            continue;
        }
        if (!writeAll(fd, std::string_view(static_cast<const char*>(v.iov_base) + skip, v.iov_len - skip), err))
            return false;
        skip = 0;
    }
    return true;
}

// A piece that is a view of the source file's mapping, copied from file to
// file by the system: its pages need not come into the program's memory.
// Where the system cannot (another file system, an old kernel, the source
// cut short), the rest is written from the mapping as any piece.
bool copyFromSource(int fd, const DxfCopySource& source, std::string_view piece, int& err)
{
    auto from = static_cast<off_t>(piece.data() - source.begin);
    while (!piece.empty()) {
        ssize_t n = ::copy_file_range(source.fd, &from, fd, nullptr, piece.size(), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return writeAll(fd, piece, err);
        piece.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool writeAll(int fd, std::span<const std::string_view> pieces, const DxfCopySource& source, int& err)
{
    // Smaller ranges of the source are written like the rest: a system call
    // each would cost more than the few pages they touch.
    constexpr size_t kCopyFrom = size_t(64) << 10;
    // The part of a piece that lies in the source (a piece may run on past
    // the mapped file's last whole page, which the mapping holds a copy of).
    auto inSource = [&](std::string_view p) {
        if (source.fd < 0 || p.data() < source.begin || p.data() >= source.begin + source.size)
            return std::string_view();
        p = p.substr(0, static_cast<size_t>(source.begin + source.size - p.data()));
        return p.size() >= kCopyFrom ? p : std::string_view();
    };
    std::vector<iovec> batch;
    size_t next = 0;
    while (next < pieces.size()) {
        batch.clear();
        size_t total = 0;
        while (next < pieces.size() && batch.size() < 1024 && total < (size_t(1) << 30) &&
               inSource(pieces[next]).empty()) {
            const std::string_view p = pieces[next++];
            if (!p.empty()) {
                batch.push_back({const_cast<char*>(p.data()), p.size()});
                total += p.size();
            }
        }
        if (!writeBatch(fd, batch, err))
            return false;
        if (next < pieces.size()) {
            const std::string_view piece = pieces[next];
            const std::string_view copied = inSource(piece);
            if (copied.empty())
                continue;
            ++next;
            if (!copyFromSource(fd, source, copied, err) || !writeAll(fd, piece.substr(copied.size()), err))
                return false;
        }
    }
    return true;
}

// Best effort: makes the rename itself durable. A failure here cannot undo
// the save, which has already happened.
void syncFolder(const fs::path& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

DxfFileBytes dxfReadFile(const fs::path& path)
{
    auto fail = [&](const std::string& why) -> DxfError {
        return DxfError(0, "cannot read '" + path.string() + "': " + why);
    };
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw fail(reason(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw fail(reason(errno));
    if (S_ISDIR(st.st_mode))
        throw fail("it is a folder");
    if (!S_ISREG(st.st_mode))
        throw fail("it is not a regular file");
    DxfFileBytes file;
    auto size = static_cast<size_t>(st.st_size);
    file.data = std::make_unique_for_overwrite<char[]>(size + 1);
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd.get(), file.data.get() + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw fail(reason(errno));
        }
        if (n == 0)  // the file shrank while we read it: take what is there
            break;
        done += static_cast<size_t>(n);
    }
    file.size = done;
    file.data[done] = '\0';
    return file;
}

void dxfSaveAtomically(const fs::path& requested, std::string_view bytes)
{
    dxfSaveAtomically(requested, std::span<const std::string_view>(&bytes, 1));
}

void dxfSaveAtomically(const fs::path& requested, std::span<const std::string_view> bytes,
                       const std::function<void()>& beforeReplacing, const DxfCopySource& source)
{
    auto fail = [&](const std::string& what, int err) -> DxfError {
        return DxfError(0, "cannot save '" + requested.string() + "': " + what + ": " + reason(err));
    };

    // A link is written through, also one whose file does not exist yet:
    // the link stays a link.
    std::error_code ec;
    const fs::path target = qrv::linkTarget(requested, ec);
    if (ec)
        throw fail("cannot follow the link", ec.value());
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        int e = errno;
        throw fail("folder '" + folder.string() + "' is not usable", e);
    }
    if (!S_ISDIR(st.st_mode))
        throw fail("'" + folder.string() + "' is not a folder", ENOTDIR);

    struct stat old {};
    bool hadOld = ::stat(target.c_str(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode))
        throw fail("the target exists and is not a regular file", S_ISDIR(old.st_mode) ? EISDIR : EINVAL);

    // A short name of its own: the drawing's name plus a suffix may pass
    // the file system's limit of 255 bytes where the name alone does not.
    std::string pattern = (folder / ".qrv-save-XXXXXX").string();
    FileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) {
        int e = errno;
        throw fail("cannot create a temporary file in '" + folder.string() + "'", e);
    }
    TemporaryFile temporary(pattern);

    // mkstemp makes the file private to its owner; the saved drawing keeps
    // the permissions of the file it replaces, or gets the usual ones.
    mode_t mode = hadOld ? (old.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd.get(), mode) != 0)
        throw fail("cannot set the permissions of the temporary file", errno);

    int err = 0;
    if (!writeAll(fd.get(), bytes, source, err))
        throw fail("cannot write the temporary file", err);
    if (::fsync(fd.get()) != 0)
        throw fail("cannot flush the temporary file to disk", errno);
    if (fd.close() != 0)
        throw fail("cannot close the temporary file", errno);
    if (beforeReplacing)
        beforeReplacing();  // throws to call the save off; the temporary file goes

    if (hadOld) {
        // The backup is made only now that the new content is safely on
        // disk, so a failed write never costs the previous backup.
        std::string backup = target.string() + ".bak";
        if (::unlink(backup.c_str()) != 0 && errno != ENOENT) {
            int e = errno;
            throw fail("cannot replace the backup '" + backup + "'", e);
        }
        if (::link(target.c_str(), backup.c_str()) != 0) {
            // File systems without hard links: copy instead.
            fs::copy_file(target, backup, fs::copy_options::overwrite_existing, ec);
            if (ec)
                throw fail("cannot keep the previous file as '" + backup + "'", ec.value());
        }
    }

    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        throw fail("cannot replace the file", errno);
    temporary.keep();
    syncFolder(folder);
}
