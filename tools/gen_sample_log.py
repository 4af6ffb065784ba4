#!/usr/bin/env python3
"""Writes the sample log examples/sample.bhc from the data below (UTF-8), and
tests/data/sample-compact.bhc, the same log with the compact header and the
values printed beside the graph symbols (the second golden page).

A chemical boring log of 25 m on an invented former factory site: fill over
alluvial sand and clay, diluvial gravel and mudstone; solvents and lead in the
fill and upper sand, natural arsenic and boron in the marine clay. Every name
of a site, company or person is invented. The test names, units and reference
values are those of the bundled default document (data/install/Dflt.bhc).

The file is written as the program writes it: CP932, CR LF, every section and
cell in the program's own layout, so that loading and saving it again gives
the same bytes.

    tools/gen_sample_log.py            rewrite both files
    tools/gen_sample_log.py --check    exit 1 when either differs from the data here
"""
import argparse
import importlib.util
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "examples", "sample.bhc")
COMPACT_OUT = os.path.join(ROOT, "tests", "data", "sample-compact.bhc")

# The default document's tests and graph layout rules.
_spec = importlib.util.spec_from_file_location("gen_install_data",
                                               os.path.join(ROOT, "tools", "gen_install_data.py"))
install = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(install)

# ---------------------------------------------------------------- header
HEADER = {
    1: "緑川市港町二丁目用地　土壌汚染状況調査",
    2: "緑川市港町地区土地区画整理事業",
    3: "緑川市港町二丁目地内",
    4: "緑川市　都市整備部",
    5: "B-3",
    6: "6", 7: "4", 8: "10",
    9: "6", 10: "4", 11: "16",
    12: "T.P.",
    13: "3.45",
    16: "水原　一朗", 17: "森田　恵", 18: "岡野　修", 19: "白石　祐介",
    20: "ロータリー式 RB-100",
    21: "自動落下式 63.5kg",
    22: "ディーゼル 7.5kW",
    23: "GP-5型",
    24: "0",
    25: "",
    26: "0",
    27: "B-3",
    28: "1/1",
    33: "旧工場（めっき・洗浄工程）跡地",
    34: "令和", 35: "令和",
    36: "0",
    37: "25.00",
    38: "ボーリング柱状図",
    39: "緑川地盤環境株式会社",
    40: "000-123-4567",
    41: "現場代理人", 42: "主任技師", 43: "ボーリング責任者", 44: "コア鑑定者",
    47: "0",   # full header
    48: "1",   # underlines
    49: "0",   # values beside the symbols: off, the graphs are busy enough
    50: "0",   # symbols in colour
    51: "34", 52: "58", 53: "21.3",
    54: "136", 55: "54", 56: "08.7",
    59: "0",
    60: "1",
    61: "", 62: "1", 63: "", 64: "1", 65: "", 66: "5", 67: "1", 68: "", 69: "148.5",
}

# ---------------------------------------------------------------- geology
# (bottom m, name, auxiliary name, colour tone, attributes, display %, connector, suffix)
LAYERS = [
    (0.30, "表土", "", "暗褐", 247, "", "", ""),
    (1.80, "盛土", "", "褐灰", 247, "", "", ""),
    (2.60, "埋土", "", "暗灰", 247, "", "", ""),
    (4.20, "礫混じり砂", "", "灰", 247, "", "", ""),
    (5.90, "シルト質砂", "", "暗灰", 247, "", "", ""),
    (7.40, "貝殻混じり細砂", "", "暗緑灰", 247, "", "", ""),
    (9.80, "砂", "シルト", "暗灰", 503, "49", "・", "互層"),
    (12.50, "腐植質粘土", "", "黒灰", 247, "", "", ""),
    (14.30, "シルト", "", "暗灰", 247, "", "", ""),
    (15.60, "粘土混じり砂礫", "", "青灰", 247, "", "", ""),
    (17.80, "砂質シルト", "", "暗灰", 247, "", "", ""),
    (19.40, "細粒分混じり砂", "", "青灰", 247, "", "", ""),
    (23.20, "砂礫", "", "灰", 247, "", "", ""),
    (25.00, "泥岩", "", "暗緑灰", 247, "", "", ""),
]

# (top, bottom, text lines, underline)
NOTES = [
    (0.00, 0.30, ["植物根混入"], "1"),
    (0.30, 1.80, ["コンクリート片、礫混入", "含水少ない"], "1"),
    (1.80, 2.60, ["油臭あり、油膜あり", "黒色を呈する"], "1"),
    (2.60, 4.20, ["細砂～中砂主体", "礫径2～10mm、含水中位"], "1"),
    (4.20, 5.90, ["シルト分多い", "含水多い"], "1"),
    (5.90, 7.40, ["貝殻片混入"], "1"),
    (7.40, 9.80, ["砂とシルトの互層", "層厚5～20cm"], "1"),
    (9.80, 12.50, ["腐植物混入", "指圧で容易に凹む"], "1"),
    (12.50, 14.30, ["均質、含水中位"], "1"),
    (14.30, 15.60, ["礫径2～20mm", "粘土分を含む"], "1"),
    (15.60, 17.80, ["雲母片混入"], "1"),
    (17.80, 19.40, ["細砂主体"], "1"),
    (19.40, 23.20, ["礫径5～30mm", "コア採取率良好"], "1"),
    (23.20, 25.00, ["上部は風化して軟質", "指圧で崩れる"], "1"),
]

STRATA = [
    (0.00, 2.60, "盛土層"),
    (2.60, 9.80, "沖積砂質土層"),
    (9.80, 14.30, "沖積粘性土層"),
    (14.30, 23.20, "洪積層"),
    (23.20, 25.00, "新第三紀層"),
]

# (level m, negative below ground; date; note; display bits)
# The water table in the fill while drilling, and the higher head of the confined gravel at the end.
WATER = [
    (-2.10, "04/10", "", "3"),
    (-0.85, "04/16", "", "3"),
]

DRILL_DATES = [(3.00, "4/10"), (9.00, "4/11"), (14.00, "4/12"), (20.00, "4/15"), (25.00, "4/16")]

CASING = [
    (0.50, "遮水（セメント）"),
    (2.50, "無孔管 VP50"),
    (8.50, "有孔管 VP50"),
    (9.00, "無孔管（沈砂部）"),
]

# ---------------------------------------------------------------- display items and graphs
# Narrower strata and grain-size columns leave room for the long test names of the graphs.
DISPLAY_ITEMS = [list(r) for r in install.DISPLAY_ITEMS]
DISPLAY_ITEMS[2][1] = "7.0"
DISPLAY_ITEMS[6][1] = "18.0"

CD, CR6, PB, AS_ = 13, 14, 18, 19
PB_C, AS_C = 32, 33
VC, DCE12, PCE, TCE, BZ = 1, 5, 8, 11, 12
F, B = 20, 21
PH, EC, W = 36, 38, 39


class Graph:
    """One graph's format: titles, where the legend texts go (percent of the column), the grid
    and the slots. A log slot is (test, multiplier, scale shown); a linear slot
    (test, from, to, step, scale shown)."""

    # The remarks start at 70 % unless told otherwise, as the program sets them when empty.
    def __init__(self, width, title1, title2, slots, log_grid=None, unit_at="", remark_at="70",
                 name_at="10", name_tops=None, number_tops=None):
        self.width, self.title1, self.title2, self.slots = width, title1, title2, slots
        self.name_at = name_at
        self.log_grid, self.unit_at, self.remark_at = log_grid, unit_at, remark_at
        self.name_tops = name_tops or ["%.0f" % (19 + 8 * i) for i in range(len(slots))]
        self.number_tops = number_tops or ["90.0" if s[-1] else "" for s in slots]


GRAPHS = [
    Graph(26.5, "重金属等溶出量", "(mg/L)",
          [(CD, "0.001", True), (CR6, "0.001", False), (PB, "0.001", False), (AS_, "0.001", False)],
          log_grid=(1, 1000), remark_at="66"),
    Graph(26.5, "重金属等含有量", "(mg/kg)", [(PB_C, "1", True), (AS_C, "1", False)],
          log_grid=(1, 1000), remark_at="85"),
    Graph(31.0, "揮発性有機化合物", "(mg/L)",
          [(PCE, "0.001", True), (TCE, "0.001", False), (DCE12, "0.001", False), (VC, "0.001", False),
           (BZ, "0.001", False)],
          log_grid=(1, 1000), name_at="8"),
    # A narrow column: the names move right to clear the legend symbols.
    Graph(16.0, "溶出量", "(mg/L)", [(F, "0.1", True), (B, "0.1", False)], log_grid=(1, 100), name_at="15",
          remark_at="73"),
    Graph(22.0, "その他", "",
          [(PH, "4", "12", "2", True), (EC, "0", "200", "50", True), (W, "0", "100", "25", True)],
          unit_at="76", number_tops=["60.0", "76.0", "92.0"]),
]
# Log scales keep about 3.5 mm clear at each side for the half of their end numbers; the linear one
# is 20 mm wide, so that its 5 mm grid meets its four intervals.
for i, graph in enumerate(GRAPHS):
    DISPLAY_ITEMS[7 + i][1:3] = ["%.1f" % graph.width, "%.1f" % (graph.width - 6.5 if graph.log_grid else 20)]


def graph_rows(graph):
    kind = 1 if graph.log_grid else 0
    grid = graph.log_grid or (1, 10)
    rows = [
        [graph.title1, "0", "2", "98", "2"] + [""] * 6,
        [graph.title2, "0", "2", "98", "10"] + [""] * 6,
        ["0", graph.name_at, "98", "", graph.unit_at, "", "0", graph.remark_at, "99" if graph.remark_at != "70" else "",
         "", ""],
        [str(kind), "5", "1", str(grid[0]), str(grid[1]), "1", "0", "1", "", "", "___"],
    ]
    for i, slot in enumerate(graph.slots):
        number = slot[0]
        row = [str(number), install.TESTS[number - 1][0], graph.name_tops[i], "", "", "", "", "", "",
               graph.number_tops[i], "1" if slot[-1] else "0"]
        if kind == 1:
            m = float(slot[1])
            row[6] = slot[1]
            row[7] = "%g" % (grid[0] * m)
            row[8] = "%g" % (grid[1] * m)
        else:
            row[3], row[4], row[5] = slot[1], slot[2], slot[3]
        rows.append(row)
    while len(rows) < 14:
        rows.append([""] * 10 + ["0"])
    return rows


def test_rows():
    rows = [list(r) for r in install.test_rows()]
    # A distinct symbol for benzene beside the other solvents of its graph.
    rows[BZ - 1][5] = "□"
    # The solvents' long names need the whole width: their reference values stay in column 4 only.
    for test in (VC, DCE12, PCE, TCE, BZ):
        rows[test - 1][2] = ""
    # The lead label of the second sample sits 1.5 mm lower, clear of the chromium one.
    rows[PB - 1][9] = "2:1.5,"
    return rows


# ---------------------------------------------------------------- samples
# (top, bottom, number, method, gravel, sand, silt, clay)
SAMPLES = [
    (0.05, 0.50, "S-1", "-", 10, 45, 30, 15),
    (0.90, 1.20, "S-2", "-", 25, 50, 15, 10),
    (1.90, 2.20, "S-3", "-", 8, 40, 35, 17),
    (2.90, 3.20, "S-4", "-", 18, 70, 8, 4),
    (3.90, 4.20, "S-5", "-", 15, 72, 9, 4),
    (4.90, 5.20, "S-6", "-", 2, 62, 28, 8),
    (5.90, 6.20, "S-7", "-", 5, 80, 11, 4),
    (6.90, 7.20, "S-8", "-", 3, 82, 11, 4),
    (7.90, 8.20, "S-9", "-", 0, 48, 40, 12),
    (8.90, 9.20, "S-10", "-", 0, 42, 45, 13),
    (9.90, 10.20, "S-11", "T", 0, 6, 42, 52),
    (11.70, 12.00, "S-12", "T", 0, 4, 40, 56),
    (13.40, 13.70, "S-13", "-", 0, 12, 62, 26),
    (16.40, 16.70, "S-14", "-", 0, 32, 52, 16),
    (20.40, 20.70, "S-15", "-", 55, 35, 6, 4),
]

# Results by test, one per sample; "" for not tested. Values below the quantification
# limit are written as the laboratory reports them.
N = len(SAMPLES)
RESULTS = {
    CD: ["0.0011", "0.0024"] + ["<0.0003"] * 13,
    CR6: ["0.012", "0.068", "0.021"] + ["<0.005"] * 12,
    16: ["<0.0005"] * 15,  # mercury, not in a graph
    PB: ["0.018", "0.032", "0.012", "0.004", "0.002", "<0.001", "<0.001", "0.001", "0.003", "0.004",
         "0.006", "0.005", "0.003", "<0.001", "<0.001"],
    AS_: ["0.004", "0.006", "0.005", "0.002", "0.002", "0.003", "0.004", "0.005", "0.007", "0.008",
          "0.012", "0.014", "0.009", "0.006", "0.002"],
    PB_C: ["185", "240", "96", "28", "15"] + [""] * 10,
    AS_C: ["9.2", "12", "8.4", "4.1", "3.6"] + [""] * 10,
    PCE: ["0.0021", "0.0063", "0.018", "0.041", "0.035", "0.022", "0.012", "0.0068", "0.0031", "0.0012"]
    + ["<0.0005"] * 5,
    TCE: ["<0.001", "0.0019", "0.0042", "0.011", "0.015", "0.0092", "0.0061", "0.0034", "0.0018"]
    + ["<0.001"] * 6,
    DCE12: ["<0.004", "0.0051", "0.012", "0.038", "0.052", "0.047", "0.026", "0.015", "0.0072"]
    + ["<0.004"] * 6,
    VC: ["<0.0002", "<0.0002", "0.0011", "0.0018", "0.0031", "0.0024", "0.0012"] + ["<0.0002"] * 8,
    BZ: ["<0.001", "<0.001", "0.0016", "0.0012"] + ["<0.001"] * 11,
    F: ["0.32", "0.95", "0.41", "0.18", "0.15", "0.22", "0.26", "0.31", "0.45", "0.52", "0.61", "0.58",
        "0.39", "0.27", "0.12"],
    B: ["<0.1", "0.12", "<0.1", "<0.1", "<0.1", "<0.1", "0.11", "0.16", "0.21", "0.28", "0.42", "0.46",
        "0.31", "0.18", "<0.1"],
    PH: ["8.9", "10.2", "8.1", "7.6", "7.4", "7.5", "7.8", "7.9", "7.6", "7.3", "6.9", "6.8", "7.0", "7.4",
         "7.6"],
    EC: ["35", "62", "48", "22", "25", "41", "88", "96", "120", "135", "160", "155", "110", "72", "30"],
    W: ["18.5", "15.2", "28.4", "21.0", "24.3", "31.2", "27.5", "29.8", "38.5", "42.1", "78.6", "85.2",
        "52.4", "39.7", "12.3"],
}

# Lines not joined to the sample above ("前深度と結ばない"): the clay below the sands
# (sample 11) starts new arsenic and water-content lines.
NOT_JOINED = {11: [AS_, W]}


def mask_columns(row):
    masks = [0, 0, 0]
    for test in NOT_JOINED.get(row, []):
        masks[(test - 1) // 16] |= 1 << (((test - 1) % 16) + 1)
    return ["%d" % m if m else "" for m in masks]


def sample_rows():
    rows = []
    for i, (top, bottom, number, method, gravel, sand, silt, clay) in enumerate(SAMPLES):
        cells = ["%.2f" % top, "%.2f" % bottom, number, method, str(gravel), str(sand), str(silt), str(clay)]
        values = [""] * 48
        for test, results in RESULTS.items():
            assert len(results) == N, test
            values[test - 1] = results[i]
        cells += values + mask_columns(i + 1) + [""]
        assert len(cells) == 60
        rows.append(cells)
    return rows


# ---------------------------------------------------------------- the file
def header_entries(header):
    entries = [""] * 81
    for n, v in header.items():
        entries[n] = v
    # What the writer derives before every save.
    entries[14] = ",".join(header[n] for n in (51, 52, 53))
    entries[15] = ",".join(header[n] for n in (54, 55, 56))
    entries[45] = "%.2f" % LAYERS[-1][0]
    return entries[1:81]


def document_lines(header):
    lines = ["$$_QVOR780", "$$Z"] + header_entries(header)
    lines.append("$$A")
    for bottom, name, aux, tone, attr, pct, conn, suffix in LAYERS:
        lines.append(",".join(["%.2f" % bottom, name, aux, tone, "", "", str(attr), "", pct, conn, suffix]))
    lines.append("$$C")
    lines.append("$$K")
    for top, bottom, text, underline in NOTES:
        lines += ["%.2f" % top, "%.2f" % bottom, ""] + text + ["\x07", underline]
    lines.append("$$N")
    lines += ["%.2f,%.2f,%s" % s for s in STRATA]
    lines.append("$$W")
    lines += ["%+.2f,%s,%s,%s" % w for w in WATER]
    lines.append("$$H")
    lines += ["%.2f,%s" % d for d in DRILL_DATES]
    lines.append("$$r")
    lines.append("$$T")
    lines += ["%.2f,%s" % c for c in CASING]
    lines.append("$$o")
    lines += [",".join(r) for r in DISPLAY_ITEMS]
    lines.append("$$p")
    for graph in GRAPHS:
        lines += [",".join(r) for r in graph_rows(graph)]
    lines.append("$$q")
    lines += [",".join(r) for r in test_rows()]
    lines.append("$$x")
    lines += [",".join(r) for r in sample_rows()]
    lines.append("," * 59)
    return lines


def build():
    compact = dict(HEADER)
    compact[47] = "1"
    compact[49] = "1"
    return {OUT: install.cp932_lines(document_lines(HEADER)),
            COMPACT_OUT: install.cp932_lines(document_lines(compact))}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    status = 0
    for path, data in build().items():
        if args.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                print("%s is out of date: run tools/gen_sample_log.py" % os.path.relpath(path, ROOT))
                status = 1
        else:
            with open(path, "wb") as f:
                f.write(data)
    return status


if __name__ == "__main__":
    sys.exit(main())
