#!/usr/bin/env python3
"""Writes one of the five formula-engine benchmark workloads as a .cells list.

    bench/workloads/make_cells.py chain /tmp/chain.cells [size]

Workloads (default size): chain (100000), grid (50000), sumfan (1000),
lookup (10000), strings (50000). The .cells format and the expected
checksums are in docs/vtxss-bench.md.
"""
import sys


def number(value):
    """A number as the cell list writes it: whole numbers without a point."""
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return repr(value) if isinstance(value, float) else str(value)


def chain(n=100000):
    """A1=1, A{i}=A{i-1}+1: the deepest chain; a change of A1 reaches every formula."""
    cells = [(0, 0, 'n', 1)] + [(i, 0, 'f', f'A{i}+1') for i in range(1, n)]
    changes = [('A1', 0, 0, 'n', 2), ('mid', n // 2, 0, 'n', 0)]
    return 'chain', n, cells, changes, (0, 0, n - 1, 0)


def grid_inputs(r):
    return [(r % 7) - 3, r * 0.25, (r * 37) % 101, (r % 13) - 6, (r % 17) + 0.5]


def grid_formula(j, r):
    k = j + 1
    return [
        f'IF(A{r}>0,ROUND(B{r}*1.5+C{r}/2,2),MAX(D{r},E{r}))',
        f'A{r}*B{r}-C{r}/(ABS(D{r})+1)+E{r}*{k}',
        f'IF(AND(B{r}>C{r},D{r}<>0),B{r}/D{r},ABS(C{r}-E{r}))',
        f'MIN(A{r},B{r},C{r})+MAX(D{r},E{r})*{k}/10',
        f'ROUND(SQRT(ABS(A{r}*E{r}))+MOD(C{r},7),3)',
    ][j % 5]


def grid(size=50000, ncols=50):
    """Inputs A..E, then ncols formula columns cycling over five templates."""
    rows = size // ncols
    cells = []
    for r in range(1, rows + 1):
        cells += [(r - 1, c, 'n', v) for c, v in enumerate(grid_inputs(r))]
        cells += [(r - 1, 5 + j, 'f', grid_formula(j, r)) for j in range(ncols)]
    changes = [('A1', 0, 0, 'n', 5), ('E_last', rows - 1, 4, 'n', 99.5)]
    return 'grid', rows * ncols, cells, changes, (0, 5, rows - 1, 5 + ncols - 1)


def sumfan(size=1000, ninputs=10000, window=1000, step=9):
    """Inputs in A; B{j} sums a window of 1000 inputs starting 9 rows further each."""
    cells = [(i - 1, 0, 'n', ((i * 7) % 100) / 4) for i in range(1, ninputs + 1)]
    for j in range(1, size + 1):
        start = 1 + (j - 1) * step
        cells.append((j - 1, 1, 'f', f'SUM(A{start}:A{start + window - 1})'))
    changes = [('A5000', 4999, 0, 'n', 1000), ('A1', 0, 0, 'n', 1000)]
    return 'sumfan', size, cells, changes, (0, 1, size - 1, 1)


def lookup_key(i):
    return (i * 7919) % 10007


def lookup(size=10000, table=10000):
    """A table A:B of distinct keys; VLOOKUP for the first half, INDEX/MATCH for the rest."""
    cells = []
    for i in range(1, table + 1):
        cells += [(i - 1, 0, 'n', lookup_key(i)), (i - 1, 1, 'n', lookup_key(i) * 2 + 0.5)]

    def queried(i):
        return ((i * 31) % table) + 1

    for i in range(1, size + 1):
        cells.append((i - 1, 3, 'n', lookup_key(queried(i))))
        formula = (f'VLOOKUP(D{i},$A$1:$B${table},2,0)' if i <= size / 2 else
                   f'INDEX($B$1:$B${table},MATCH(D{i},$A$1:$A${table},0))')
        cells.append((i - 1, 4, 'f', formula))
    changes = [('D1', 0, 3, 'n', lookup_key(queried(2))), ('B_tbl', queried(3) - 1, 1, 'n', 0)]
    return 'lookup', size, cells, changes, (0, 4, size - 1, 4)


def strings(size=50000):
    """A text per row and five text formulas reading it."""
    rows = size // 5
    cells = []
    for r in range(1, rows + 1):
        cells += [
            (r - 1, 0, 's', f'BOLT-M{12 + (r % 20)}x{10 + (r % 97)}'),
            (r - 1, 1, 'f', f'A{r}&"-X"'),
            (r - 1, 2, 'f', f'LEFT(A{r},4)'),
            (r - 1, 3, 'f', f'MID(A{r},6,3)'),
            (r - 1, 4, 'f', f'LEN(B{r})+LEN(D{r})'),
            (r - 1, 5, 'f', f'CONCATENATE(C{r},"/",D{r},"/",E{r})'),
        ]
    changes = [('A1', 0, 0, 's', 'NUT-M8x1'), ('A_last', rows - 1, 0, 's', 'WASHER-M36x1200')]
    return 'strings', rows * 5, cells, changes, (0, 1, rows - 1, 5)


WORKLOADS = {'chain': chain, 'grid': grid, 'sumfan': sumfan, 'lookup': lookup, 'strings': strings}


def main(argv):
    if len(argv) not in (3, 4) or argv[1] not in WORKLOADS or (len(argv) == 4 and not argv[3].isdigit()):
        sys.stderr.write(f'usage: {argv[0]} {"|".join(WORKLOADS)} FILE.cells [size]\n')
        return 2
    make = WORKLOADS[argv[1]]
    name, size, cells, changes, check = make(int(argv[3])) if len(argv) == 4 else make()
    lines = [f'W\t{name}\t{size}']
    lines += [f'C\t{r}\t{c}\t{k}\t{number(v)}' for r, c, k, v in cells]
    lines += [f'X\t{label}\t{r}\t{c}\t{k}\t{number(v)}' for label, r, c, k, v in changes]
    lines.append('K\t' + '\t'.join(str(x) for x in check))
    with open(argv[2], 'w', encoding='utf-8', newline='\n') as out:
        out.write('\n'.join(lines) + '\n')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
