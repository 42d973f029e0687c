#pragma once
// Handle -> stub look-up of a database.
//
// Objects are only ever added to a database (erasing marks them; the stub
// stays), so the index needs insert and find, nothing else. One flat array
// with linear probing, at most five eighths full: a node-based map spends
// an allocation per object, which showed as a tenth of loading a big drawing
// and again when it is closed. A slot holds only the stub, whose handle a
// probe compares: half the memory of a slot holding the handle too (4 MiB
// for a drawing of 300,000 objects), and the stubs of neighbouring handles
// are neighbours too. Handle 0 is never stored; a null stub marks a free slot.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "OdDbStub.h"

class OdDbHandleIndex {
public:
  OdDbStub* find(std::uint64_t handle) const {
    if (m_count == 0 || handle == 0) return nullptr;
    for (std::size_t i = slotOf(handle);; i = (i + 1) & m_mask) {
      OdDbStub* s = m_slots[i];
      if (!s) return nullptr;
      if (s->handle == handle) return s;
    }
  }
  bool contains(std::uint64_t handle) const { return find(handle) != nullptr; }

  // The stub's handle must be non-zero and not yet in the index.
  void insert(OdDbStub* stub) {
    if ((m_count + 1) * 8 > m_slots.size() * 5) grow(m_count + 1);
    place(stub);
    ++m_count;
  }

  // Room for `n` entries in all without growing.
  void reserve(std::size_t n) {
    if (n * 8 > m_slots.size() * 5) grow(n);
  }

  std::size_t size() const { return m_count; }

  // The largest handle stored, 0 when empty.
  std::uint64_t maxHandle() const {
    std::uint64_t best = 0;
    for (const OdDbStub* s : m_slots)
      if (s && s->handle > best) best = s->handle;
    return best;
  }

private:
  std::size_t slotOf(std::uint64_t handle) const {
    // Files number their objects mostly consecutively, and readers look
    // them up in about that order: keeping neighbouring handles in
    // neighbouring slots makes those look-ups hit the cache (a scrambling
    // hash made every one a miss). Folding in the bits above the table size
    // keeps handles that differ only there (strides of a power of two) apart.
    return std::size_t(handle + (handle >> m_shift)) & m_mask;
  }

  void place(OdDbStub* stub) {
    std::size_t i = slotOf(stub->handle);
    while (m_slots[i]) i = (i + 1) & m_mask;
    m_slots[i] = stub;
  }

  void grow(std::size_t atLeast) {
    std::size_t capacity = 16;
    while (capacity * 5 < atLeast * 8) capacity *= 2;
    if (capacity <= m_slots.size()) capacity = m_slots.size() * 2;
    std::vector<OdDbStub*> old(capacity, nullptr);
    old.swap(m_slots);
    m_mask = capacity - 1;
    m_shift = unsigned(std::countr_zero(capacity));
    for (OdDbStub* s : old)
      if (s) place(s);
  }

  std::vector<OdDbStub*> m_slots;
  std::size_t m_mask = 0;
  unsigned m_shift = 0;
  std::size_t m_count = 0;
};
