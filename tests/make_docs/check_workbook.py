#!/usr/bin/python3
"""install.xls as other programs read it: Debian's xlrd for the sheets, olefile and a few header
fields read here for the compound file. Every worked example of the .inc must stand in the
workbook with the very same double and label.

    check_workbook.py install.xls docs/worked_examples.inc
"""
import re
import struct
import sys

import olefile
import xlrd

from doc_checks import bits, check, failures, function_categories, function_list, report

SIGNATURE = bytes.fromhex("D0CF11E0A1B11AE1")
CATEGORIES = ("Unit Converions", "Volume Calculations")
INSTRUCTIONS = ("Tools > Add-Ins...", "File > Options > Add-ins", "Excel Add-ins, then Go...", "Browse...",
                "MEZURA32.XLL", "MEZURA64.XLL", "32-bit or 64-bit", "MEZURA.CHM", "MEZURA.HLP",
                "[CORVANE], line Install=", "Help > Mezura...", '"Unit Converions" and "Volume Calculations"')
TANK_UNITS = "length unit cubed"
LEVEL_UNITS = "length unit"
LEVELS = {name for kind, name, _, _ in function_list() if kind == "LEVEL"}
# The worksheet functions of the add-in's function list, in its order (the command is none).
FUNCTIONS = [name for kind, name, _, _ in function_list() if kind != "COMMAND"]
# Each function's category, as the string id its row gives ("2021": the conversions' category).
CATEGORY_IDS = function_categories()

def read_examples(path):
    """(function, formula, number text, label) of every WORKED_EXAMPLE line, read as C reads it."""
    line_form = re.compile(r'^WORKED_EXAMPLE\("(\w+)", "((?:[^"\\]|\\.)*)", ([-+0-9.eE]+), "((?:[^"\\]|\\.)*)"\)\s*$')
    texts_form = re.compile(r'^WORKED_TEXTS\("(\w+)", "((?:[^"\\]|\\.)*)", (.*)\)\s*$')
    unescape = lambda text: re.sub(r"\\(.)", r"\1", text)
    examples = []
    with open(path, encoding="ascii") as inc:
        for line in inc:
            if line.startswith("WORKED_EXAMPLE("):
                match = line_form.match(line)
                if check(match, "unreadable example line: " + line.strip()):
                    name, arguments, number, label = match.groups()
                    examples.append((name, "=%s(%s)" % (name, unescape(arguments)), number, unescape(label)))
            elif line.startswith("WORKED_TEXTS("):
                # A list's column: the texts stand one a row in the Result column.
                match = texts_form.match(line)
                if check(match, "unreadable example line: " + line.strip()):
                    name, arguments, texts = match.groups()
                    texts = [unescape(t) for t in re.findall(r'"((?:[^"\\]|\\.)*)"', texts)]
                    examples.append((name, "=%s(%s)" % (name, unescape(arguments)), texts, ""))
    return examples


def check_compound_file(path):
    with open(path, "rb") as f:
        data = f.read()
    header = data[:512]
    minor, major, order, shift, mini_shift = struct.unpack_from("<HHHHH", header, 24)
    fat_sectors, first_directory = struct.unpack_from("<II", header, 44)
    (cutoff,) = struct.unpack_from("<I", header, 56)
    check(header[:8] == SIGNATURE, "compound file signature: %s" % header[:8].hex())
    check((major, order, shift, mini_shift, cutoff) == (3, 0xFFFE, 9, 6, 4096),
          "header: version %d, byte order %#x, sector shift %d, mini shift %d, cutoff %d"
          % (major, order, shift, mini_shift, cutoff))
    check(len(data) % 512 == 0, "file size %d is not a whole number of sectors" % len(data))
    directory = data[512 * (1 + first_directory):][:512]
    name_length = struct.unpack_from("<H", directory, 128 + 64)[0]
    name = directory[128:128 + name_length - 2].decode("utf-16-le")
    kind = directory[128 + 66]
    (size,) = struct.unpack_from("<I", directory, 128 + 120)
    check((name, kind) == ("Workbook", 2), "second directory entry: %r of type %d" % (name, kind))
    # A stream this size lives in ordinary sectors, not in the mini-stream.
    check(size >= cutoff, "Workbook stream of %d bytes is below the mini-stream cutoff" % size)

    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    check(ole.listdir() == [["Workbook"]], "olefile finds streams %r" % ole.listdir())
    stream = ole.openstream("Workbook").read()
    check(len(stream) == size, "olefile reads %d bytes of %d" % (len(stream), size))
    kind, length, version, substream = struct.unpack_from("<HHHH", stream, 0)
    check((kind, version, substream) == (0x0809, 0x0600, 0x0005),
          "first record %#06x version %#06x substream %#06x" % (kind, version, substream))
    ole.close()


def cell_texts(sheet):
    return [sheet.cell_value(r, c) for r in range(sheet.nrows) for c in range(sheet.ncols)
            if sheet.cell_type(r, c) == xlrd.XL_CELL_TEXT]


def check_install_sheet(book, sheet, examples):
    texts = cell_texts(sheet)
    check(sheet.cell_value(0, 0) == "Mezura Engineering Add-In", "title: %r" % sheet.cell_value(0, 0))
    title_font = book.font_list[book.xf_list[sheet.cell_xf_index(0, 0)].font_index]
    # BIFF8 says bold by the weight; xlrd's `bold` reads an older flag bit.
    check(title_font.weight == 700, "the title's font weighs %d, not bold" % title_font.weight)
    for phrase in INSTRUCTIONS:
        check(any(phrase in text for text in texts), "no instruction mentions %r" % phrase)
    check(all(text.isascii() for text in texts), "a text on Install is not plain ASCII")

    rows = {sheet.cell_value(r, 0): r for r in range(sheet.nrows) if sheet.cell_type(r, 0) == xlrd.XL_CELL_TEXT}
    header = rows.get("Formula")
    if check(header is not None, "no Formula column"):
        check([sheet.cell_value(header, c) for c in range(3)] == ["Formula", "Result", "Units"],
              "example table header: %r" % sheet.row_values(header)[:3])
    for name, formula, number, label in examples:
        row = rows.get(formula)
        if not check(row is not None, "%s: no row holds %s" % (name, formula)):
            continue
        if isinstance(number, list):
            got = [sheet.cell_value(row + i, 1) for i in range(len(number))]
            check(got == number, "%s: the column %r, expected %r" % (name, got, number))
            continue
        got = sheet.cell(row, 1)
        check(got.ctype == xlrd.XL_CELL_NUMBER and bits(got.value) == bits(float(number)),
              "%s: result %r (%s), expected %s (%s)" % (name, got.value, got.ctype == xlrd.XL_CELL_NUMBER and
                                                       bits(got.value), number, bits(float(number))))
        # Shown as the help shows it: the decimals of its 15 significant digits, not all 17.
        code = book.format_map[book.xf_list[sheet.cell_xf_index(row, 1)].format_key].format_str
        shown = "%.15g" % float(number)
        decimals = len(shown) - shown.index(".") - 1 if "." in shown else 0
        check(code == ("0." + "0" * decimals if decimals else "0"), "%s: result format %r for %s" % (name, code, shown))
        units = sheet.cell_value(row, 2) if sheet.ncols > 2 else ""
        expected = label or (LEVEL_UNITS if name in LEVELS else TANK_UNITS)
        check(units == expected, "%s: units %r, expected %r" % (name, units, expected))


def check_functions_sheet(sheet, examples):
    check(sheet.row_values(0)[:4] == ["Function", "Category", "Arguments", "Description"],
          "Functions header: %r" % sheet.row_values(0))
    rows = [sheet.row_values(r) for r in range(1, sheet.nrows)]
    names = [row[0] for row in rows]
    check(names == FUNCTIONS, "Functions lists %r, the add-in %r" % (names, FUNCTIONS))
    check(set(names) == {example[0] for example in examples}, "functions %r differ from the examples'" % names)
    for name, category, arguments, description in (row[:4] for row in rows):
        check(category in CATEGORIES, "%s: category %r" % (name, category))
        check(arguments != "" and description != "", "%s: arguments %r, description %r" % (name, arguments, description))
        family = CATEGORIES[0] if CATEGORY_IDS.get(name) == "2021" else CATEGORIES[1]
        check(category == family, "%s is under %r" % (name, category))


def main(workbook, inc):
    examples = read_examples(inc)
    check(len(examples) == len(FUNCTIONS), "%d worked examples in %s" % (len(examples), inc))
    check_compound_file(workbook)
    book = xlrd.open_workbook(workbook, formatting_info=True)
    check(book.sheet_names() == ["Install", "Functions"], "sheets: %r" % book.sheet_names())
    if not failures:
        check_install_sheet(book, book.sheet_by_name("Install"), examples)
        check_functions_sheet(book.sheet_by_name("Functions"), examples)
    return report(workbook)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_workbook.py install.xls worked_examples.inc")
    sys.exit(main(sys.argv[1], sys.argv[2]))
