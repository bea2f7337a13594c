// Texts of custom-function value records in the host's global memory.
#include "spread/FromTableText.h"

#include "platform/host/GlobalText.h"
#include "platform/host/Host.h"

using vtx::sheet::ValueRecord;

bool takeGlobalText(GlobalHandle handle, Vtx_String& text) {
    text.clear();
    if (handle == 0 || !getGlobalStr(handle, text))
        return false;
    Host::current().memory().free(handle);
    return true;
}

GlobalHandle newGlobalText(const Vtx_String& text) {
    return setGlobalStr(text);
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
