"""Runs `qc dump` on the fixtures and checks the JSON shape."""
import json
import os
import subprocess
import sys
import tempfile

qc, data = sys.argv[1], sys.argv[2]

# A fresh user: empty config and data folders, no override.
home = tempfile.TemporaryDirectory(prefix="qc-dump-")
os.environ["XDG_CONFIG_HOME"] = os.path.join(home.name, "config")
os.environ["XDG_DATA_HOME"] = os.path.join(home.name, "data")
os.environ["HOME"] = home.name
os.environ.pop("QC_INSTALL_DIR", None)
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
run = subprocess.run([qc, "dump", f"{data}/current.bhc"], capture_output=True, check=True)
assert run.stderr == b"", run.stderr.decode("utf-8")  # the seeded install folder has every file
assert os.path.exists(os.path.join(home.name, "data", "Vorenka", "Qvor8", "WdtvJCA.mst"))
doc = json.loads(run.stdout)
assert doc["GeologyTable"][1][1] == "礫混じり砂", doc["GeologyTable"][1]
# Columns 12 to 14 are derived from the names by the view update.
assert doc["GeologyTable"][0][11:14] == ["10004.0", "", "Ts"], doc["GeologyTable"][0]
assert doc["GeologyTable"][1][11:14] == ["1501.1", "", "S-G"], doc["GeologyTable"][1]
assert doc["GeologyTable"][2][11:14] == ["1500.1", "500.2", "S"], doc["GeologyTable"][2]
# An install folder without files: messages on stderr, the dump still succeeds.
empty = tempfile.TemporaryDirectory(prefix="qc-empty-")
run = subprocess.run([qc, "dump", f"{data}/current.bhc", "--install-dir", empty.name], capture_output=True)
assert run.returncode == 0 and b"Sys.ndx" in run.stderr, run
assert json.loads(run.stdout)["GeologyTable"][1][11:14] == ["0.0", "", "-"]  # no master: code 0
assert doc["TestNameTable"][0][10] == "1:2.5,3:-1,"
bad = subprocess.run([qc, "dump", f"{data}/foreign.txt"], capture_output=True)
assert bad.returncode == 1 and bad.stdout == b"" and bad.stderr.count(b"\n") == 1, bad
print("ok")
