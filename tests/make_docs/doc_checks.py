"""What the document checks share: failures collected with their context, doubles as bits, the
add-in's function list."""
import os
import re
import struct

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
