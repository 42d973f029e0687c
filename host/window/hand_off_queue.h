#pragma once
// Batches handed from one thread to another: the producer puts, the
// consumer takes until the producer has closed the queue and every batch
// is taken. Closing also wakes a consumer that waits.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace qrvwindow {

template <class Batch>
class HandOffQueue {
public:
  void put(Batch batch) {
    {
      std::lock_guard lock(m_mutex);
      m_batches.push_back(std::move(batch));
    }
    m_ready.notify_one();
  }
  void close() {
    {
      std::lock_guard lock(m_mutex);
      m_closed = true;
    }
    m_ready.notify_one();
  }
  // The next batch, or nothing once the queue is closed and empty.
  std::optional<Batch> take() {
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [&] { return m_closed || !m_batches.empty(); });
    if (m_batches.empty()) return std::nullopt;
    Batch batch = std::move(m_batches.front());
    m_batches.pop_front();
    return batch;
  }

  // The next batch if one is waiting.
  std::optional<Batch> tryTake() {
    std::lock_guard lock(m_mutex);
    if (m_batches.empty()) return std::nullopt;
    Batch batch = std::move(m_batches.front());
    m_batches.pop_front();
    return batch;
  }

private:
  std::mutex m_mutex;
  std::condition_variable m_ready;
  std::deque<Batch> m_batches;
  bool m_closed = false;
};

}  // namespace qrvwindow
