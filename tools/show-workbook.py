#!/usr/bin/python3
"""Prints the sheets of an Excel 97 workbook as Debian's xlrd reads them, one line per row, a
number in its cell's fixed-decimals format ("0.000") where it has one, else with every digit:

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



def shown(book, sheet, row, column):
    cell = sheet.cell(row, column)
    if cell.ctype != xlrd.XL_CELL_NUMBER:
        return str(cell.value)
    code = book.format_map[book.xf_list[sheet.cell_xf_index(row, column)].format_key].format_str
    if code == '0' or (code.startswith('0.') and set(code[2:]) == {'0'}):
        return f'{cell.value:.{max(len(code) - 2, 0)}f}'
    return repr(cell.value)


book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
for sheet in book.sheets():
    if len(sys.argv) > 2 and sheet.name != sys.argv[2]:
        continue
    print(f'Sheet "{sheet.name}":')
    for row in range(sheet.nrows):
        cells = [shown(book, sheet, row, column) for column in range(sheet.ncols)]
        while cells and not cells[-1]:
            cells.pop()
        print('  ' + ' | '.join(cells))
