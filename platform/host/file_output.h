#pragma once
// Writing whole files so that a failure never leaves a damaged one behind.
#include <string>
#include <string_view>

// Empty when `path` may receive a new file's contents; otherwise why not:
// it names a folder, or something that is not a regular file (a device, a
// named pipe), which a program could wait on forever or destroy.
std::string hostWhyNotAFileTarget(const std::string& path);

// Writes `bytes` to a new file beside `path` and renames it over `path`
// only once it is complete and flushed to disk. On failure (a full disk, no
// permission) the old file is untouched, no partial file stays behind, and
// `error` says why. A link is followed, so the link itself stays; an
// existing file keeps its permissions.
bool hostSaveFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Whether an existing file is read-only: no write permission for anybody,
// or none for us. The permission bits count even for the superuser, who
// could write it anyway: a file marked read-only was marked so on purpose.
bool hostIsReadOnlyFile(const std::string& path);

// What identifies the file's present contents without reading them: its
// device, inode (a file renamed over it is another), size and time of last
// change to the nanosecond. Two stamps differ when anybody wrote the file in
// between. Empty when there is no file.
std::string hostFileStamp(const std::string& path);
