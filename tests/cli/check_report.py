"""Runs `qc report` on the sample log to CSV, JSON and XLSX and checks the three agree;
the workbook is opened with openpyxl, a reader of its own."""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

qc, source = sys.argv[1], sys.argv[2]
sample = os.path.join(source, "examples", "sample.bhc")
install = os.path.join(source, "data", "install")
tmp = tempfile.TemporaryDirectory(prefix="qc-report-")
os.environ["XDG_CONFIG_HOME"] = os.path.join(tmp.name, "config")
os.environ["XDG_DATA_HOME"] = os.path.join(tmp.name, "data")


def report(*extra):
    return subprocess.run([qc, "report", sample, "--install-dir", install, *extra], capture_output=True)


# CSV on stdout: UTF-8 with BOM, the rows, a blank line, the summary.
run = report()
assert run.returncode == 0, run.stderr
assert run.stdout.startswith(b"\xef\xbb\xbf"), run.stdout[:10]
text = run.stdout.decode("utf-8-sig")
rows_part, summary_part = text.split("\r\n\r\n")
rows = list(csv.reader(io.StringIO(rows_part)))
summary = list(csv.reader(io.StringIO(summary_part)))
assert rows[0] == ["試料番号", "上端深度(m)", "下端深度(m)", "試験名", "単位", "測定値", "基準値", "基準値比", "判定"]
rows, summary = rows[1:], summary[1:]
assert len(rows) == 235, len(rows)
tops = [float(r[1]) for r in rows]
assert tops == sorted(tops)

# JSON in the documented shape, the same rows.
out = os.path.join(tmp.name, "r.json")
assert report("-o", out).returncode == 0
doc = json.load(open(out, encoding="utf-8"))
assert set(doc) == {"rows", "summary"}
assert len(doc["rows"]) == len(rows)
lead = [r for r in doc["rows"] if r["test"] == "鉛" and r["sample"] == "S-2"][0]
assert lead == {"sample": "S-2", "top": 0.9, "bottom": 1.2, "test": "鉛", "unit": "mg/L", "value": "0.032",
                "reference": "0.01", "ratio": 3.2, "exceeds": True, "judgement": "超過"}, lead
below = [r for r in doc["rows"] if r["value"].startswith("<")][0]
assert below["ratio"] is None and below["exceeds"] is False
s = [x for x in doc["summary"] if x["test"] == "鉛"][0]
assert s == {"test": "鉛", "measured": 15, "exceeding": 3, "max_ratio": 3.2, "max_ratio_depth": 1.05}, s
assert sum(1 for r in doc["rows"] if r["exceeds"]) == 20

# XLSX, read back with openpyxl: every row of the CSV, numbers as numbers.
try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is missing (tools/install-deps.sh installs it)")
    sys.exit(1)
out = os.path.join(tmp.name, "r.xlsx")
run = report("-o", out)
assert run.returncode == 0, run.stderr
book = openpyxl.load_workbook(out)
assert book.sheetnames == ["基準超過一覧", "集計"], book.sheetnames
sheet = book["基準超過一覧"]
cells = [[c.value for c in row] for row in sheet.iter_rows()]
assert cells[0][0] == "試料番号" and len(cells) == 1 + len(rows), len(cells)
for got, want in zip(cells[1:], rows):
    assert got[0] == want[0] and got[3] == want[3] and got[5] == want[5] and got[8] == want[8], (got, want)
    assert abs(got[1] - float(want[1])) < 1e-9
    assert (got[7] is None) == (want[7] == "")
lead_row = [r for r in cells if r[0] == "S-2" and r[3] == "鉛"][0]
assert lead_row[7] == 3.2 and lead_row[8] == "超過", lead_row
assert sheet.cell(row=cells.index(lead_row) + 1, column=1).font.b
sums = [[c.value for c in row] for row in book["集計"].iter_rows()]
assert len(sums) == 1 + len(summary)
lead_sum = [r for r in sums if r[0] == "鉛"][0]
assert lead_sum[3:] == [15, 3, 0, 3.2, 1.05], lead_sum

# Bad output names are refused and write nothing.
bad = os.path.join(tmp.name, "r.txt")
run = report("-o", bad)
assert run.returncode == 1 and not os.path.exists(bad) and b".csv, .xlsx or .json" in run.stderr
print("ok")
