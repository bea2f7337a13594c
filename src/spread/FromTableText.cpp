// Texts of custom-function value records in the host's global memory.
#include "spread/FromTableText.h"

#include "platform/host/Host.h"

#include <cstring>

using vtx::sheet::ValueRecord;

bool takeGlobalText(GlobalHandle handle, Vtx_String& text) {
    text.clear();
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
    memory.free(handle);
    return true;
}

GlobalHandle newGlobalText(const Vtx_String& text) {
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

CustomArgument takeCustomArgument(ValueRecord& record) {
    CustomArgument argument;
    argument.status = record.status();
    argument.type = record.type();
    switch (record.type()) {
    case vtx::sheet::kValueInt:
        argument.integer = record.intValue();
        break;
    case vtx::sheet::kValueDouble:
        argument.number = record.doubleValue();
        break;
    case vtx::sheet::kValueText:
        // Only a valid text carries a block; the value field of an error
        // holds its code, which must not be taken for a handle.
        if (argument.status != vtx::sheet::kValueOk)
            break;
        if (!takeGlobalText(record.handle(), argument.text))
            argument.status = vtx::sheet::kValueError;
        record.setHandle(0);
        break;
    case vtx::sheet::kValueCell:
    case vtx::sheet::kValueRange:
        argument.column = record.column();
        argument.row = record.row();
        break;
    default:
        break;
    }
    return argument;
}
