#!/usr/bin/env python3
"""Writes the pseudo-language for the tests from the template of the game's texts.

usage: po_pseudo.py TEMPLATE.pot OUT.po

Every text with a letter becomes "[Ôptíôñš~~~]": its letters accented within the
font's Windows-1252 set, about 40 % more characters (tildes spread after its
words), in brackets that show where the catalogue's text begins and ends. The
values a Format pattern fills (%s, %d, %1$s, %%, {0}), the mark-up (<b>, </b>,
<r>, <v=0>...) and line breaks stay as they are, so the game fills and draws the
text as it does a real translation's. A text without a letter (a point's format,
"%s: %s") is kept as it is: it is not a sentence. The language code the tests
use is "qps", which OPTIONS never offers.
"""
import math
import re
import sys

ACCENTS = str.maketrans({
    "a": "á", "e": "é", "i": "í", "o": "ô", "u": "ú", "n": "ñ", "c": "ç", "s": "š", "y": "ý", "z": "ž",
    "A": "Á", "E": "É", "I": "Í", "O": "Ô", "U": "Ú", "N": "Ñ", "C": "Ç", "S": "Š", "Y": "Ý", "Z": "Ž",
})
# What the game reads rather than shows: placeholders, mark-up tags, line breaks.
KEPT = re.compile(r"%(?:%|\d+\$[sd]|[sd])|\{\d+\}|</?[a-z](?:=\d+)?>|\n")
GROWTH = 0.4
# Tildes come in runs of at least this many within a text, so that a long
# text wraps as one with longer words would.
SPREAD = 4


def pseudo(text):
    if not re.search(r"[A-Za-z]", KEPT.sub("", text)):
        return text
    # msgfmt holds a translation to its text's leading and trailing line breaks.
    core = text.strip("\n")
    if core != text:
        start = text.index(core)
        return text[:start] + pseudo(core) + text[start + len(core):]
    shown = len(KEPT.sub("", text))
    out, counted, padded = ["["], 0, 0

    def pad_to(count, final=False):
        nonlocal padded
        want = math.ceil(GROWTH * count)
        if want - padded >= (1 if final else SPREAD):
            out.append("~" * (want - padded))
            padded = want

    for piece in re.split("(" + KEPT.pattern + ")", text):
        if KEPT.fullmatch(piece):
            out.append(piece)
            continue
        for word in re.split(r"( )", piece):
            if word == " ":
                out.append(" ")
                counted += 1
            elif word:
                out.append(word.translate(ACCENTS))
                counted += len(word)
                pad_to(counted)
    pad_to(max(shown, counted), True)
    if padded == 0:
        out.append("~")
    out.append("]")
    return "".join(out)


def unquote(line):
    body = line[line.index('"') + 1: line.rindex('"')]
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), body)


def quote(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
    lines = escaped.split("\n")
    parts = [line + "\\n" for line in lines[:-1]] + ([lines[-1]] if lines[-1] else [])
    if len(parts) <= 1:
        return '"' + (parts[0] if parts else "") + '"'
    return '""\n' + "\n".join('"' + p + '"' for p in parts)


def entries(path):
    """(flags, {field: text}) of each entry of a po or pot file."""
    entry, flags, field = {}, "", None
    for raw in open(path, encoding="utf-8"):
        line = raw.rstrip("\n")
        if not line.strip():
            if entry:
                yield flags, entry
            entry, flags, field = {}, "", None
        elif line.startswith("#,"):
            flags = line
        elif line.startswith("#"):
            continue
        elif line.startswith('"'):
            entry[field] += unquote(line)
        else:
            field = line.split(" ", 1)[0]
            entry[field] = unquote(line)
    if entry:
        yield flags, entry


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    out = ['msgid ""', 'msgstr ""',
           '"Project-Id-Version: Plotfray pseudo-language for the tests\\n"',
           '"PO-Revision-Date: 2026-01-01 00:00+0000\\n"', '"Last-Translator: po_pseudo.py\\n"',
           '"Language-Team: none\\n"', '"Language: qps\\n"', '"MIME-Version: 1.0\\n"',
           '"Content-Type: text/plain; charset=UTF-8\\n"', '"Content-Transfer-Encoding: 8bit\\n"',
           '"Plural-Forms: nplurals=2; plural=(n != 1);\\n"', ""]
    for flags, e in entries(sys.argv[1]):
        msgid = e.get("msgid", "")
        if msgid == "":
            continue
        if flags:
            out.append(flags.replace(" fuzzy,", "").replace(", fuzzy", ""))
        if "msgctxt" in e:
            out.append("msgctxt " + quote(e["msgctxt"]))
        out.append("msgid " + quote(msgid))
        if "msgid_plural" in e:
            out.append("msgid_plural " + quote(e["msgid_plural"]))
            out.append("msgstr[0] " + quote(pseudo(msgid)))
            out.append("msgstr[1] " + quote(pseudo(e["msgid_plural"])))
        else:
            out.append("msgstr " + quote(pseudo(msgid)))
        out.append("")
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write("\n".join(out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
