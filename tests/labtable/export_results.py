#!/usr/bin/env python3
"""Writes the test results of a log as a laboratory would send them, as XLSX
through openpyxl: a title line, a header row (sample number, depth, one
column per test), a unit row, one row per sample. Numbers are stored as
numbers with a number format keeping their decimals, other values as text.

    export_results.py LOG.bhc OUT.xlsx
"""
import csv
import re
import sys

import openpyxl


def sections(path):
    text = open(path, "rb").read().decode("cp932")
    out, name = {}, None
    for line in text.split("\r\n"):
        if line.startswith("$$") and len(line) > 2:
            name = line[2]
            out.setdefault(name, [])
        elif name:
            out[name].append(line)
    return out


def fields(line):
    # The log quotes a field holding a comma.
    return next(csv.reader([line]))


def main():
    log, out = sys.argv[1], sys.argv[2]
    s = sections(log)
    tests = [(n, fields(l)) for n, l in enumerate(s["q"], 1)]
    tests = [(n, f[0], f[1]) for n, f in tests if f and f[0]]
    samples = [fields(l) for l in s["x"]]
    samples = [r for r in samples if r and r[0]]
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "計量証明書"
    ws.append(["土壌溶出量試験・含有量試験 結果"])
    ws.append([])
    ws.append(["試料番号", "採取深度(m)"] + [name for _, name, _ in tests])
    ws.append(["", ""] + [unit for _, _, unit in tests])
    for r in samples:
        row = [r[2], f"{r[0]}-{r[1]}"]
        for n, _, _ in tests:
            row.append(r[7 + n] if 7 + n < len(r) else "")  # test n is column 8 + n, from 1
        ws.append(row)
        cells = ws[ws.max_row]
        for cell in cells[2:]:
            v = cell.value
            if isinstance(v, str) and re.fullmatch(r"-?\d+(\.\d+)?", v):
                decimals = len(v.split(".")[1]) if "." in v else 0
                cell.value = float(v) if decimals else int(v)
                cell.number_format = "0." + "0" * decimals if decimals else "0"
            elif v == "":
                cell.value = None
    wb.save(out)


if __name__ == "__main__":
    main()
