"""What the document checks share: failures collected with their context, doubles as bits, the
add-in's function list, the emulated Excel run on the built add-in."""
import os
import re
import struct
import subprocess
import sys
import tempfile

FUNCTION_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "addin", "functions.inc")

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def bits(number):
    """The double's bytes: equal bits, not merely equal printed values."""
    return struct.pack("<d", number).hex()


def report(subject):
    for failure in failures:
        print("FAIL: " + failure)
    print("%s: %d failures" % (subject, len(failures)))
    return 1 if failures else 0


def function_categories():
    """{procedure: the string id of its category} for every row of the function list."""
    with open(FUNCTION_LIST, encoding="ascii") as inc:
        return dict(re.findall(r'^MEZURA_[A-Z]+\((\w+), *"[A-Z]*", *\d+, *(\d+),', inc.read(), re.M))


def function_list():
    """The rows of the add-in's function list in its order: (kind, procedure, type text, unit count),
    the unit count None but for a conversion."""
    rows = []
    with open(FUNCTION_LIST, encoding="ascii") as inc:
        for line in inc:
            match = re.match(r'MEZURA_([A-Z]+)\((\w+), *"([A-Z]*)"(.*)\)\s*$', line)
            if match:
                kind, name, type_text, rest = match.groups()
                units = int(rest.split(",")[-3]) if kind == "CONVERSION" else None
                rows.append((kind, name, type_text, units))
    return rows


def run(command):
    """The command's output; its failure ends the check (77: the Wine runner cannot run it here)."""
    result = subprocess.run(command, capture_output=True, text=True, errors='replace')
    if result.returncode == 77:
        sys.exit(77)  # skipped, not passed
    if result.returncode != 0:
        sys.exit(f'{command[0]} failed ({result.returncode}): {result.stderr}')
    return result.stdout.replace('\r', '')


def registered_topics(host, addin, wrapper, version=None):
    """{context number: [names]} of every help topic the add-in registers, and the file named."""
    listing = run(wrapper + [host] + (['--version', version] if version else []) + ['--help-topics', addin])
    topics, files = {}, set()
    for line in listing.splitlines():
        match = re.match(r'(.*[\\/])?([^\\/]+)!(\d+) (\S+)$', line)
        if match:
            files.add(match.group(2))
            topics.setdefault(int(match.group(3)), []).append(match.group(4))
    return topics, files


def unit_answers(host, addin, wrapper, native, units):
    """What the add-in answers for each (function, index) as the wanted unit of a conversion of 1
    from unit 1: a list of (number text, label)."""
    with tempfile.TemporaryDirectory() as scratch:
        sheet = os.path.join(scratch, 'units.sheet')
        with open(sheet, 'w') as out:
            for n, (function, index) in enumerate(units, 1):
                out.write(f'A{n}:B{n} = {function}(1, 1, {index})\n')
        grid = run(wrapper + [host, addin, native(sheet)])
    answers = {}
    for line in grid.splitlines():
        cells = [c.strip() for c in line.split('|')]
        if len(cells) == 3 and cells[0].isdigit(): answers[int(cells[0])] = (cells[1], cells[2])
    return [answers.get(n, ('', '')) for n in range(1, len(units) + 1)]
