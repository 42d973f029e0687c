#pragma once
// Prepares records on a second thread ahead of the drawing reader.
//
// Reading a drawing is mostly one thread's work on the database, which is
// not shared between threads. Some of it needs nothing from the database:
// splitting a record into its tags, making the object an entity record
// becomes (not yet part of any drawing) and filling in its geometry. A
// worker does that for the records in the order the reader will want them;
// the reader takes each prepared record as it comes to it.
//
// Nothing depends on the worker being right or on time: a record the reader
// asks for out of order, one the worker could not prepare or has not reached
// yet, is simply not given, and the reader prepares it itself, as it would
// without a worker. The reader never waits for the worker.
//
// `Record` is what one record is prepared into: it has `std::size_t index`
// and `bool ready`. Records live in a ring and are reused, so whatever they
// own (tag vectors...) keeps its capacity from one record to the next.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

template <class Record>
class DxfReadAhead {
public:
  // Runs on the worker: prepares the record whose index is set. May throw;
  // the record is then not given.
  using Prepare = std::function<void(Record&)>;

  // Starts preparing the records of `order`, in that order (record numbers
  // of four bytes: the order of a big drawing is long).
  DxfReadAhead(std::vector<std::uint32_t> order, Prepare prepare)
      : m_order(std::move(order)), m_prepare(std::move(prepare)), m_slots(kSlots), m_sequence(kSlots) {
    if (m_order.size() >= kNobody) m_order.resize(kNobody - 1);  // never near in practice
    m_worker = std::thread([this] { work(); });
  }

  // Stops the worker; records not taken are dropped.
  ~DxfReadAhead() {
    m_stop.store(true);
    // The worker may sleep waiting for room: change what it waits on.
    m_released.store(kNobody);
    m_released.notify_one();
    m_worker.join();
  }
  DxfReadAhead(const DxfReadAhead&) = delete;
  DxfReadAhead& operator=(const DxfReadAhead&) = delete;

  // When `index` is the next record in order (records before it that were
  // never asked for are dropped) and the worker has prepared it, gives it:
  // the record stays the reader's, in place, until its next call. Null
  // otherwise: the reader prepares the record itself. Never waits: when the
  // reader catches up with the worker, it does the work itself and the
  // worker moves on ahead of it.
  Record* take(std::size_t index) {
    if (m_held != kNobody) release(m_held), m_held = kNobody;
    const auto total = static_cast<std::uint32_t>(m_order.size());
    while (m_next < total && m_order[m_next] < index) release(m_next++);
    if (m_next >= total || m_order[m_next] != index) return nullptr;
    const std::uint32_t position = m_next++;
    Record& slot = m_slots[position % kSlots];
    if (m_sequence[position % kSlots].load(std::memory_order_acquire) == position + 1 && slot.ready) {
      m_held = position;
      return &slot;
    }
    release(position);
    return nullptr;
  }

private:
  static constexpr std::uint32_t kSlots = 1024;
  static constexpr std::uint32_t kNobody = UINT32_MAX;
  static constexpr std::uint32_t kLead = 32;         // how far past the reader the worker restarts
  static constexpr std::uint32_t kReleaseEvery = 16; // the reader publishes its progress this often

  void work() {
    const auto total = static_cast<std::uint32_t>(m_order.size());
    std::uint32_t k = 0;
    while (k < total) {
      if (m_stop.load(std::memory_order_relaxed)) return;
      const std::uint32_t released = m_released.load(std::memory_order_acquire);
      if (released == kNobody) return;
      if (k < released) {  // the reader overtook: get ahead of it again
        k = released + kLead;
        continue;
      }
      if (k - released >= kSlots) {
        waitForRoom(k);
        continue;
      }
      Record& slot = m_slots[k % kSlots];
      slot.index = m_order[k];
      slot.ready = false;
      try {
        m_prepare(slot);
        slot.ready = true;
      } catch (...) {
        // Left to the reader, which meets the same problem and reports it.
      }
      m_sequence[k % kSlots].store(k + 1, std::memory_order_release);
      ++k;
    }
  }

  // The ring is full: sleeps until the reader has released half of it, so
  // that the threads do not take turns record by record. Both sides use
  // sequentially consistent operations for the wake-up request, so either
  // the reader sees it or this thread sees the reader's progress.
  void waitForRoom(std::uint32_t k) {
    const std::uint32_t target = k - kSlots / 2;
    m_wakeWorkerAt.store(target);
    for (std::uint32_t released = m_released.load(); released < target && !m_stop.load();
         released = m_released.load())
      m_released.wait(released);
    m_wakeWorkerAt.store(kNobody);
  }

  void release(std::uint32_t position) {
    // Slots up to `position` may be reused. Published in steps, so that the
    // worker's view of it is not invalidated at every record.
    if ((position + 1) % kReleaseEvery != 0 && position + 1 != m_order.size()) return;
    m_released.store(position + 1);
    if (position + 1 >= m_wakeWorkerAt.load()) m_released.notify_one();
  }

  std::vector<std::uint32_t> m_order;
  Prepare m_prepare;
  std::vector<Record> m_slots;
  // Per slot: 1 + the position it was last prepared for. The reader takes
  // a slot only when it holds the very position it is at.
  std::vector<std::atomic<std::uint32_t>> m_sequence;
  std::uint32_t m_next = 0;                       // the reader's position in order
  std::uint32_t m_held = kNobody;                 // the position the reader was given last
  std::atomic<std::uint32_t> m_released{0};       // positions the reader is done with
  std::atomic<std::uint32_t> m_wakeWorkerAt{kNobody};
  std::atomic<bool> m_stop{false};
  std::thread m_worker;
};
