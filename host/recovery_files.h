#pragma once
// Recovery files: the session saves its changed drawings now and then into
// a folder of its own under the user's data folder, so that a crash loses
// little. A session that ends normally removes its folder; a drawing saved
// or closed loses its recovery file. The folders of sessions that ended
// abruptly stay until the next start offers to open them.
#include <chrono>
#include <map>
#include <string>
#include <vector>

class HostApDocManager;
class HostApDocument;

namespace qrvhost {

// The interval from QRVHOST_RECOVERY_MINUTES (a number of minutes, may be a
// fraction; 0 turns recovery saving off); 5 minutes when it is not set.
// `error` is set for a value that is not a number (the default then holds).
std::chrono::milliseconds recoveryInterval(std::string& error);

// One drawing a session left behind.
struct LeftDrawing {
  std::string recoveryFile;  // the saved copy
  std::string fileName;      // the drawing's own file; empty for a new drawing
  std::string title;
};

class RecoveryKeeper {
public:
  // `folder` holds every session's recovery folder (created when needed).
  RecoveryKeeper(std::string folder, std::chrono::milliseconds interval);
  // A normal end: the session's recovery files go.
  ~RecoveryKeeper();
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // Between commands: once the interval has passed, every drawing changed
  // since its last recovery save is saved again; recovery files of
  // drawings saved or closed since are removed at once. Gives the lines to
  // show about recovery files that could not be written.
  std::vector<std::string> tick(const HostApDocManager& documents);

  // The drawings of sessions that ended abruptly (their folders' locks
  // are free), oldest session first.
  std::vector<LeftDrawing> leftBehind() const;
  // Removes what leftBehind() listed (after it was opened or declined).
  void forgetLeftBehind();

private:
  struct Kept {
    int number = 0;
    unsigned long long stamp = 0;
  };
  bool ensureOwnFolder(std::string& error);
  void removeKept(const Kept& kept);

  std::string m_folder, m_own;
  std::chrono::milliseconds m_interval;
  std::chrono::steady_clock::time_point m_last;
  int m_lockFd = -1;
  int m_next = 1;
  std::map<const HostApDocument*, Kept> m_kept;
};

}  // namespace qrvhost
