#!/usr/bin/env python3
"""Lists table accesses in src/ that give a position as a literal number.

A table access is a call of one of the document tables (doc.GeologyTable(r, 7))
or of a local name bound to one (auto& g = doc.GeologyTable; g(r, 7)). An
access counts when a position in it is an integer literal: the entry of
HeaderTable, row or column of DisplayItemTable, row or field of
GraphFormatTable, the column of the other tables (their rows are data). Lines with
"literal position:" in a comment say why they keep theirs and are listed apart.

    tools/literal-positions.py [--list] [FOLDER...]   (default: src)
"""
import pathlib
import re
import sys

TABLES = ("HeaderTable|GeologyTable|SpareIntervalTable|NoteTable|StratumTable|WaterLevelTable|"
          "DrillDateTable|FreeColumnTable|CasingTable|DisplayItemTable|GraphFormatTable|TestNameTable|SampleTable")
# Local names bound to a table: auto& g = doc.GeologyTable; const TextTable& t, HeaderList& h ...
ALIAS = re.compile(r"(?:auto|TextTable|HeaderList|GraphTable)\s*&\s*(\w+)\s*=\s*[\w.>-]*\b(?:%s)\b\s*;" % TABLES)
PARAM = re.compile(r"(?:TextTable|HeaderList|GraphTable)\s*&\s*(\w+)\s*[,)]")
LITERAL = re.compile(r"^\s*-?\d+\s*$")


def calls(line, name):
    for m in re.finditer(r"(?<![\w.])(?:[\w]+(?:\.|->))?%s\(" % name, line):
        depth, i, start = 1, m.end(), m.end()
        while i < len(line) and depth:
            depth += {"(": 1, ")": -1}.get(line[i], 0)
            i += 1
        if depth == 0:
            yield line[start:i - 1]


def args(text):
    out, depth, cur = [], 0, ""
    for c in text:
        if c == "," and depth == 0:
            out.append(cur)
            cur = ""
            continue
        depth += {"(": 1, ")": -1}.get(c, 0)
        cur += c
    out.append(cur)
    return out


def scan(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    # name pattern -> how many leading arguments are data (not positions)
    names = {"(?:HeaderTable|DisplayItemTable)": 0, "GraphFormatTable": 1}
    names["(?:%s)" % TABLES] = 1
    for m in ALIAS.finditer(text):
        table = re.search(r"(%s)\s*;" % TABLES, m.group(0)).group(1)
        names[re.escape(m.group(1))] = 0 if table in ("HeaderTable", "DisplayItemTable") else 1
    for m in PARAM.finditer(text):
        names.setdefault(re.escape(m.group(1)), 1)
    for n, line in enumerate(text.splitlines(), 1):
        code = line.split("//")[0]
        seen = set()
        for name, data in names.items():
            for inner in calls(code, name):
                if inner in seen:
                    continue
                seen.add(inner)
                if any(LITERAL.match(a) for a in args(inner)[data:]):
                    yield n, line.strip(), "literal position:" in line


def main():
    listing = "--list" in sys.argv
    roots = [a for a in sys.argv[1:] if a != "--list"] or ["src"]
    counted = explained = 0
    for root in roots:
        for path in sorted(pathlib.Path(root).rglob("*")):
            if path.suffix not in (".cpp", ".h") or path.name == "positions.h":
                continue
            for n, line, why in scan(path):
                if why:
                    explained += 1
                else:
                    counted += 1
                if listing:
                    print(f"{path}:{n}: {'(explained) ' if why else ''}{line}")
    print(f"{counted} literal positions, {explained} with a comment saying why")


if __name__ == "__main__":
    main()
