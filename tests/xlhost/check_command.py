#!/usr/bin/env python3
"""Runs the xlhost command on what a user may hand it and checks the exit code and the message.

    check_command.py HOST ADDIN NOT_ADDIN [--wrapper WINE_RUN]

HOST is the runner, ADDIN the add-in it loads, NOT_ADDIN a module of the same kind that is no
add-in (the host's own XLCALL32); WINE_RUN runs a Windows build under Wine.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile

USAGE, BAD_FILE, NOT_LOADABLE = 2, 3, 4


def pe_header(machine):
    """The first bytes of a Windows module for `machine` (0x14C i386, 0x8664 x86-64): enough for the host's check."""
    dos = bytearray(64)
    dos[0:2] = b'MZ'
    struct.pack_into('<I', dos, 0x3C, 64)
    return bytes(dos) + b'PE\0\0' + struct.pack('<H', machine) + bytes(32)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('host')
    parser.add_argument('addin')
    parser.add_argument('not_addin')
    parser.add_argument('--wrapper')
    options = parser.parse_args()
    windows = options.wrapper is not None
    # Windows programs under Wine see this machine's files on drive Z:.
    path = (lambda p: 'Z:' + os.path.abspath(p).replace('/', '\\')) if windows else os.path.abspath

    with tempfile.TemporaryDirectory(prefix='xlhost-command-') as work:
        failures, count = run_rows(options, windows, path, work)
    for failure in failures:
        print(failure)
    print(f'{count - len(failures)} of {count} command lines answered as expected')
    sys.exit(1 if failures else 0)


def run_rows(options, windows, path, work):
    files = {
        'good.sheet': b'\xef\xbb\xbfA1 = 2\nB1 = VolSphere(1, A1)\n',
        'error.sheet': b'A1 = 1\nB1 = CvtLength(1, inches, "feet")\n',
        'huge.sheet': b'A1:IV65536 = VolSphere(1, 1)\n',
        'linux.so': b'\x7fELF\x02\x01\x01' + bytes(57),
        'win32.xll': pe_header(0x14C),
        'win64.xll': pe_header(0x8664),
    }
    for name, data in files.items():
        with open(os.path.join(work, name), 'wb') as out:
            out.write(data)
    os.mkdir(os.path.join(work, 'folder'))
    at = lambda name: path(os.path.join(work, name))
    addin = path(options.addin)
    host64 = windows and open(options.host, 'rb').read(4096).find(b'PE\0\0\x64\x86') >= 0
    if not windows:
        foreign, foreign_host = at('win32.xll'), 'the 32-bit Windows host under Wine'
    elif host64:
        foreign, foreign_host = at('win32.xll'), 'the 32-bit Windows host'
    else:
        foreign, foreign_host = at('win64.xll'), 'the 64-bit Windows host'

    # (what the user did, arguments, exit code, text expected on stderr (stdout for exit 0))
    rows = [
        ('asks for help', ['--help'], 0, 'usage: xlhost'),
        ('gives nothing', [], USAGE, 'the add-in to load is missing'),
        ('gives an unknown option', ['--verbose', addin], USAGE, 'unknown option --verbose'),
        ('leaves out a value', [addin, '--version'], USAGE, '--version needs a value'),
        ('gives three files', [addin, at('good.sheet'), at('good.sheet')], USAGE, 'one file too many'),
        ('names a missing add-in', [at('missing.xll')], BAD_FILE, 'missing.xll: no such file'),
        ('names a missing sheet', [addin, at('missing.sheet')], BAD_FILE, 'missing.sheet: no such file'),
        ('gives a folder as the sheet', [addin, at('folder')], BAD_FILE, 'is a folder, not a file'),
        ('gives a folder as the add-in', [at('folder')], BAD_FILE, 'is a folder, not a file'),
        ('swaps add-in and sheet', [at('good.sheet'), addin], NOT_LOADABLE, 'is not an add-in module'),
        ('gives a module of another host', [foreign], NOT_LOADABLE, 'this host cannot load: use ' + foreign_host),
        ('gives a module that is no add-in', [path(options.not_addin)], NOT_LOADABLE, 'exports no xlAutoOpen'),
        ('gives a sheet with an error', [addin, at('error.sheet')], BAD_FILE,
         'line 2, column 19: "inches" is not a number'),
        ('fills every cell of the sheet', [addin, at('huge.sheet')], BAD_FILE, 'shows at most 65536'),
        ('runs a sheet (with a byte order mark)', [addin, at('good.sheet')], 0, '| 2 | 5.23598775666667'),
    ]
    if windows:
        rows.append(('gives a Linux module', [at('linux.so')], NOT_LOADABLE, 'use the native host'))

    wrapper = [options.wrapper] if windows else []
    failures = []
    for what, arguments, code, text in rows:
        result = subprocess.run(wrapper + [options.host] + arguments, capture_output=True, text=True,
                                errors='replace', timeout=120)
        if result.returncode == 77 and windows:
            sys.exit(77)  # the Wine runner cannot run this build here: skipped, not passed
        shown = (result.stdout if code == 0 else result.stderr).replace('\r', '')
        if result.returncode != code or text not in shown:
            failures.append(f'a user who {what} ({" ".join(arguments)}): expected exit {code} and "{text}", '
                            f'got exit {result.returncode}:\n{result.stdout}{result.stderr}')
    return failures, len(rows)


if __name__ == '__main__':
    main()
