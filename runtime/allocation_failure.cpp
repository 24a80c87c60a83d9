// Replaces the global allocation functions so that a failed allocation
// anywhere in the program ends in the runtime error report, naming the
// number of bytes asked for, instead of an exception nobody catches.
// Allocation and release both go through malloc and free.
#include <cstdlib>
#include <new>

#include "runtime/runtime_error.h"

void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    reportRuntimeError(kAllocationFailed, size);
}

void* operator new[](std::size_t size) { return ::operator new(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
