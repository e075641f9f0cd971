#!/usr/bin/env python3
"""Reads MEZURA.CHM with Debian's chmlib (python3-chm) and checks it against the built add-in.

    check_chm.py CHMFILE ADDIN HOST [--wrapper WINE_RUN] [--build-root DIR]...

HOST is the emulated Excel (xlhost), run through the Wine runner when one is given. The help
contexts the add-in registers for an Excel 12.0 (`xlhost --version 12.0 --help-topics`) must be
the CHM's context map, each opening its function's page; every link of the pages, the table of
contents and the index must land on a file of the CHM; CvtLength's unit table must be what the
add-in answers; and no path of the build (--build-root) may be in the file.
"""
import argparse
import html
import os
import re
import struct
import sys

from chm import chmlib

from doc_checks import check, registered_topics, report, unit_answers


def read_all(handle):
    """{name: bytes} of every file in the CHM, as chmlib finds and decompresses it."""
    names = []

    def collect(_, unit, __):
        names.append(unit.path.decode('utf-8'))
        return chmlib.CHM_ENUMERATOR_CONTINUE
    chmlib.chm_enumerate(handle, chmlib.CHM_ENUMERATE_ALL, collect, None)
    files = {}
    for name in names:
        found, unit = chmlib.chm_resolve_object(handle, name.encode('utf-8'))
        if found != chmlib.CHM_RESOLVE_SUCCESS or name.endswith('/'): continue
        size, data = chmlib.chm_retrieve_object(handle, unit, 0, unit.length)
        check(size == unit.length, f'{name}: chmlib read {size} of {unit.length} bytes')
        files[name] = data or b''
    return files


def system_records(system):
    """#SYSTEM's records by code: the text of each."""
    records, at = {}, 4
    while at + 4 <= len(system):
        code, size = struct.unpack_from('<HH', system, at)
        records[code] = system[at + 4:at + 4 + size]
        at += 4 + size
    return records


def text_at(strings, offset):
    return strings[offset:strings.index(b'\0', offset)].decode('latin-1')


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('chm_file')
    parser.add_argument('addin')
    parser.add_argument('host')
    parser.add_argument('--wrapper')
    parser.add_argument('--build-root', action='append', default=[])
    options = parser.parse_args()
    wrapper = [options.wrapper] if options.wrapper else []
    native = lambda path: 'Z:' + os.path.abspath(path).replace('/', '\\') if wrapper else path
    addin = native(options.addin)

    handle = chmlib.chm_open(options.chm_file)
    if not handle: sys.exit(f'chmlib cannot open {options.chm_file}')
    files = read_all(handle)
    chmlib.chm_close(handle)
    for name in ('/#SYSTEM', '/#IVB', '/#STRINGS', '/#WINDOWS'):
        check(name in files, f'internal file {name}')

    system = system_records(files.get('/#SYSTEM', b''))
    named = {code: system.get(code, b'').split(b'\0')[0].decode('latin-1') for code in (0, 1, 2)}
    for code, what in ((0, 'contents'), (1, 'index'), (2, 'first page')):
        check('/' + named[code] in files, f'#SYSTEM names "{named[code]}" as the {what}, which the file lacks')

    # The context map: exactly the contexts the add-in registers for Excel 12, each opening its page.
    registered, files_named = registered_topics(options.host, addin, wrapper, '12.0')
    check(files_named == {'MEZURA.CHM'}, f'the add-in names {sorted(files_named)} to an Excel 12.0 beside the CHM')
    ivb, strings = files.get('/#IVB', b'\0\0\0\0'), files.get('/#STRINGS', b'\0')
    size = struct.unpack_from('<I', ivb)[0]
    check(size == len(ivb) - 4 and size % 8 == 0, f'#IVB says {size} bytes of pairs, holds {len(ivb) - 4}')
    mapped = {number: text_at(strings, offset) for number, offset in struct.iter_unpack('<II', ivb[4:4 + size])}
    check(set(mapped) == set(registered), f'mapped contexts {sorted(mapped)} != registered {sorted(registered)}')
    for number, functions in sorted(registered.items()):
        page = files.get('/' + mapped.get(number, ''))
        if not check(page is not None, f'context {number} maps to "{mapped.get(number)}", no file of the CHM'): continue
        title = re.search(rb'<title>([^<]*)</title>', page)
        expected = named[2] if number == 3 else functions[0] + '.htm'
        check(mapped[number] == expected, f'context {number} opens {mapped[number]}, not {expected}')
        check(number == 3 or (title and title.group(1).decode() == functions[0]), f'{mapped[number]}: title {title}')

    # Links of the pages, and the pages of the contents and the index: each is a file of the CHM,
    # named as the directory names it (chmlib forgives a difference of letter case; others may not).
    links = 0
    for name, data in files.items():
        if not name.endswith(('.htm', '.hhc', '.hhk')): continue
        text = data.decode('latin-1')
        for target in re.findall(r'(?:href|src)="([^"]*)"', text) + re.findall(r'name="Local" value="([^"]*)"', text):
            links += 1
            target = html.unescape(target).split('#')[0]
            check('/' + target in files, f'{name} links to "{target}", no file of the CHM')

    # One unit table, row by row, against what the add-in answers for that unit.
    page = files.get('/CvtLength.htm', b'').decode('latin-1')
    cells = re.findall(r'<tr><td>(\d+)</td><td>([^<]*)</td><td>([^<]*)</td><td>([^<]*)</td></tr>', page)
    rows = [(int(index), html.unescape(label), float(factor)) for index, label, factor, _ in cells]
    check(len(rows) > 1, f'CvtLength.htm shows {len(rows)} unit rows')
    answers = unit_answers(options.host, addin, wrapper, native, [('CvtLength', index) for index, _, _ in rows])
    for (index, label, factor), (number, answer_label) in zip(rows, answers):
        check(answer_label == label, f'CvtLength unit {index}: help "{label}", add-in "{answer_label}"')
        expected = factor / rows[0][2]
        check(number and abs(float(number) - expected) <= 1e-13 * abs(expected),
              f'CvtLength unit {index}: help factor {factor}, add-in {number}')

    # Every symbol beside a unit names that unit.
    symbols = [(html.unescape(label), symbol) for _, label, _, listed in cells if listed
               for symbol in html.unescape(listed).split(', ')]
    check(len(symbols) > 1, f'CvtLength.htm shows {len(symbols)} symbols')
    answers = unit_answers(options.host, addin, wrapper, native, [('CvtLength', f'"{s}"') for _, s in symbols])
    for (label, symbol), (_, answer_label) in zip(symbols, answers):
        check(answer_label == label, f'CvtLength: the help gives "{symbol}" to "{label}", the add-in "{answer_label}"')

    image = open(options.chm_file, 'rb').read()
    for root in options.build_root:
        check(os.path.abspath(root).encode() not in image, f'the file holds the path {os.path.abspath(root)}')

    return report(f'{options.chm_file}: {len(files)} files, {len(mapped)} context numbers, {links} links, '
                  f'{len(rows)} CvtLength units')


if __name__ == '__main__':
    sys.exit(main())
