#!/usr/bin/env python3
"""Reads a vCard 3.0 file the way another program would (RFC 2425/2426: CRLF lines,
unfolding, parameters, escapes, base64), independently of the program that wrote
it. Checks its structure and prints its cards as JSON on standard output:

  {"errors": [...], "cards": [{"NAME": [{"params": {...}, "value": ...}, ...], ...}, ...]}

Structured values (N, ADR, ORG, SOUND) are lists of components, CATEGORIES a list of
items, PHOTO and LOGO the decoded bytes in base64, every other value one text.
Python standard library only.
"""

import base64
import binascii
import json
import re
import sys

STRUCTURED = {"N", "ADR", "ORG", "SOUND"}
LISTS = {"CATEGORIES"}
TEXT = {"FN", "NOTE", "TITLE", "EMAIL", "LABEL", "SORT-STRING", "X-PHONETIC-LAST-NAME",
        "X-PHONETIC-FIRST-NAME", "X-PHONETIC-ORG"}
BINARY = {"PHOTO", "LOGO"}
NAME = r"[A-Za-z0-9-]+"
PARAM_VALUE = r'(?:"[^"]*"|[^";:,]*)'
LINE = re.compile(r"^(%s)((?:;%s=%s(?:,%s)*)*):(.*)$" % (NAME, NAME, PARAM_VALUE, PARAM_VALUE), re.S)


def split_escaped(text, separator, errors, where):
    """Splits at unescaped separators and undoes the escapes of every piece."""
    pieces, current, i = [], [], 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            if i + 1 >= len(text):
                errors.append("%s: a backslash ends the value" % where)
                break
            n = text[i + 1]
            if n in "nN":
                current.append("\n")
            elif n in "\\,;":
                current.append(n)
            else:
                errors.append("%s: unknown escape \\%s" % (where, n))
            i += 2
            continue
        if c == separator:
            pieces.append("".join(current))
            current = []
        else:
            current.append(c)
        i += 1
    pieces.append("".join(current))
    return pieces


def parse_params(text):
    params = {}
    for part in re.findall(r";(%s)=((?:%s)(?:,%s)*)" % (NAME, PARAM_VALUE, PARAM_VALUE), text):
        params.setdefault(part[0].upper(), []).extend(part[1].split(","))
    return params


def read(data):
    errors = []
    if not data.endswith(b"\r\n"):
        errors.append("the file does not end with CRLF")
    physical = data.split(b"\r\n")
    if physical and physical[-1] == b"":
        physical.pop()
    logical = []
    for number, line in enumerate(physical, 1):
        if b"\r" in line or b"\n" in line:
            errors.append("line %d: a line break other than CRLF" % number)
        if len(line) > 75:
            errors.append("line %d: %d octets" % (number, len(line)))
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            errors.append("line %d: not valid UTF-8 on its own (a character split by folding)" % number)
        if line[:1] in (b" ", b"\t"):
            if not logical:
                errors.append("line %d: continues nothing" % number)
                continue
            logical[-1] = (logical[-1][0], logical[-1][1] + line[1:])
        else:
            logical.append((number, line))

    cards, card = [], None
    for number, raw in logical:
        where = "line %d" % number
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError:
            errors.append("%s: not valid UTF-8" % where)
            continue
        match = LINE.match(text)
        if not match:
            errors.append("%s: not name[;params]:value: %r" % (where, text[:40]))
            continue
        name, params, value = match.group(1).upper(), parse_params(match.group(2)), match.group(3)
        if name == "BEGIN":
            if card is not None or value.upper() != "VCARD":
                errors.append("%s: BEGIN inside a card or not of a vCard" % where)
            card = {}
            continue
        if card is None:
            errors.append("%s: %s outside a card" % (where, name))
            continue
        if name == "END":
            for required in ("VERSION", "N", "FN"):
                if required not in card:
                    errors.append("%s: the card has no %s" % (where, required))
            if card.get("VERSION", [{}])[0].get("value") != "3.0":
                errors.append("%s: the card is not of version 3.0" % where)
            cards.append(card)
            card = None
            continue
        if name in STRUCTURED:
            parsed = split_escaped(value, ";", errors, where)
        elif name in LISTS:
            parsed = split_escaped(value, ",", errors, where)
        elif name in TEXT:
            pieces = split_escaped(value, None, errors, where)
            parsed = pieces[0]
        elif name in BINARY:
            if [e.lower() for e in params.get("ENCODING", [])] != ["b"] or not params.get("TYPE"):
                errors.append("%s: %s without ENCODING=b and a TYPE" % (where, name))
            try:
                parsed = base64.b64encode(base64.b64decode(value, validate=True)).decode("ascii")
            except binascii.Error:
                errors.append("%s: broken base64" % where)
                parsed = ""
        else:
            parsed = value
        card.setdefault(name, []).append({"params": params, "value": parsed})
    if card is not None:
        errors.append("the file ends inside a card")
    return {"errors": errors, "cards": cards}


def main(argv):
    if len(argv) != 2:
        print("usage: vcard30_check.py FILE.vcf", file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        result = read(f.read())
    json.dump(result, sys.stdout, ensure_ascii=False)
    return 1 if result["errors"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
