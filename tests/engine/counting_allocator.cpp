#include "counting_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> Counting{false};
std::atomic<size_t> Allocations{0};

void* Allocate(size_t Size) {
  if (Counting.load(std::memory_order_relaxed)) Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* Block = std::malloc(Size == 0 ? 1 : Size)) return Block;
  throw std::bad_alloc();
}

void* AllocateAligned(size_t Size, std::align_val_t Alignment) {
  if (Counting.load(std::memory_order_relaxed)) Allocations.fetch_add(1, std::memory_order_relaxed);
  const size_t Align = static_cast<size_t>(Alignment);
  const size_t Rounded = (Size + Align - 1) / Align * Align;
  if (void* Block = std::aligned_alloc(Align, Rounded == 0 ? Align : Rounded)) return Block;
  throw std::bad_alloc();
}

}  // namespace

void StartCountingAllocations() {
  Allocations = 0;
  Counting = true;
}

size_t StopCountingAllocations() {
  Counting = false;
  return Allocations;
}

void* operator new(size_t Size) { return Allocate(Size); }
void* operator new[](size_t Size) { return Allocate(Size); }
void* operator new(size_t Size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(Size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t Size, const std::nothrow_t& Tag) noexcept { return operator new(Size, Tag); }
void* operator new(size_t Size, std::align_val_t Alignment) { return AllocateAligned(Size, Alignment); }
void* operator new[](size_t Size, std::align_val_t Alignment) { return AllocateAligned(Size, Alignment); }

void operator delete(void* Block) noexcept { std::free(Block); }
void operator delete[](void* Block) noexcept { std::free(Block); }
void operator delete(void* Block, size_t) noexcept { std::free(Block); }
void operator delete[](void* Block, size_t) noexcept { std::free(Block); }
void operator delete(void* Block, std::align_val_t) noexcept { std::free(Block); }
void operator delete[](void* Block, std::align_val_t) noexcept { std::free(Block); }
void operator delete(void* Block, size_t, std::align_val_t) noexcept { std::free(Block); }
void operator delete[](void* Block, size_t, std::align_val_t) noexcept { std::free(Block); }
