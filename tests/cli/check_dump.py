"""Runs `qc dump` on the fixtures and checks the JSON shape."""
import json
import subprocess
import sys

qc, data = sys.argv[1], sys.argv[2]
widths = {"GeologyTable": 14, "SpareIntervalTable": 6, "NoteTable": 5, "StratumTable": 3,
          "WaterLevelTable": 4, "DrillDateTable": 2, "FreeColumnTable": 3, "CasingTable": 2,
          "DisplayItemTable": 4, "TestNameTable": 11, "SampleTable": 60}
for name, version in [("current.bhc", 550), ("previous.bhc", 549), ("sibling.tvl", 500), ("oldest.mrn", 510)]:
    out = subprocess.run([qc, "dump", f"{data}/{name}"], capture_output=True, check=True).stdout
    doc = json.loads(out.decode("utf-8"))
    assert doc["version"] == version, (name, doc["version"])
    assert len(doc["HeaderTable"]) == 90, name
    for table, width in widths.items():
        for row in doc[table]:
            assert len(row) == width, (name, table, len(row))
    graphs = doc["GraphFormatTable"]
    assert len(graphs) == 5 and all(len(g) == 14 and all(len(r) == 11 for r in g) for g in graphs), name
doc = json.loads(subprocess.run([qc, "dump", f"{data}/current.bhc"], capture_output=True, check=True).stdout)
assert doc["GeologyTable"][1][1] == "礫混じり砂", doc["GeologyTable"][1]
assert doc["TestNameTable"][0][10] == "1:2.5,3:-1,"
bad = subprocess.run([qc, "dump", f"{data}/foreign.txt"], capture_output=True)
assert bad.returncode == 1 and bad.stdout == b"" and bad.stderr.count(b"\n") == 1, bad
print("ok")
