#include "recovery_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "OdDbDatabase.h"
#include "documents.h"
#include "drawing_io.h"
#include "file_output.h"
#include "host_log.h"

namespace fs = std::filesystem;

namespace qrvhost {

namespace {

constexpr double kDefaultMinutes = 5;
const char* kLockName = "lock";

// A session folder whose lock nobody holds belongs to a session that ended
// without removing it.
bool abandoned(const fs::path& folder) {
  const int fd = ::open((folder / kLockName).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;  // still being made, or not a session folder
  const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return free;
}

}  // namespace

std::chrono::milliseconds recoveryInterval(std::string& error) {
  double minutes = kDefaultMinutes;
  if (const char* text = std::getenv("QRVHOST_RECOVERY_MINUTES"); text && *text) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end && *end == 0 && std::isfinite(value) && value >= 0 && value < 1e6)
      minutes = value;
    else
      error = std::string("QRVHOST_RECOVERY_MINUTES=") + text + " is no number of minutes; recovery files are saved every " +
              std::to_string(int(kDefaultMinutes)) + " minutes";
  }
  return std::chrono::milliseconds(static_cast<long long>(minutes * 60000));
}

RecoveryKeeper::RecoveryKeeper(std::string folder, std::chrono::milliseconds interval)
    : m_folder(std::move(folder)), m_interval(interval), m_last(std::chrono::steady_clock::now()) {}

RecoveryKeeper::~RecoveryKeeper() {
  if (m_own.empty()) return;
  std::error_code ec;
  fs::remove_all(m_own, ec);
  if (m_lockFd >= 0) ::close(m_lockFd);
}

bool RecoveryKeeper::ensureOwnFolder(std::string& error) {
  if (!m_own.empty()) return true;
  const fs::path own = fs::path(m_folder) / ("session-" + std::to_string(::getpid()));
  std::error_code ec;
  fs::create_directories(own, ec);
  if (ec) {
    error = "cannot make the folder " + own.string() + ": " + ec.message();
    return false;
  }
  // Held while the session runs: the next start tells a crashed session's
  // folder from a running one's by it.
  m_lockFd = ::open((own / kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
    error = "cannot lock " + (own / kLockName).string() + ": " + std::strerror(errno);
    if (m_lockFd >= 0) ::close(m_lockFd);
    m_lockFd = -1;
    return false;
  }
  m_own = own.string();
  return true;
}

void RecoveryKeeper::removeKept(const Kept& kept) {
  std::error_code ec;
  const fs::path base = fs::path(m_own) / std::to_string(kept.number);
  fs::remove(base.string() + ".name", ec);
  fs::remove(base.string() + ".dxf", ec);
}

std::vector<std::string> RecoveryKeeper::tick(const HostApDocManager& documents) {
  std::vector<std::string> problems;
  const std::vector<HostApDocument*>& open = documents.documents();
  // Saved, closed or changed back: the recovery copy is of no use any more.
  for (auto it = m_kept.begin(); it != m_kept.end();) {
    const bool stillChanged = std::find(open.begin(), open.end(), it->first) != open.end() && it->first->isModified();
    if (stillChanged) {
      ++it;
      continue;
    }
    removeKept(it->second);
    it = m_kept.erase(it);
  }
  if (m_interval.count() <= 0 || m_folder.empty() || !hostCanWriteDrawings()) return problems;
  const auto now = std::chrono::steady_clock::now();
  if (now - m_last < m_interval) return problems;
  m_last = now;
  for (HostApDocument* doc : open) {
    if (!doc->isModified()) continue;
    const unsigned long long stamp = doc->database()->modificationStamp();
    auto found = m_kept.find(doc);
    if (found != m_kept.end() && found->second.stamp == stamp) continue;
    std::string error;
    if (!ensureOwnFolder(error)) {
      problems.push_back(error);
      return problems;
    }
    Kept kept = found != m_kept.end() ? found->second : Kept{m_next++, 0};
    const std::string base = (fs::path(m_own) / std::to_string(kept.number)).string();
    try {
      // The copy first, then the note that names it: a note always names a
      // complete copy.
      HostDrawingSave save;
      hostWriteDrawing(*doc->database(), base + ".dxf", save);
      if (!hostSaveFileAtomically(base + ".name", doc->fileName() + "\n" + doc->title() + "\n", error))
        throw OdError(eFileWriteError, error);
    } catch (const std::exception& e) {
      problems.push_back("cannot save the recovery copy of \"" + doc->title() + "\": " + e.what());
      hostTraceWarning("host/recovery", __LINE__, problems.back());
      continue;
    }
    kept.stamp = stamp;
    m_kept[doc] = kept;
  }
  return problems;
}

std::vector<LeftDrawing> RecoveryKeeper::leftBehind() const {
  std::vector<LeftDrawing> left;
  std::error_code ec;
  if (m_folder.empty() || !fs::is_directory(m_folder, ec)) return left;
  std::vector<fs::path> sessions;
  for (const auto& entry : fs::directory_iterator(m_folder, ec))
    if (entry.is_directory() && entry.path() != fs::path(m_own) && abandoned(entry.path())) sessions.push_back(entry.path());
  std::sort(sessions.begin(), sessions.end(), [](const fs::path& a, const fs::path& b) {
    std::error_code e1, e2;
    return fs::last_write_time(a, e1) < fs::last_write_time(b, e2);
  });
  for (const fs::path& session : sessions) {
    std::vector<fs::path> notes;
    for (const auto& entry : fs::directory_iterator(session, ec))
      if (entry.path().extension() == ".name") notes.push_back(entry.path());
    std::sort(notes.begin(), notes.end());
    for (const fs::path& note : notes) {
      fs::path copy = note;
      copy.replace_extension(".dxf");
      if (!fs::is_regular_file(copy, ec)) continue;
      std::ifstream in(note);
      LeftDrawing d;
      d.recoveryFile = copy.string();
      std::getline(in, d.fileName);
      std::getline(in, d.title);
      if (d.title.empty()) d.title = d.fileName.empty() ? copy.filename().string() : fs::path(d.fileName).filename().string();
      left.push_back(std::move(d));
    }
  }
  return left;
}

void RecoveryKeeper::forgetLeftBehind() {
  std::error_code ec;
  if (m_folder.empty() || !fs::is_directory(m_folder, ec)) return;
  for (const auto& entry : fs::directory_iterator(m_folder, ec))
    if (entry.is_directory() && entry.path() != fs::path(m_own) && abandoned(entry.path())) fs::remove_all(entry.path(), ec);
}

}  // namespace qrvhost
