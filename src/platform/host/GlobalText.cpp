// Copying texts into and out of the host's global memory blocks.

#include "platform/host/GlobalText.h"

#include "platform/host/Host.h"

#include <cstring>

bool getGlobalStr(GlobalHandle handle, Vtx_String& text) {
    HostGlobalMemory& memory = Host::current().memory();
    if (handle == 0 || !memory.isValid(handle))
        return false;
    const std::size_t size = memory.size(handle);
    const char* bytes = static_cast<const char*>(memory.lock(handle));
    if (bytes == nullptr)
        return false;
    // A block without a terminating zero is read to its end, never beyond.
    const void* zero = size == 0 ? nullptr : std::memchr(bytes, 0, size);
    const std::size_t length =
        zero == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(zero) - bytes);
    text = Vtx_String(std::string(bytes, length));
    memory.unlock(handle);
    return true;
}

GlobalHandle setGlobalStr(const Vtx_String& text) {
    HostGlobalMemory& memory = Host::current().memory();
    const std::size_t bytes = static_cast<std::size_t>(text.length()) + 1;
    GlobalHandle handle = memory.alloc(kGlobalMovable, bytes);
    if (handle == 0) {
        hostPrintf("Reallocate failed\n");
        return 0;
    }
    char* target = static_cast<char*>(memory.lock(handle));
    if (target == nullptr) {
        hostPrintf("Reallocate failed\n");
        memory.free(handle);
        return 0;
    }
    std::memcpy(target, text.c_str(), bytes);
    memory.unlock(handle);
    return handle;
}
