#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

/// A handle of a global memory block: an opaque 32-bit id, so that it fits the
/// 4-byte field of a custom-function value record. 0 is no block.
using GlobalHandle = std::uint32_t;

/// Flags of HostGlobalMemory::alloc and realloc.
enum GlobalMemoryFlags : unsigned {
    kGlobalFixed = 0,
    /// The block may move when it is resized; a pointer from lock() is valid
    /// only until unlock().
    kGlobalMovable = 0x1,
    /// New bytes (all of a new block, the grown part of a resized one) are zero.
    kGlobalZeroInit = 0x2,
};

/// The host's movable global memory. Texts cross into and out of custom
/// spreadsheet functions in such blocks: the caller allocates and fills one,
/// the handler locks it, copies the text, unlocks and frees it.
///
/// Handles are ids checked on every call, never pointers: a freed, unknown
/// or stale handle is refused with a status (and lock() gives null), so
/// double frees and use after free are reported, never undefined. Ids are not
/// reused while the memory lives. liveBlocks() lets tests check for leaks.
///
///     HostGlobalMemory& memory = Host::current().memory();
///     GlobalHandle h = memory.alloc(kGlobalMovable, text.length() + 1);
///     if (char* p = static_cast<char*>(memory.lock(h))) {
///         std::memcpy(p, text.c_str(), text.length() + 1);
///         memory.unlock(h);
///     }
///     ...
///     memory.free(h);
class VTX_HOST_API HostGlobalMemory {
public:
    /// The largest block; larger requests fail with eLimitExceeded.
    static constexpr std::size_t kMaxBlockBytes = std::size_t{256} << 20;

    HostGlobalMemory() = default;
    HostGlobalMemory(const HostGlobalMemory&) = delete;
    HostGlobalMemory& operator=(const HostGlobalMemory&) = delete;

    /// A new block of bytes (0 allowed); 0 when it cannot be made (lastStatus
    /// says why: eInvalidInput for unknown flags, eLimitExceeded).
    GlobalHandle alloc(unsigned flags, std::size_t bytes);
    /// Locks the block and returns its first byte; null for a bad handle. Locks
    /// nest; each lock needs its unlock. A block of 0 bytes gives a valid
    /// pointer that must not be read.
    void* lock(GlobalHandle handle);
    /// eOk; eInvalidInput for a bad handle; eNotApplicable when not locked.
    ErrorStatus unlock(GlobalHandle handle);
    /// Frees the block. eInvalidInput for a bad handle (a double free among
    /// them); eWasOpenForRead when it is still locked (the block stays).
    ErrorStatus free(GlobalHandle handle);
    /// Resizes the block keeping its content (the handle stays the same). A
    /// block moves when it grows beyond what it holds; that needs the block or
    /// flags to be movable (else eNotApplicable) and no lock on it (else
    /// eWasOpenForRead). eInvalidInput for a bad handle or unknown flags;
    /// eLimitExceeded beyond kMaxBlockBytes.
    ErrorStatus realloc(GlobalHandle handle, std::size_t bytes, unsigned flags = kGlobalMovable);
    /// Size in bytes, or 0 for a bad handle (see isValid).
    std::size_t size(GlobalHandle handle) const;
    /// Outstanding locks of the block; -1 for a bad handle.
    int lockCount(GlobalHandle handle) const;
    bool isValid(GlobalHandle handle) const { return m_blocks.count(handle) != 0; }

    int liveBlocks() const { return static_cast<int>(m_blocks.size()); }
    /// Calls that were refused because of a bad handle, since the start.
    int misuseCount() const { return m_misuses; }
    /// The status of the last call (eOk after a successful one).
    ErrorStatus lastStatus() const { return m_lastStatus; }

private:
    struct Block {
        std::unique_ptr<unsigned char[]> bytes;
        std::size_t size = 0;
        std::size_t capacity = 0;
        unsigned flags = 0;
        int locks = 0;
    };

    Block* find(GlobalHandle handle);
    ErrorStatus fail(ErrorStatus status);
    ErrorStatus misuse();
    GlobalHandle nextHandle();

    std::map<GlobalHandle, Block> m_blocks;
    GlobalHandle m_lastHandle = 0;
    int m_misuses = 0;
    ErrorStatus m_lastStatus = eOk;
};
