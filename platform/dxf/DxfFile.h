#pragma once
// Whole-file reading and atomic saving.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

struct DxfFileBytes {
    std::unique_ptr<char[]> data;  // size + 1 bytes, the last one '\0'
    size_t size = 0;
};

// Reads a file into one buffer (a drawing's document maps its file instead
// where it can, see DxfFileMapping.h; this is the way for the rest).
// Throws DxfError saying why when the file cannot be read.
DxfFileBytes dxfReadFile(const std::filesystem::path& path);

// Replaces `target` with `bytes` so that a reader of `target` sees either
// the old or the new content, never a mix or a half-written file:
// the bytes go to a temporary file next to the target (same file system, so
// the final rename is atomic), are flushed to the disk, the previous file is
// kept as "<target>.bak", and the temporary file is renamed over the target.
// On any failure the temporary file is removed, the target is left as it
// was, and DxfError says why (with the system's reason).
// Saving through a symbolic link replaces the file the link points to.
void dxfSaveAtomically(const std::filesystem::path& target, std::string_view bytes);
// The same for a file given in pieces (written in order), so that a file
// made mostly of ranges of another one need not be copied together first.
// `beforeReplacing`, when given, runs once the pieces are written and
// flushed, before the target is touched: it throws to call the save off
// (the pieces came from a file that changed meanwhile). Big pieces that are
// views of `source` (a read-only mapping of an open file) are copied from
// that file by the system, without paging them into the program's memory.
struct DxfCopySource {
    int fd = -1;
    const char* begin = nullptr;  // where the file's first byte is mapped
    size_t size = 0;              // the bytes mapped from the file
};
void dxfSaveAtomically(const std::filesystem::path& target, std::span<const std::string_view> pieces,
                       const std::function<void()>& beforeReplacing = {}, const DxfCopySource& source = {});
