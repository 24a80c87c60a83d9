// Global memory blocks, the form in which the clipboard holds text. A fixed
// block's handle is its address; a moveable block's handle is a small number
// that GlobalLock turns into the address (the block never moves here).
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "emulation/desktop_internal.h"
#include "emulation/kernel32.h"

namespace {

struct FreeBytes {
    void operator()(unsigned char* bytes) const { std::free(bytes); }
};

struct Block {
    std::unique_ptr<unsigned char, FreeBytes> bytes;
    SIZE_T size = 0;
    bool moveable = false;
    int locks = 0;
};

std::mutex blocksMutex;
std::map<HGLOBAL, Block> blocks;
std::uintptr_t nextMoveableHandle = 0x00700004;

Block* findBlock(HGLOBAL memory) {
    auto it = blocks.find(memory);
    return it == blocks.end() ? nullptr : &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (flags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Block block;
    // A block of no bytes still gets an address of its own. A failed
    // allocation is the caller's to handle, as on Windows, so this memory
    // does not come from operator new.
    block.bytes.reset(static_cast<unsigned char*>(std::malloc(bytes > 0 ? bytes : 1)));
    if (!block.bytes) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT) std::memset(block.bytes.get(), 0, bytes);
    block.size = bytes;
    block.moveable = (flags & GMEM_MOVEABLE) != 0;
    std::lock_guard<std::mutex> lock(blocksMutex);
    HGLOBAL handle;
    if (block.moveable) {
        handle = reinterpret_cast<HGLOBAL>(nextMoveableHandle);
        nextMoveableHandle += 8;
    } else {
        handle = block.bytes.get();
    }
    blocks.emplace(handle, std::move(block));
    return handle;
}

LPVOID GlobalLock(HGLOBAL memory) {
    std::lock_guard<std::mutex> lock(blocksMutex);
    Block* block = findBlock(memory);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (block->moveable) ++block->locks;
    return block->bytes.get();
}

// Returns whether the block is still locked; FALSE with no error once the
// last lock is gone.
BOOL GlobalUnlock(HGLOBAL memory) {
    std::lock_guard<std::mutex> lock(blocksMutex);
    Block* block = findBlock(memory);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (block->locks > 0) --block->locks;
    SetLastError(ERROR_SUCCESS);
    return block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
    std::lock_guard<std::mutex> lock(blocksMutex);
    Block* block = findBlock(memory);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

// Returns null on success and the handle itself on failure.
HGLOBAL GlobalFree(HGLOBAL memory) {
    std::lock_guard<std::mutex> lock(blocksMutex);
    if (blocks.erase(memory) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return memory;
    }
    return nullptr;
}

namespace emulation::desktop {
bool isGlobalMemory(HGLOBAL memory) {
    std::lock_guard<std::mutex> lock(blocksMutex);
    return findBlock(memory) != nullptr;
}

int globalMemoryBlockCount() {
    std::lock_guard<std::mutex> lock(blocksMutex);
    return static_cast<int>(blocks.size());
}
}  // namespace emulation::desktop
