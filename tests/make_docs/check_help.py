#!/usr/bin/env python3
"""Reads MEZURA.HLP with a reader of its own and checks it against the built add-in.

    check_help.py HELPFILE ADDIN HOST [--wrapper WINE_RUN] [--viewer HELP_PROBE]

HOST is the emulated Excel (xlhost), run through the Wine runner when one is given. The help
contexts the add-in registers come from `xlhost --help-topics`; the unit tables the help shows
are compared with what the add-in answers for every unit. With --viewer, the Windows help
engine itself is asked for the contents and for every registered context, through help_probe.
"""
import argparse
import os
import re
import struct
import sys

from doc_checks import check, function_list, registered_topics, report, run, unit_answers


def u16(data, at): return struct.unpack_from('<H', data, at)[0]
def i16(data, at): return struct.unpack_from('<h', data, at)[0]
def u32(data, at): return struct.unpack_from('<I', data, at)[0]
def i32(data, at): return struct.unpack_from('<i', data, at)[0]


def internal_file(image, offset):
    reserved, used = u32(image, offset), u32(image, offset + 4)
    check(reserved >= used + 9, f'internal file at {offset}: {reserved} reserved for {used} used')
    check(offset + 9 + used <= len(image), f'internal file at {offset} runs past the end')
    return image[offset + 9:offset + 9 + used]


def tree_leaves(tree, entry_size):
    """Every leaf record of a B+ tree, in order, each as bytes; entry_size(bytes, at) gives its length."""
    check(u16(tree, 0) == 0x293B, 'B+ tree magic')
    page_size, root, levels = u16(tree, 4), u16(tree, 26), u16(tree, 32)
    total = u32(tree, 34)
    pages = tree[38:]
    page = root
    for _ in range(levels - 1):  # down the first child of each index page
        page = u16(pages, page * page_size + 4)
    records = []
    while page != 0xFFFF:
        base = page * page_size
        count, at = i16(pages, base + 2), base + 8
        for _ in range(count):
            size = entry_size(pages, at)
            records.append(bytes(pages[at:at + size]))
            at += size
        page = u16(pages, base + 6)
    check(len(records) == total, f'B+ tree holds {len(records)} records, its header says {total}')
    return records


def zstring_size(data, at): return data.index(b'\0', at) - at + 1


def context_hash(name):
    value = 0
    for c in name:
        code = 0
        if 'A' <= c <= 'Z': code = ord(c) - ord('A') + 17
        elif 'a' <= c <= 'z': code = ord(c) - ord('a') + 17
        elif '1' <= c <= '9': code = ord(c) - ord('0')
        elif c == '0': code = 10
        elif c == '.': code = 12
        elif c == '_': code = 13
        if code: value = (value * 43 + code) & 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value


def packed(data, at, size_two):
    """A packed number: (value, next offset). size_two: the short form is 2 bytes (packed longs)."""
    first = data[at]
    if size_two:
        if first & 1: return (u32(data, at) - 0x80000000) // 2, at + 4
        return (u16(data, at) - 0x8000) // 2, at + 2
    if first & 1: return u16(data, at) // 2, at + 2
    return first // 2, at + 1


def read_paragraph(layout, text):
    """Text pieces, jump hashes and the counted characters of a paragraph record."""
    _, at = packed(layout, 0, True)
    counted, at = packed(layout, at, False)
    at += 4
    bits = u16(layout, at)
    at += 2
    for bit in (0x0001,):
        if bits & bit: _, at = packed(layout, at, True)
    for bit in (0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040):
        if bits & bit: at += 2 if layout[at] & 1 else 1
    check(not bits & 0x0100, 'no borders expected')
    if bits & 0x0200:
        first = layout[at]
        tabs = (u16(layout, at) - 0x8000) // 2 if first & 1 else (first - 0x80) // 2
        at += 2 if first & 1 else 1
        for _ in range(tabs):
            stop, at = packed(layout, at, False)
    pieces = text.split(b'\0')
    shown, jumps, characters, piece = [], [], 0, 0
    while True:
        words = pieces[piece].decode('latin-1')
        shown.append(words)
        characters += len(words)
        piece += 1
        command = layout[at]
        if command == 0xFF: break
        if command == 0x80: at += 3
        elif command in (0x81, 0x82, 0x83):
            shown.append('\t' if command == 0x83 else '\n')
            characters += 1
            at += 1
        elif command == 0x89: at += 1
        elif command == 0xE3:
            jumps.append(i32(layout, at + 1))
            at += 5
        else:
            check(False, f'unexpected paragraph command {command:#x}')
            break
    check(characters == counted, f'paragraph counts {counted} characters, holds {characters}: {"".join(shown)!r}')
    return ''.join(shown), jumps, counted


def read_topics(topic_file):
    """The topics of |TOPIC in chain order: offset, title, text and jumps of each."""
    block, data_size = 0x1000, 0x1000 - 12
    check(len(topic_file) % block == 0, '|TOPIC is made of whole blocks')
    stream = b''.join(topic_file[b + 12:b + block] for b in range(0, len(topic_file), block))
    topics, position, previous, seen = [], 0x0C, 0xFFFFFFFF, set()
    characters, current_block = 0, 0
    while position != 0xFFFFFFFF:
        check(position not in seen, f'the record chain loops at {position:#x}')
        seen.add(position)
        index, inside = (position - 12) >> 14, (position - 12) & 0x3FFF
        at = index * data_size + inside
        size, text_size, back, forward, layout_end, kind = struct.unpack_from('<IIIIIB', stream, at)
        check(back == previous, f'record {position:#x} points back to {back:#x}, not {previous:#x}')
        layout = stream[at + 21:at + layout_end]
        text = stream[at + layout_end:at + size]
        check(len(text) == text_size, f'record {position:#x}: text size')
        if index != current_block:
            current_block, characters = index, 0
        if kind == 0x02:
            topics.append({'offset': index * 0x8000 + characters, 'title': text.split(b'\0')[0].decode('latin-1'),
                           'text': '', 'jumps': []})
        elif kind == 0x20:
            check(topics, 'a paragraph before the first topic header')
            shown, jumps, counted = read_paragraph(layout, text)
            topics[-1]['text'] += shown
            topics[-1]['jumps'] += jumps
            characters += counted
        else:
            check(False, f'record type {kind:#x}')
        previous, position = position, forward
    return topics


def title_of_contents(topics, offset):
    return next((t['title'] for t in topics if t['offset'] == offset), None)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('help_file')
    parser.add_argument('addin')
    parser.add_argument('host')
    parser.add_argument('--wrapper')
    parser.add_argument('--viewer')
    options = parser.parse_args()
    help_path, host = options.help_file, options.host
    wrapper = [options.wrapper] if options.wrapper else []
    # Windows programs under Wine see this machine's files on drive Z:.
    native = lambda path: 'Z:' + os.path.abspath(path).replace('/', '\\') if wrapper else path
    addin = native(options.addin)
    image = open(help_path, 'rb').read()

    check(u32(image, 0) == 0x00035F3F, 'help file magic')
    check(u32(image, 12) == len(image), 'the header gives the file size')
    directory = internal_file(image, u32(image, 4))
    files = {}
    for record in tree_leaves(directory, lambda d, at: zstring_size(d, at) + 4):
        name = record[:-5].decode('latin-1')
        files[name] = internal_file(image, u32(record, len(record) - 4))
    names = list(files)
    check(names == sorted(names, key=lambda n: n.encode()), 'the directory is in byte order')
    for name in ('|SYSTEM', '|TOPIC', '|FONT', '|CONTEXT', '|CTXOMAP', '|TTLBTREE'):
        check(name in files, f'internal file {name}')

    system = files['|SYSTEM']
    check(u16(system, 0) == 0x036C and u16(system, 4) == 1, '|SYSTEM header')
    contents_offset, title, at = None, None, 12
    while at + 4 <= len(system):
        kind, size = u16(system, at), u16(system, at + 2)
        if kind == 1: title = system[at + 4:at + 4 + size].split(b'\0')[0].decode()
        if kind == 3: contents_offset = u32(system, at + 4)
        at += 4 + size
    check(title, 'the file has a title')

    topics = read_topics(files['|TOPIC'])
    by_offset = {topic['offset']: topic for topic in topics}
    check(len(by_offset) == len(topics), 'every topic has an offset of its own')
    check(contents_offset in by_offset, 'the contents record names a topic')

    # The context numbers: exactly what the add-in registers, each opening its function's topic.
    registered, named = registered_topics(host, addin, wrapper)
    check(named == {'MEZURA.HLP'}, f'the add-in names {sorted(named)} to an Excel 5.0, not MEZURA.HLP')
    listed = function_list()
    check(len(registered) == len(listed), f'the add-in registers {len(listed)} help contexts, found {sorted(registered)}')
    ctxomap = files['|CTXOMAP']
    mapped = {u32(ctxomap, 2 + 8 * i): u32(ctxomap, 6 + 8 * i) for i in range(u16(ctxomap, 0))}
    check(set(mapped) == set(registered), f'mapped contexts {sorted(mapped)} != registered {sorted(registered)}')
    for number, functions in registered.items():
        topic = by_offset.get(mapped.get(number))
        if not check(topic is not None, f'context {number} maps to no topic'): continue
        if number == 3:
            check(mapped[number] == contents_offset, 'context 3 opens the contents')
        else:
            check(topic['title'] == functions[0], f'context {number} opens "{topic["title"]}", not {functions[0]}')
            check(topic['text'].startswith(functions[0] + '\n'), f'topic {functions[0]} starts with its name')

    # Context names: sorted as signed hashes, each name's hash finds its topic, every jump lands.
    entries = [(i32(r, 0), u32(r, 4)) for r in tree_leaves(files['|CONTEXT'], lambda d, at: 8)]
    check([h for h, _ in entries] == sorted(h for h, _ in entries), '|CONTEXT is in signed hash order')
    contexts = dict(entries)
    for topic in topics:
        if topic['offset'] != contents_offset:
            check(contexts.get(context_hash(topic['title'])) == topic['offset'], f'context name {topic["title"]}')
    reached, queue = {contents_offset}, [contents_offset]
    while queue:
        for jump in by_offset[queue.pop()]['jumps']:
            target = contexts.get(jump)
            if check(target in by_offset, f'a jump to hash {jump} lands nowhere') and target not in reached:
                reached.add(target)
                queue.append(target)
    check(reached == set(by_offset), f'{len(by_offset) - len(reached)} topics cannot be reached from the contents')

    titles = [(u32(r, 0), r[4:-1].decode('latin-1'))
              for r in tree_leaves(files['|TTLBTREE'], lambda d, at: 4 + zstring_size(d, at + 4))]
    check(titles == sorted((t['offset'], t['title']) for t in topics), '|TTLBTREE lists every topic by offset')

    # The unit tables: every row's label and factor against the add-in's answer for that unit,
    # and every symbol beside it naming that very unit.
    rows, symbols = [], []
    for topic in topics:
        for line in topic['text'].split('\n'):
            cells = line.split('\t')
            if len(cells) >= 2 and cells[0].isdigit() and topic['title'].startswith('Cvt'):
                factor = None
                if len(cells) > 2 and re.fullmatch(r'[-+0-9.eE]+', cells[2]):
                    factor = float(cells[2])
                    del cells[2]
                rows.append((topic['title'], int(cells[0]), cells[1], factor))
                if len(cells) > 2 and cells[2]:
                    symbols += [(topic['title'], cells[1], symbol) for symbol in cells[2].split(', ')]
    unit_count = sum(units for _, _, _, units in listed if units)
    check(len(rows) == unit_count, f'the help lists {len(rows)} units, the catalogue {unit_count}')
    check(len(symbols) > len(listed), f'the help lists only {len(symbols)} symbols')
    answers = unit_answers(host, addin, wrapper, native, [(function, index) for function, index, _, _ in rows])
    first_factor = {}
    for function, index, label, factor in rows:
        if index == 1: first_factor[function] = factor
    for (function, index, label, factor), (number, answer_label) in zip(rows, answers):
        check(answer_label == label, f'{function} unit {index}: help "{label}", add-in "{answer_label}"')
        if factor is not None and number:
            expected = factor / first_factor[function]
            check(abs(float(number) - expected) <= 1e-13 * abs(expected),
                  f'{function} unit {index}: help factor {factor}, add-in {number}')

    symbol_answers = unit_answers(host, addin, wrapper, native, [(f, f'"{symbol}"') for f, _, symbol in symbols])
    for (function, label, symbol), (_, answer_label) in zip(symbols, symbol_answers):
        check(answer_label == label, f'{function}: the help gives "{symbol}" to "{label}", the add-in answers "{answer_label}"')

    if options.viewer:
        # Each request must change what is shown: context 3 is the contents, so they are apart.
        requests = [str(n) for n in sorted(registered)] + ['contents']
        shown = {}
        for line in run(wrapper + [options.viewer, native(help_path)] + requests).splitlines():
            request, _, first_line = line.partition('\t')
            shown[request] = first_line
        check(shown.get('contents') == title_of_contents(topics, contents_offset),
              f'the help engine shows "{shown.get("contents")}" for the contents')
        for number, functions in sorted(registered.items()):
            expected = title_of_contents(topics, contents_offset) if number == 3 else functions[0]
            check(shown.get(str(number)) == expected,
                  f'the help engine shows "{shown.get(str(number))}" for context {number}, not "{expected}"')
        print(f'the help engine opened the contents and {len(shown) - 1} contexts')

    return report(f'{help_path}: {len(topics)} topics, {len(mapped)} context numbers, {len(rows)} units')


if __name__ == '__main__':
    sys.exit(main())
