"""What the document checks share: failures collected with their context, doubles as bits."""
import struct

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
