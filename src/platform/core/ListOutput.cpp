#include "platform/core/ListOutput.h"

#include <algorithm>

int Vtx_Bill::findColumn(const Vtx_String& name) const {
    for (int i = 0; i < columnNames.length(); ++i)
        if (columnNames[i].equal(name, false))
            return i;
    return -1;
}

double Vtx_Bill::largestNumber(int column) const {
    double largest = 0;
    for (const Vtx_BillEntry& entry : entries) {
        double value = 0;
        if (entry.kind == Vtx_BillEntry::Part && column >= 0 && column < entry.texts.length() &&
            entry.texts[column].toDouble(value))
            largest = std::max(largest, value);
    }
    return largest;
}

int Vtx_Bill::partCount() const {
    return static_cast<int>(std::count_if(entries.begin(), entries.end(), [](const auto& e) {
        return e.kind == Vtx_BillEntry::Part;
    }));
}

ErrorStatus produceList(const Vtx_Bill& bill, Vtx_ListOutputCallback& output) {
    const ErrorStatus started = output.onStartFeed();
    if (started != eOk)
        return started;
    const Vtx_StringArray noSeconds;
    for (const Vtx_BillEntry& entry : bill.entries) {
        switch (entry.kind) {
        case Vtx_BillEntry::Part:
            output.onAddRow(entry.texts);
            break;
        case Vtx_BillEntry::SubTotal:
            output.onAddSubTotals(entry.texts, noSeconds, false, 0);
            break;
        case Vtx_BillEntry::Separation:
            output.onAddSeperation();
            break;
        case Vtx_BillEntry::NewPage:
            output.onNewPage();
            break;
        }
    }
    return output.onEndFeed();
}
