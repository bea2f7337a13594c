// Formulas of other spreadsheet programs into the grid's language: what
// comes over rewritten, and each kind of formula that is refused with its
// reason.

#include "FormulaTranslate.h"

#include <gtest/gtest.h>

namespace {

using cli::FormulaSyntax;
using cli::TranslateContext;

struct Case {
    const char* from;
    const char* to; ///< nullptr: refused
    const char* reason = "";
};

void expectCases(const TranslateContext& context, std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        std::string out;
        std::string reason;
        const bool ok = cli::translateFormula(c.from, context, out, reason);
        if (c.to) {
            EXPECT_TRUE(ok) << c.from << ": " << reason;
            EXPECT_EQ(out, c.to) << c.from;
        } else {
            EXPECT_FALSE(ok) << c.from << " gave " << out;
            EXPECT_NE(reason.find(c.reason), std::string::npos) << c.from << ": " << reason;
        }
    }
}

TEST(FormulaTranslate, A1SyntaxComesOverAsWritten) {
    TranslateContext a1;
    a1.sheetName = "Bolts";
    expectCases(a1, {
                        {"=A1+$B$2*C$3-$D4", "A1+$B$2*C$3-$D4"},
                        {"SUM(A1:B10, 2)", "SUM(A1:B10, 2)"},
                        {"MAX(A:A)-MIN($2:$3)", "MAX(A:A)-MIN($2:$3)"},
                        {"IF(A1>=1,\"a \"\"q\"\" b\",FALSE)", "IF(A1>=1,\"a \"\"q\"\" b\",FALSE)"},
                        {"1.5E-3+.5+25%", "1.5E-3+.5+25%"},
                        {"A1&\" mm\"<>\"x\"", "A1&\" mm\"<>\"x\""},
                        {"IFERROR(1/0,#N/A)", "IFERROR(1/0,#N/A)"},
                        {"true", "TRUE"},
                        {"sum(a1)", "SUM(A1)"},
                        {"(A1)+(B1*2)", "(A1)+(B1*2)"},
                    });
}

TEST(FormulaTranslate, NewerFunctionNamesAndSheetPrefixesAreRewritten) {
    TranslateContext a1;
    a1.sheetName = "My Sheet";
    expectCases(a1, {
                        {"_xlfn.IFS(A1>0,1,TRUE,0)", "IFS(A1>0,1,TRUE,0)"},
                        {"_xlfn.STDEV.S(A1:A9)+_xlfn.VAR.P(B1:B2)", "STDEV(A1:A9)+VARP(B1:B2)"},
                        {"_xlfn._xlws.SORT(A1)", nullptr, "the function SORT is not in"},
                        {"'My Sheet'!A1*'my sheet'!B2:C3", "A1*B2:C3"},
                        {"@A1:A9", "A1:A9"},
                        {"_xlfn.SINGLE(A1:A9)", "(A1:A9)"},
                        {"FROMTABLE(\"t\",1)", "FROMTABLE(\"t\",1)"},
                    });
}

TEST(FormulaTranslate, SharedFormulasMoveTheirRelativeParts) {
    TranslateContext shifted;
    shifted.rowShift = 2;
    shifted.colShift = 1;
    expectCases(shifted, {
                             {"A1*$B$1+C$1+$D1", "B3*$B$1+D$1+$D3"},
                             {"SUM(A:A,2:3)", "SUM(B:B,4:5)"},
                         });
    TranslateContext up;
    up.rowShift = -1;
    expectCases(up, {{"A1+1", nullptr, "moves out of the grid"}});
}

TEST(FormulaTranslate, WhatTheLanguageLacksIsRefusedWithItsReason) {
    TranslateContext a1;
    a1.sheetName = "S";
    expectCases(a1, {
                        {"CUBEVALUE(\"x\")", nullptr,
                         "the function CUBEVALUE is not in the formula language"},
                        {"Other!A1", nullptr, "the reference Other!A1 is to another sheet"},
                        {"'Other sheet'!A1:B2", nullptr, "is to another sheet"},
                        {"[1]S!A1", nullptr, "another workbook"},
                        {"'[b.xlsx]S'!A1", nullptr, "another workbook"},
                        {"SUM(Table1[Count])", nullptr, "the table reference Table1"},
                        {"[@Count]*2", nullptr, "table reference"},
                        {"SUM({1,2})", nullptr, "array constants"},
                        {"Width*2", nullptr, "the name Width is neither a cell nor a function"},
                        {"SUM((A1,B2))", nullptr, "union operator"},
                        {"SUM(A1:B5 B2:C3)", nullptr, "intersection operator"},
                        {"#SPILL!", nullptr, "the error value #SPILL! is not"},
                        {"_xludf.MYFN(1)", nullptr, "macro function"},
                        {"SUM(A1", nullptr, "is not closed"},
                        {"\"open", nullptr, "not closed"},
                        {"A1)", nullptr, "without its"},
                    });
}

TEST(FormulaTranslate, OpenFormulaSyntax) {
    TranslateContext ods;
    ods.syntax = FormulaSyntax::OpenFormula;
    ods.sheetName = "Bolts";
    expectCases(ods, {
                         {"of:=[.A1]*[.$B$2]", "A1*$B$2"},
                         {"of:=SUM([.A1:.B3];1)", "SUM(A1:B3,1)"},
                         {"of:=IF([.A1]>1;\"a;b\";TRUE())", "IF(A1>1,\"a;b\",TRUE())"},
                         {"of:=[$Bolts.A1]+['Bolts'.B1:.C2]", "A1+B1:C2"},
                         {"of:=SUM([.A:.A])", "SUM(A:A)"},
                         {"of:=COM.MICROSOFT.IFS([.A1]>0;1;TRUE();0)", "IFS(A1>0,1,TRUE(),0)"},
                         {"of:=[.#REF!]+1", "#REF!+1"},
                         {"of:=[Other.A1]", nullptr, "is to another sheet"},
                         {"of:=['file:///b.ods'#$S.A1]", nullptr, "another workbook"},
                         {"of:=SUM([.A1]~[.B1])", nullptr, "union operator"},
                         {"of:=[.A1:.B2]![.B1:.C2]", nullptr, "intersection operator"},
                         {"of:=ORG.OPENOFFICE.STYLE(\"x\")", nullptr,
                          "the function ORG.OPENOFFICE.STYLE is not"},
                         {"of:=(1;2)", nullptr, "outside a function's arguments"},
                     });
}

TEST(FormulaTranslate, CellAddresses) {
    int col = 0;
    int row = 0;
    EXPECT_TRUE(cli::readCellAddress("$XFD$1048576", col, row));
    EXPECT_EQ(col, 16384);
    EXPECT_EQ(row, 1048576);
    for (const char* bad : {"XFE1", "A0", "A1048577", "A", "1", "A1B"})
        EXPECT_FALSE(cli::readCellAddress(bad, col, row)) << bad;
}

} // namespace
