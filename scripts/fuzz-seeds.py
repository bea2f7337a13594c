#!/usr/bin/env python3
"""Gathers seed candidates for the fuzz targets from the sample library and
tests/data into OUT/<target>/ (one file per input). scripts/fuzz.sh seed
then keeps, per target, the candidates that add coverage (libFuzzer -merge)
in fuzz/corpus/<target>/.

    scripts/fuzz-seeds.py OUT
"""
import hashlib
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SAMPLE = ROOT / "sample"
DATA = ROOT / "tests" / "data"


def files(*patterns):
    for pattern in patterns:
        yield from sorted(ROOT.glob(pattern))


def formulas():
    """Formula texts: the first field of the fixture lines, the formulas of
    sheet files and the equations of the standards sheets."""
    for path in files("tests/data/sheet/*.txt"):
        for line in path.read_bytes().split(b"\n"):
            if line and not line.startswith((b"#", b"!")) and b"\t" in line:
                yield line.split(b"\t", 1)[0]
    for path in files("sample/**/*.kss", "tests/data/**/*.kss", "tests/data/**/*.vxs"):
        for match in re.finditer(rb'f="((?:[^"\\]|\\.)*)"', path.read_bytes()):
            yield match.group(1)
        for match in re.finditer(rb't="[A-Za-z]+=(.+)"', path.read_bytes()):
            yield match.group(1)


def documented(doc, first):
    """The code blocks of a page in docs/ whose text starts with first."""
    text = (ROOT / "docs" / doc).read_bytes()
    for match in re.finditer(rb"```[a-z]*\n(.*?)```", text, re.S):
        if match.group(1).startswith(first):
            yield match.group(1)


TARGETS = {
    "formula": formulas,
    "sheet_file": lambda: (p.read_bytes() for p in files(
        "tests/data/sheet/*.vxs", "tests/data/sheet/damaged/*.vxs", "tests/data/**/*.kss",
        "sample/**/*.kss")),
    "cell_list": lambda: (p.read_bytes() for p in files("tests/data/**/*.cells")),
    "mapping": lambda: (p.read_bytes() for p in files("sample/**/*.map")),
    "data_file": lambda: (p.read_bytes() for p in files(
        "tests/data/standards/Data/*.txt", "sample/library/Connection Standards/Data/*.txt")),
    "section_table": lambda: (p.read_bytes() for p in files(
        "tests/data/core/tables/*.pr", "tests/data/standards/prof/*.pr", "sample/**/*.pr")),
    "properties": lambda: [p.read_bytes() for p in files("tests/data/core/*.txt")] + list(
        documented("properties-format.md", b"VtxProperties")),
    "print_settings": lambda: (p.read_bytes() for p in files("tests/data/**/*.ksd",
                                                             "sample/**/*.ksd")),
    "drawing": lambda: (p.read_bytes() for p in files("tests/data/core/drawings/*.vtxd",
                                                      "sample/**/*.vtxd")),
    "part_list": lambda: (p.read_bytes() for p in files("tests/data/spread/bill/*.csv",
                                                        "sample/**/*.csv")),
    "language_texts": lambda: [p.read_bytes() for p in files("sample/install/Texts/*.txt")] +
    list(documented("language-texts.md", b"VtxLanguageTexts")),
    "registry": lambda: documented("registry-format.md", b"vtx-registry"),
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = pathlib.Path(sys.argv[1])
    for target, gather in TARGETS.items():
        folder = out / target
        folder.mkdir(parents=True, exist_ok=True)
        count = 0
        for data in gather():
            name = hashlib.sha1(data).hexdigest()
            (folder / name).write_bytes(data)
            count += 1
        print(f"{target}: {count} candidates")


if __name__ == "__main__":
    main()
