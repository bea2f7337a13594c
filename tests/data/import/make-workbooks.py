#!/usr/bin/env python3
"""Writes the small .xlsx and .ods workbooks of the import tests (beside this
script) with nothing but zipfile: the smallest parts a reader needs, each
formula with the value a spreadsheet program would keep for it.

    python3 tests/data/import/make-workbooks.py
"""
import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIXED_TIME = (2024, 1, 1, 0, 0, 0)  # the same bytes on every run


def write_zip(name, parts):
    with zipfile.ZipFile(os.path.join(HERE, name), "w", zipfile.ZIP_DEFLATED) as z:
        for part, text in parts:
            info = zipfile.ZipInfo(part, FIXED_TIME)
            # .ods: the mimetype comes first and is stored
            info.compress_type = zipfile.ZIP_STORED if part == "mimetype" else zipfile.ZIP_DEFLATED
            z.writestr(info, text)


# ---- .xlsx ----

NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
REL_NS = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'


def xlsx(name, sheets, strings):
    """sheets: [(sheet name, sheetData xml)]; strings: the shared strings."""
    types = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">',
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>',
             '<Default Extension="xml" ContentType="application/xml"/>',
             '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>',
             '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>']
    rels = ['<?xml version="1.0" encoding="UTF-8"?>',
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">']
    book = ['<?xml version="1.0" encoding="UTF-8"?>', f'<workbook {NS} {REL_NS}><sheets>']
    parts = []
    for i, (sheet, data) in enumerate(sheets, 1):
        types.append(f'<Override PartName="/xl/worksheets/sheet{i}.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>')
        rels.append(f'<Relationship Id="rId{i}" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet{i}.xml"/>')
        book.append(f'<sheet name="{sheet}" sheetId="{i}" r:id="rId{i}"/>')
        parts.append((f"xl/worksheets/sheet{i}.xml",
                      f'<?xml version="1.0" encoding="UTF-8"?>\n<worksheet {NS}><sheetData>{data}</sheetData></worksheet>'))
    n = len(sheets) + 1
    rels.append(f'<Relationship Id="rId{n}" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>')
    types.append("</Types>")
    rels.append("</Relationships>")
    book.append("</sheets></workbook>")
    sst = "".join(f"<si><t>{s}</t></si>" for s in strings)
    parts += [("[Content_Types].xml", "".join(types)),
              ("_rels/.rels", '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>'),
              ("xl/workbook.xml", "".join(book)),
              ("xl/_rels/workbook.xml.rels", "".join(rels)),
              ("xl/sharedStrings.xml", f'<?xml version="1.0" encoding="UTF-8"?><sst {NS} count="{len(strings)}" uniqueCount="{len(strings)}">{sst}</sst>')]
    write_zip(name, sorted(parts, key=lambda p: p[0] != "[Content_Types].xml"))


def row(r, *cells):
    return f'<row r="{r}">' + "".join(cells) + "</row>"


def s(ref, index):
    return f'<c r="{ref}" t="s"><v>{index}</v></c>'


def n(ref, value):
    return f'<c r="{ref}"><v>{value}</v></c>'


def f(ref, formula, value, kind="", extra=""):
    t = f' t="{kind}"' if kind else ""
    return f'<c r="{ref}"{t}><f{extra}>{formula}</f><v>{value}</v></c>'


# Bolts: values, texts, plain and shared formulas, newer function names,
# truth and error values; a second sheet that is imported only when named.
bolts = "".join([
    row(1, s("A1", 0), s("B1", 1), s("C1", 2), s("D1", 3)),
    row(2, n("A2", 12), n("B2", 4), f("C2", "A2*B2", 48, extra=' t="shared" ref="C2:C4" si="0"'),
        f("D2", 'IF(C2&gt;40,"big","small")', "big", "str")),
    row(3, n("A3", 16), n("B3", 2), '<c r="C3"><f t="shared" si="0"/><v>32</v></c>',
        f("D3", "$A$2+A3", 28)),
    row(4, n("A4", 20), n("B4", 2), '<c r="C4"><f t="shared" si="0"/><v>40</v></c>',
        f("D4", "MAX(A:A)-MIN(2:2)", 44)),
    row(5, f("A5", "SUM($A$2:A4)", 48), f("B5", "_xlfn.STDEV.S(B2:B4)", "1.1547005383792515"),
        f("C5", "ROUND(AVERAGE(C2:C4),1)", 40), f("D5", 'A2&amp;" mm"', "12 mm", "str")),
    row(6, '<c r="A6" t="b"><v>1</v></c>', f("B6", "1/0", "#DIV/0!", "e"),
        s("C6", 4),
        f("D6", '_xlfn.IFS(A2&gt;10,"x",TRUE,"y")', "x", "str")),
    row(7, f("A7", 'COUNTIF(B2:B4,"&gt;2")', 1), f("B7", "Bolts!A2*2", 24),
        f("C7", "25%*B2", 1), f("D7", "@B7", 24)),
])
other = row(1, n("A1", 7), f("B1", "A1*3", 21))
xlsx("book.xlsx", [("Bolts", bolts), ("Other", other)], ["Size", "Count", "Area", "Note", "naïve"])

# Formulas that do not translate, each with the value the program kept.
refused = "".join([
    row(1, n("A1", 1), f("B1", 'CUBEVALUE("x")', 5)),
    row(2, n("A2", 2), f("B2", "Other!A1", 3)),
    row(3, f("B3", "SUM(Table1[Count])", 7)),
    row(4, '<c r="B4"><f t="array" ref="B4">SUM(A1:A2*2)</f><v>6</v></c>'),
    row(5, f("B5", "SUM({1,2})", 3)),
    row(6, f("B6", "Width*2", 0)),
    row(7, f("B7", "A1+1", 2)),
])
xlsx("refused.xlsx", [("S", refused), ("Other", row(1, n("A1", 3)))], [])
# The same without the array formula, whose value the reader does not pass on.
kept = refused.replace('<f t="array" ref="B4">SUM(A1:A2*2)</f>', "").replace(
    f("B3", "SUM(Table1[Count])", 7), f("B3", "SUM(Table1[Count])", "seven", "str"))
xlsx("kept.xlsx", [("S", kept), ("Other", row(1, n("A1", 3)))], [])


# ---- .ods ----

def ods(name, table, cells):
    office = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
              'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
              'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
              'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"')
    rows = "".join("<table:table-row>" + "".join(r) + "</table:table-row>" for r in cells)
    content = (f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {office} office:version="1.2">'
               f'<office:body><office:spreadsheet><table:table table:name="{table}">{rows}</table:table>'
               '</office:spreadsheet></office:body></office:document-content>')
    manifest = ('<?xml version="1.0" encoding="UTF-8"?><manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">'
                '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/></manifest:manifest>')
    write_zip(name, [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
                     ("content.xml", content), ("META-INF/manifest.xml", manifest)])


def on(value):
    return f'<table:table-cell office:value-type="float" office:value="{value}"><text:p>{value}</text:p></table:table-cell>'


def ot(text):
    return f'<table:table-cell office:value-type="string"><text:p>{text}</text:p></table:table-cell>'


def of(formula, value):
    if isinstance(value, str):
        return (f'<table:table-cell table:formula="{formula}" office:value-type="string" '
                f'office:string-value="{value}"><text:p>{value}</text:p></table:table-cell>')
    return (f'<table:table-cell table:formula="{formula}" office:value-type="float" '
            f'office:value="{value}"><text:p>{value}</text:p></table:table-cell>')


ods("book.ods", "Bolts", [
    [ot("Size"), ot("Count"), ot("Area")],
    [on(12), on(4), of("of:=[.A2]*[.B2]", 48)],
    [on(16), on(2), of("of:=[.$A$2]+[.A3]", 28)],
    [of("of:=SUM([.A2:.A3])", 28), of("of:=IF([.C2]&gt;40;&quot;big&quot;;&quot;small&quot;)", "big"),
     of("of:=ROUND(AVERAGE([Bolts.C2:.C3]);1)", 38)],
    [of("of:=COM.MICROSOFT.IFS([.A2]&gt;10;1;TRUE();2)", 1)],
])
