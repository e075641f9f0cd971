#!/usr/bin/python3
"""Prints the sheets of an Excel 97 workbook as Debian's xlrd reads them, one line per row:

    show-workbook.py FILE [SHEET]   (every sheet, or the one named)
"""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
for sheet in book.sheets():
    if len(sys.argv) > 2 and sheet.name != sys.argv[2]:
        continue
    print(f'Sheet "{sheet.name}":')
    for row in range(sheet.nrows):
        cells = [repr(c.value) if c.ctype == xlrd.XL_CELL_NUMBER else str(c.value) for c in sheet.row(row)]
        while cells and not cells[-1]:
            cells.pop()
        print('  ' + ' | '.join(cells))
