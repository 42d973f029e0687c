#pragma once
// A drawing file mapped read-only instead of copied onto the heap.
//
// The text of a big drawing is needed whole while it is split and read,
// but afterwards only to copy unchanged records when the drawing is saved
// and to look again at records the database keeps as read. A mapping lets
// the reader hand pages it has finished with back to the system's file
// cache (release()), so that the text and the objects made from it do not
// add up in the process's memory; a later look pages them in again.
//
// What a copy did not have to care about, the mapping does:
// - another program may rewrite the file in place while the drawing is
//   open. The mapping then shows the new bytes. unchanged() compares the
//   file's size and modification time with those at opening; writers of
//   the drawing ask it before and after they copy from the text, and
//   refuse to save rather than mix two files.
// - another program may cut the file short. Touching a page past its new
//   end would kill the process (SIGBUS); a handler puts zero pages in place
//   of what is gone, the mapping counts as changed, and reading goes on
//   (on zeros: a record looked at again then fails as bad input).
// A program that replaces the file (writes a new one and renames it over
// the old, as every careful editor and our own save do) changes nothing
// here: the mapping keeps the file it was opened on.
#include "DxfFile.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

class DxfFileMapping {
public:
    // Maps a regular file of at least one byte; null where the file cannot
    // be mapped (empty, not regular, too many mappings open, no mmap), for
    // the caller to read it instead. The mapped text is followed by a '\0',
    // like a buffer read from the file.
    static std::unique_ptr<DxfFileMapping> open(const std::filesystem::path& path);
    ~DxfFileMapping();
    DxfFileMapping(const DxfFileMapping&) = delete;
    DxfFileMapping& operator=(const DxfFileMapping&) = delete;

    std::string_view bytes() const { return {data_, size_}; }
    // Gives the whole pages inside [begin, end) back to the file cache.
    void release(size_t begin, size_t end) const;
    // Whether the file still holds what was mapped: same size and time of
    // last change, and no page lost to a cut.
    bool unchanged() const;
    const std::filesystem::path& path() const { return path_; }
    // The part mapped from the file, for a save to copy from file to file.
    DxfCopySource copySource() const { return {fd_, data_, size_ / pageSize() * pageSize()}; }

private:
    DxfFileMapping() = default;
    static size_t pageSize();
    char* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;  // the file's pages and the zero page after them
    int fd_ = -1;
    int slot_ = -1;      // in the table the SIGBUS handler looks at
    long long mtimeSeconds_ = 0;
    long long mtimeNanoseconds_ = 0;
    std::filesystem::path path_;
};
