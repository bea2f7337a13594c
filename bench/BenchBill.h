#pragma once

// The part list the bill benchmarks feed: like the producer's, with text,
// whole-number and one-decimal columns, and optionally a sub-total after
// every 50 parts.

#include "platform/core/ListOutput.h"

inline Vtx_Bill makeBenchBill(int parts, bool subTotals) {
    Vtx_Bill bill;
    bill.columnNames = {"Pos", "Part", "Section", "Material", "Count", "Length", "Weight"};
    bill.rowProperties = {3, 3, 3, 3, 1, 1, 2};
    const char* sections[] = {"HEA 200", "IPE 300", "PL 20x300x400", "L 100x10", "C 200"};
    for (int i = 1; i <= parts; ++i) {
        Vtx_BillEntry entry;
        entry.texts = {Vtx_String::fromInt(i),
                       "Part " + Vtx_String::fromInt(i % 97),
                       sections[i % 5],
                       i % 3 ? "S355" : "S235",
                       Vtx_String::fromInt(1 + i % 8),
                       Vtx_String::fromInt(150 + (i * 37) % 12000),
                       Vtx_String(0.1 * (i % 5000) + 1.3, 1)};
        bill.entries.append(entry);
        if (subTotals && i % 50 == 0) {
            Vtx_BillEntry total;
            total.kind = Vtx_BillEntry::SubTotal;
            total.texts = {"",      "Assembly " + Vtx_String::fromInt(i / 50), "", "", "400", "",
                           "1234.5"};
            bill.entries.append(total);
        }
    }
    return bill;
}
