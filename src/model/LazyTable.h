#pragma once
// Tables sized to the capacities whose memory is taken only where the problem writes. The
// storage comes zero-filled from calloc, which for large tables maps fresh pages that the
// system backs with memory only when they are first written; value-initialising an element
// leaves those bytes alone, so the element types must read all-zero bytes as their defaults.

#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace planaq {

template <class T>
struct ZeroPageAllocator {
  using value_type = T;
  static_assert(std::is_trivially_copyable_v<T>, "a table element must be plain data");

  ZeroPageAllocator() = default;
  template <class U>
  ZeroPageAllocator(const ZeroPageAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n == 0) return nullptr;
    void* p = std::calloc(n, sizeof(T));
    if (p == nullptr) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) noexcept { std::free(p); }

  // Value-initialisation: the zero bytes from calloc already hold the default.
  template <class U>
  void construct(U*) noexcept {}
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  template <class U>
  bool operator==(const ZeroPageAllocator<U>&) const noexcept { return true; }
  template <class U>
  bool operator!=(const ZeroPageAllocator<U>&) const noexcept { return false; }
};

template <class T>
using LazyTable = std::vector<T, ZeroPageAllocator<T>>;

}  // namespace planaq
