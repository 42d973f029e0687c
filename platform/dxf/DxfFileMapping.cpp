#include "DxfFileMapping.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file-backed part of every open mapping, for the SIGBUS handler, which
// may take no lock: a slot is claimed by setting its end, then its begin;
// the handler reads begin first. A mapping that finds no free slot is not
// made (the file is read instead), so no mapping goes unguarded.
struct GuardSlot {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> cut{false};
};
constexpr int kSlots = 64;
GuardSlot g_slots[kSlots];
struct sigaction g_previous {};
std::once_flag g_installed;
std::uintptr_t g_pageSize = 4096;  // set before the handler is installed

void onBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (GuardSlot& slot : g_slots) {
        const std::uintptr_t begin = slot.begin.load();
        const std::uintptr_t end = slot.end.load();
        if (begin == 0 || address < begin || address >= end)
            continue;
        // The file was cut short under the mapping: zeros in place of the
        // rest of it, and the faulting read goes on.
        const std::uintptr_t page = address & ~(g_pageSize - 1);
        if (::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED,
                   -1, 0) != MAP_FAILED) {
            slot.cut.store(true);
            return;
        }
    }
    // Not ours: whatever was there before decides.
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) {
            g_previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    // The default: the fault happens again on return and ends the process.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    ::sigaction(SIGBUS, &standard, nullptr);
}

bool installHandler()
{
    static bool installed = false;
    std::call_once(g_installed, [] {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        installed = ::sigaction(SIGBUS, &action, &g_previous) == 0;
    });
    return installed;
}

int claimSlot(std::uintptr_t begin, std::uintptr_t end)
{
    static std::mutex claiming;  // among threads opening files; the handler takes none
    std::lock_guard lock(claiming);
    for (int i = 0; i < kSlots; ++i) {
        if (g_slots[i].begin.load() != 0)
            continue;
        g_slots[i].cut.store(false);
        g_slots[i].end.store(end);
        g_slots[i].begin.store(begin);
        return i;
    }
    return -1;
}

} // namespace

size_t DxfFileMapping::pageSize()
{
    static const size_t size = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

std::unique_ptr<DxfFileMapping> DxfFileMapping::open(const std::filesystem::path& path)
{
    if (!installHandler())
        return nullptr;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<DxfFileMapping> mapping(new DxfFileMapping);
    mapping->fd_ = fd;
    mapping->path_ = path;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return nullptr;
    mapping->size_ = static_cast<size_t>(st.st_size);
    mapping->mtimeSeconds_ = st.st_mtim.tv_sec;
    mapping->mtimeNanoseconds_ = st.st_mtim.tv_nsec;

    // The whole pages of the file are mapped from it; its last part page
    // is read into a page of our own, followed by the '\0', so that no
    // growth of the file can reach past the end we read to.
    const size_t page = pageSize();
    const size_t whole = mapping->size_ / page * page;
    mapping->mapped_ = whole + page;
    void* area = ::mmap(nullptr, mapping->mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return nullptr;
    mapping->data_ = static_cast<char*>(area);
    const size_t tail = mapping->size_ - whole;
    for (size_t done = 0; done < tail;) {
        ssize_t n = ::pread(fd, mapping->data_ + whole + done, tail - done, static_cast<off_t>(whole + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return nullptr;  // the file changed as we opened it: read it instead
        done += static_cast<size_t>(n);
    }
    if (::mprotect(mapping->data_ + whole, page, PROT_READ) != 0)
        return nullptr;
    if (whole > 0) {
        if (::mmap(mapping->data_, whole, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0) == MAP_FAILED)
            return nullptr;
        mapping->slot_ = claimSlot(reinterpret_cast<std::uintptr_t>(mapping->data_),
                                   reinterpret_cast<std::uintptr_t>(mapping->data_ + whole));
        if (mapping->slot_ < 0)
            return nullptr;
    }
    return mapping;
}

DxfFileMapping::~DxfFileMapping()
{
    if (slot_ >= 0)
        g_slots[slot_].begin.store(0);
    if (data_)
        ::munmap(data_, mapped_);
    if (fd_ >= 0)
        ::close(fd_);
}

void DxfFileMapping::release(size_t begin, size_t end) const
{
    const size_t page = pageSize();
    begin = (begin + page - 1) / page * page;
    end = std::min(end, size_) / page * page;  // the own tail page is never given back
    if (begin < end)
        ::madvise(data_ + begin, end - begin, MADV_DONTNEED);
}

bool DxfFileMapping::unchanged() const
{
    if (slot_ >= 0 && g_slots[slot_].cut.load())
        return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        return false;
    return static_cast<size_t>(st.st_size) == size_ && st.st_mtim.tv_sec == mtimeSeconds_ &&
           st.st_mtim.tv_nsec == mtimeNanoseconds_;
}
