#!/usr/bin/python3
"""Prints the sheets of an Excel 97 workbook as Debian's xlrd reads them, one line per row:

    show-workbook.py FILE [SHEET]   (every sheet, or the one named)
"""
import os
import sys

SYSTEM_PYTHON = '/usr/bin/python3'
try:
    import xlrd
except ImportError:
    # tools/bootstrap.sh installs Debian's python3-xlrd, which only the system's interpreter
    # sees; run as "python3 tools/show-workbook.py" another python3 may come first on PATH.
    if sys.prefix == '/usr' or not os.path.exists(SYSTEM_PYTHON):  # already the system's own
        sys.exit(f'show-workbook: no xlrd for {sys.executable}; tools/bootstrap.sh installs it for {SYSTEM_PYTHON}')
    os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)

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
