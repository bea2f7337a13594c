#include "platform/host/GlobalMemory.h"

#include <cstring>
#include <new>

namespace {

constexpr unsigned kKnownFlags = kGlobalMovable | kGlobalZeroInit;

std::unique_ptr<unsigned char[]> newBytes(std::size_t capacity) {
    // One byte at least, so that a 0-byte block still has an address.
    return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[capacity + 1]);
}

} // namespace

GlobalHandle HostGlobalMemory::alloc(unsigned flags, std::size_t bytes) {
    if ((flags & ~kKnownFlags) != 0) {
        fail(eInvalidInput);
        return 0;
    }
    if (bytes > kMaxBlockBytes) {
        fail(eLimitExceeded);
        return 0;
    }
    Block block;
    block.bytes = newBytes(bytes);
    if (!block.bytes) {
        fail(eLimitExceeded);
        return 0;
    }
    if (flags & kGlobalZeroInit)
        std::memset(block.bytes.get(), 0, bytes + 1);
    block.size = bytes;
    block.capacity = bytes;
    block.flags = flags;
    GlobalHandle handle = nextHandle();
    m_blocks.emplace(handle, std::move(block));
    m_lastStatus = eOk;
    return handle;
}

void* HostGlobalMemory::lock(GlobalHandle handle) {
    Block* block = find(handle);
    if (block == nullptr) {
        misuse();
        return nullptr;
    }
    ++block->locks;
    m_lastStatus = eOk;
    return block->bytes.get();
}

ErrorStatus HostGlobalMemory::unlock(GlobalHandle handle) {
    Block* block = find(handle);
    if (block == nullptr)
        return misuse();
    if (block->locks == 0)
        return fail(eNotApplicable);
    --block->locks;
    return m_lastStatus = eOk;
}

ErrorStatus HostGlobalMemory::free(GlobalHandle handle) {
    Block* block = find(handle);
    if (block == nullptr)
        return misuse();
    if (block->locks > 0)
        return fail(eWasOpenForRead);
    m_blocks.erase(handle);
    return m_lastStatus = eOk;
}

ErrorStatus HostGlobalMemory::realloc(GlobalHandle handle, std::size_t bytes, unsigned flags) {
    Block* block = find(handle);
    if (block == nullptr)
        return misuse();
    if ((flags & ~kKnownFlags) != 0)
        return fail(eInvalidInput);
    if (bytes > kMaxBlockBytes)
        return fail(eLimitExceeded);
    if (bytes <= block->capacity) {
        if (bytes > block->size && (flags & kGlobalZeroInit))
            std::memset(block->bytes.get() + block->size, 0, bytes - block->size);
        block->size = bytes;
        return m_lastStatus = eOk;
    }
    if (!(block->flags & kGlobalMovable) && !(flags & kGlobalMovable))
        return fail(eNotApplicable);
    if (block->locks > 0)
        return fail(eWasOpenForRead);
    // A movable block really moves, so a pointer kept past unlock() is caught
    // by the address sanitizer rather than silently working.
    std::unique_ptr<unsigned char[]> moved = newBytes(bytes);
    if (!moved)
        return fail(eLimitExceeded);
    std::memcpy(moved.get(), block->bytes.get(), block->size);
    if (flags & kGlobalZeroInit)
        std::memset(moved.get() + block->size, 0, bytes - block->size);
    block->bytes = std::move(moved);
    block->size = bytes;
    block->capacity = bytes;
    block->flags |= flags & kGlobalMovable;
    return m_lastStatus = eOk;
}

std::size_t HostGlobalMemory::size(GlobalHandle handle) const {
    auto it = m_blocks.find(handle);
    return it == m_blocks.end() ? 0 : it->second.size;
}

int HostGlobalMemory::lockCount(GlobalHandle handle) const {
    auto it = m_blocks.find(handle);
    return it == m_blocks.end() ? -1 : it->second.locks;
}

HostGlobalMemory::Block* HostGlobalMemory::find(GlobalHandle handle) {
    auto it = m_blocks.find(handle);
    return it == m_blocks.end() ? nullptr : &it->second;
}

ErrorStatus HostGlobalMemory::fail(ErrorStatus status) {
    return m_lastStatus = status;
}

ErrorStatus HostGlobalMemory::misuse() {
    ++m_misuses;
    return m_lastStatus = eInvalidInput;
}

GlobalHandle HostGlobalMemory::nextHandle() {
    // Ids count up and skip 0 and live ids after wrapping around, so a stale
    // handle of a freed block is not mistaken for a new one for 2^32 blocks.
    do {
        ++m_lastHandle;
    } while (m_lastHandle == 0 || m_blocks.count(m_lastHandle) != 0);
    return m_lastHandle;
}
