#!/usr/bin/python3
"""The workbook writer at its edges, read by other programs: runs workbook_samples, reads its
shared-string-heavy workbook with xlrd and its compound files with olefile, checks that every
case it must refuse was refused, and that make_docs reports a path it cannot write.

    check_workbook_samples.py workbook_samples make_docs WORKDIR
"""
import os
import struct
import subprocess
import sys

import olefile
import xlrd

from doc_checks import bits, check, failures, report

STREAM_SIZES = (4096, 4097, 126 * 512, 126 * 512 + 1, 127 * 512, 300000)
REFUSALS = ("stream-4095", "stream-name-32", "no-sheets", "long-sheet-name", "sheet-name-colon",
            "same-sheet-names", "widths-257-columns", "number-infinite", "number-nan", "two-cells-one-place",
            "column-256", "text-32768", "text-not-utf8")
NUMBERS = (-0.0, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 0.1, -1.0 / 3.0, 0.9999999999999999)

def expected_texts():
    """The rows of the Texts sheet, built as workbook_samples builds them."""
    rows = [(("t%d " % row) * (row % 37), row / 7.0) for row in range(3000)]
    rows += [("0123456789" * 2000, None), ("\u0416" * 9001, None), ("caf\u00e9 " * 3000, None), ("t1 ", None)]
    return rows


def check_samples_workbook(path):
    book = xlrd.open_workbook(path)
    check(book.sheet_names() == ["Texts", "Numbers"], "sample sheets: %r" % book.sheet_names())
    texts = book.sheet_by_name("Texts")
    rows = expected_texts()
    check(texts.nrows == len(rows), "Texts has %d rows, expected %d" % (texts.nrows, len(rows)))
    for row, (text, number) in enumerate(rows[:texts.nrows]):
        got = texts.cell_value(row, 0)
        if not check(got == text, "Texts row %d: %d characters %r..., expected %d %r..."
                     % (row, len(got), got[:20], len(text), text[:20])):
            break
        if number is not None:
            check(bits(texts.cell_value(row, 1)) == bits(number), "Texts row %d: number %r" % (row, texts.cell_value(row, 1)))
    numbers = book.sheet_by_name("Numbers")
    for row, number in enumerate(NUMBERS):
        got = numbers.cell_value(row, 3) if row < numbers.nrows else None
        check(got is not None and bits(got) == bits(number), "Numbers row %d: %r, expected %r" % (row, got, number))


def check_compound_files(workdir):
    for size in STREAM_SIZES:
        path = os.path.join(workdir, "stream-%d.cfb" % size)
        ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
        data = ole.openstream("Data").read()
        pattern = bytes((i * 7 + 3) & 0xFF for i in range(size))
        check(ole.listdir() == [["Data"]] and data == pattern,
              "%s: streams %r, %d bytes read, content %s" % (path, ole.listdir(), len(data),
                                                             "equal" if data == pattern else "differs"))
        fat_sectors = struct.unpack_from("<I", open(path, "rb").read(512), 44)[0]
        sectors = -(-size // 512) + 1
        check(fat_sectors * 128 >= sectors + fat_sectors > (fat_sectors - 1) * 128,
              "%s: %d FAT sectors for %d other sectors" % (path, fat_sectors, sectors))
        ole.close()


def check_refusals(listing):
    outcomes = dict(line.split("\t", 1) for line in listing.splitlines())
    for case in REFUSALS:
        outcome = outcomes.get(case)
        check(outcome not in (None, "accepted", ""), "%s: %r" % (case, outcome))


def check_unwritable(make_docs, workdir):
    target = os.path.join(workdir, "no such folder", "install.xls")
    run = subprocess.run([make_docs, "--workbook", target], capture_output=True, text=True)
    check(run.returncode == 1 and target in run.stderr and "No such file" in run.stderr,
          "make_docs on a missing folder: exit %d, %r" % (run.returncode, run.stderr))


def main(samples, make_docs, workdir):
    os.makedirs(workdir, exist_ok=True)
    run = subprocess.run([samples, workdir], capture_output=True, text=True)
    if not check(run.returncode == 0, "workbook_samples: exit %d, %s" % (run.returncode, run.stderr)):
        return report("workbook samples")
    check_samples_workbook(os.path.join(workdir, "samples.xls"))
    check_compound_files(workdir)
    check_refusals(run.stdout)
    check_unwritable(make_docs, workdir)
    return report("workbook samples")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: check_workbook_samples.py workbook_samples make_docs WORKDIR")
    sys.exit(main(*sys.argv[1:]))
