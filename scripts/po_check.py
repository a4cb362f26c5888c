#!/usr/bin/env python3
"""Checks a compiled catalogue (.mo, from msgfmt) against what the game can show.

usage: po_check.py CATALOGUE.mo FONTCODES [NAME]

Every translation must
  - be UTF-8 whose characters the game's code page (Windows-1252) holds and
    whose bytes the font sheet draws (FONTCODES: one code a line; a newline is
    allowed, message boxes break lines with it);
  - fill the same values as its English text: the game's Format knows %s, %d,
    %N$s and %N$d, and %% (a translation may reorder the values, not drop or add one);
  - open and close its bold mark-up (<b> ... </b>) as often.
Exits 1 and lists every fault; a catalogue with faults is not built into the game.
"""
import re
import struct
import sys

PLACEHOLDER = re.compile(r"%(?:%|(\d+)\$([sd])|([sd]))")


def values_used(text):
    """The indices of the values a Format pattern fills, as Format reads it."""
    used = set()
    following = 0
    for m in PLACEHOLDER.finditer(text):
        if m.group(0) == "%%":
            continue
        index = int(m.group(1)) - 1 if m.group(1) else following
        used.add(index)
        following = index + 1
    return used


def read_mo(path):
    data = open(path, "rb").read()
    if len(data) < 28:
        raise ValueError("too short to be a catalogue")
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">" if magic == 0xDE120495 else None
    if order is None:
        raise ValueError("not a catalogue (magic number)")
    _, count, originals, translations = struct.unpack(order + "4I", data[4:20])
    entries = []
    for i in range(count):
        olen, ooff = struct.unpack(order + "2I", data[originals + 8 * i: originals + 8 * i + 8])
        tlen, toff = struct.unpack(order + "2I", data[translations + 8 * i: translations + 8 * i + 8])
        entries.append((data[ooff: ooff + olen], data[toff: toff + tlen]))
    return entries


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    mo, codes_file = sys.argv[1], sys.argv[2]
    name = sys.argv[3] if len(sys.argv) > 3 else mo
    try:
        drawable = {int(line) for line in open(codes_file) if line.strip()}
    except (OSError, ValueError) as e:
        print(f"{name}: cannot read the font's codes: {e}", file=sys.stderr)
        return 1
    drawable.add(10)
    faults = []
    try:
        entries = read_mo(mo)
    except (OSError, ValueError, struct.error) as e:
        print(f"{name}: {e}", file=sys.stderr)
        return 1
    for original, translation in entries:
        if original == b"":
            continue  # the header
        key = original.split(b"\x04", 1)[-1]
        english = [t.decode("utf-8", "replace") for t in key.split(b"\x00")]
        shown = english[0].replace("\n", "\\n")
        try:
            forms = translation.decode("utf-8").split("\x00")
        except UnicodeDecodeError:
            faults.append(f'"{shown}": the translation is not UTF-8')
            continue
        wanted = [values_used(e) for e in english]
        for form in forms:
            if form == "":
                continue
            try:
                bytes_ = form.encode("cp1252")
            except UnicodeEncodeError as e:
                faults.append(f'"{shown}": "{form}" has {form[e.start]!r}, which the game\'s letters do not hold')
                continue
            missing = sorted({chr(b) if b < 128 else bytes([b]).decode("cp1252") for b in bytes_ if b not in drawable})
            if missing:
                faults.append(f'"{shown}": "{form}" has {", ".join(repr(c) for c in missing)}, which the font does not draw')
            used = values_used(form)
            if used not in wanted:
                faults.append(f'"{shown}": "{form}" fills the values {sorted(used)}, the English text {sorted(wanted[-1])}')
            if form.count("<b>") != form.count("</b>"):
                faults.append(f'"{shown}": "{form}" opens <b> {form.count("<b>")} times and closes it {form.count("</b>")} times')
    for f in faults:
        print(f"{name}: {f}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
