#!/usr/bin/env python3
"""Writes the bundled install folder data/install/ from its UTF-8 sources.

The text sources live in data/install-src/ (UTF-8, LF); the pattern colour
table, the default document, the settings and the font files are described
below. Every file is written as CP932 with CR LF, as the program writes them.

    tools/gen_install_data.py            rewrite data/install/
    tools/gen_install_data.py --check    exit 1 when data/install/ differs
    tools/gen_install_data.py --out DIR  write to DIR instead
"""
import argparse
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SRC = os.path.join(ROOT, "data", "install-src")
OUT = os.path.join(ROOT, "data", "install")

TEXT_SOURCES = ["WdtvJCA.mst", "Col.mst", "Kij.mst", "Jso.mst", "Hat.mst", "Man.mst", "Sks.mst", "Help.txt",
                "TestAlias.mst", "XmlCode.mst"]


def cp932_lines(lines):
    return b"".join(line.encode("cp932") + b"\r\n" for line in lines)


def bgr(r, g, b):
    """A colour as the program keeps it: 0x00BBGGRR, written "0x%06x"."""
    return "0x%06x" % ((b << 16) | (g << 8) | r)


# ---------------------------------------------------------------- pattern colours
# (number, RGB, abbreviation, example name); the colour is also the default colour.
CLAY, SILT, SAND, GRAVEL = (0, 128, 64), (128, 128, 0), (210, 105, 30), (139, 69, 19)
ORGANIC, VOLCANIC, BLACK, GREY = (92, 51, 23), (178, 34, 34), (0, 0, 0), (105, 105, 105)
PATTERNS = [
    ("[単位の重ね模様（混じり）]",),
    (1, GRAVEL, "-G", "礫混じり"),
    (2, (120, 60, 0), "-Cb", "玉石混じり"),
    (3, SAND, "-S", "砂混じり"),
    (4, SILT, "-M", "シルト混じり"),
    (5, CLAY, "-C", "粘土混じり"),
    (6, ORGANIC, "-O", "腐植物混じり"),
    (7, ORGANIC, "-O", "有機物混じり"),
    (8, (70, 130, 180), "-Sf", "貝殻混じり"),
    ("[十の位の重ね模様（質）]",),
    (10, SAND, "S", "砂質"),
    (20, SILT, "M", "シルト質"),
    (30, CLAY, "C", "粘土質"),
    (40, GRAVEL, "G", "礫質"),
    (50, ORGANIC, "O", "有機質"),
    ("[基本模様　土質]",),
    (100, SAND, "S", "砂"),
    (200, GRAVEL, "G", "礫質土"),
    (300, SAND, "S", "粗砂"),
    (400, SAND, "S", "砂"),
    (500, SILT, "M", "シルト"),
    (600, CLAY, "C", "粘土"),
    (700, ORGANIC, "O", "腐植土"),
    (800, (0, 128, 128), "Sch", "片岩"),
    (900, ORGANIC, "O", "有機質土"),
    (1100, VOLCANIC, "Va", "火山灰"),
    (1200, GREY, "", ""),
    (1300, (85, 107, 47), "Slt", "シルト岩"),
    (1400, SAND, "S", "中砂"),
    (1500, SAND, "S", "砂"),
    (1600, GRAVEL, "GS", "砂礫"),
    (1700, (60, 40, 20), "Pt", "高有機質土"),
    ("[基本模様　岩石]",),
    (2100, (220, 20, 60), "Gr", "花崗岩"),
    (2200, (205, 92, 92), "Qp", "石英斑岩"),
    (2300, (199, 21, 133), "Di", "閃緑岩"),
    (2400, (139, 0, 139), "Gb", "斑れい岩"),
    (2500, GREY, "", ""),
    (2600, GREY, "", ""),
    (2700, GREY, "", ""),
    (2800, GREY, "", ""),
    (2900, GREY, "", ""),
    (3000, (128, 0, 128), "An", "安山岩"),
    (3100, (75, 0, 130), "Ba", "玄武岩"),
    (3300, GRAVEL, "G", "礫"),
    (3400, GRAVEL, "G", "礫"),
    (3500, GRAVEL, "G", "礫"),
    (3600, SAND, "S", "粗砂"),
    (3800, (160, 82, 45), "Dt", "崖錐堆積物"),
    (4100, ORGANIC, "O", "腐植土"),
    (4200, (0, 0, 205), "Ls", "石灰岩"),
    (4300, (47, 79, 79), "Sh", "頁岩"),
    (4400, SAND, "S", "砂"),
    (4500, SAND, "S", "細砂"),
    (4600, (184, 134, 11), "Ss", "砂岩"),
    (4700, (107, 142, 35), "F", "細粒土"),
    (4800, (70, 70, 70), "Sl", "粘板岩"),
    (4900, (72, 61, 139), "Ms", "泥岩"),
    (5000, (165, 42, 42), "V", "火山灰質粘性土"),
    (5100, VOLCANIC, "Lt", "火山礫凝灰岩"),
    (5200, (205, 92, 92), "Pm", "軽石"),
    (6100, (0, 100, 100), "Gn", "片麻岩"),
    (6200, (46, 139, 87), "Gs", "緑色岩"),
    (6300, GREY, "", ""),
    (6400, (34, 139, 34), "Sp", "蛇紋岩"),
    (6800, (120, 60, 0), "Cb", "玉石"),
    (6900, (160, 82, 45), "Cg", "礫岩"),
    (8100, BLACK, "Ch", "チャート"),
    (8200, GREY, "", ""),
    (8300, (199, 21, 133), "Tf", "凝灰岩"),
    (8400, GREY, "", ""),
    (8500, (60, 40, 20), "Pt", "ピート"),
    (8600, GREY, "", ""),
    (8700, (112, 128, 144), "Hf", "ホルンフェルス"),
    (10091, BLACK, "Hr", "硬岩"),
    (10092, GREY, "Rs", "軟岩"),
    (10093, (128, 128, 128), "Wr", "風化岩"),
    ("[ブロック記号]",),
    (10000, BLACK, "B", "盛土"),
    (10001, BLACK, "B", "埋土"),
    (10002, BLACK, "I", "改良土"),
    (10003, BLACK, "Wa", "廃棄物"),
    (10004, BLACK, "Ts", "表土"),
    ("[保孔管]",),
    (20001, BLACK, "", "保孔管"),
    (20002, BLACK, "", "保孔管"),
    (20100, BLACK, "", "有孔管"),
    (20200, BLACK, "", "遮水管"),
]


def pattern_colour_lines():
    lines = []
    for p in PATTERNS:
        if len(p) == 1:
            lines.append(p[0] + ",")
            continue
        number, rgb, abbreviation, example = p
        colour = bgr(*rgb)
        lines.append(f"{number},{colour},{colour},{abbreviation},{example},")
    assert sum(1 for p in PATTERNS if len(p) > 1) <= 110
    return lines


# ---------------------------------------------------------------- default document
SYMBOLS = "●○×▲△■□"
SLOT_COLOURS = [(255, 0, 0), (0, 0, 255), (0, 128, 0), (255, 0, 255), (255, 128, 0),
                (0, 128, 128), (128, 64, 0), (128, 0, 128), (0, 0, 0), (128, 128, 128)]
# The legend writes the standard "検出されないこと" (must not be detected) in the room of a number.
ND = "不検出"
# The reference cell says the same in words the exceedance rules read: any value above 0 exceeds.
ND_REFERENCE = "検出されないこと"

# (name, unit, remark, reference value, lower limit); test numbers follow the order.
TESTS = [
    # Class 1: volatile organic compounds, elution standard mg/L
    ("クロロエチレン", "mg/L", "0.002", "0.002", "0.0002"),
    ("四塩化炭素", "mg/L", "0.002", "0.002", "0.0002"),
    ("1，2-ジクロロエタン", "mg/L", "0.004", "0.004", "0.0004"),
    ("1，1-ジクロロエチレン", "mg/L", "0.1", "0.1", "0.002"),
    ("1，2-ジクロロエチレン", "mg/L", "0.04", "0.04", "0.004"),
    ("1，3-ジクロロプロペン", "mg/L", "0.002", "0.002", "0.0002"),
    ("ジクロロメタン", "mg/L", "0.02", "0.02", "0.002"),
    ("テトラクロロエチレン", "mg/L", "0.01", "0.01", "0.0005"),
    ("1，1，1-トリクロロエタン", "mg/L", "1", "1", "0.0005"),
    ("1，1，2-トリクロロエタン", "mg/L", "0.006", "0.006", "0.0006"),
    ("トリクロロエチレン", "mg/L", "0.01", "0.01", "0.001"),
    ("ベンゼン", "mg/L", "0.01", "0.01", "0.001"),
    # Class 2: heavy metals and the like, elution standard mg/L
    ("カドミウム", "mg/L", "0.003", "0.003", "0.0003"),
    ("六価クロム", "mg/L", "0.05", "0.05", "0.005"),
    ("シアン", "mg/L", ND, ND_REFERENCE, "0.1"),
    ("水銀", "mg/L", "0.0005", "0.0005", "0.0005"),
    ("セレン", "mg/L", "0.01", "0.01", "0.001"),
    ("鉛", "mg/L", "0.01", "0.01", "0.001"),
    ("砒素", "mg/L", "0.01", "0.01", "0.001"),
    ("ふっ素", "mg/L", "0.8", "0.8", "0.08"),
    ("ほう素", "mg/L", "1", "1", "0.1"),
    # Class 3: pesticides and PCB, elution standard mg/L
    ("シマジン", "mg/L", "0.003", "0.003", "0.0003"),
    ("チオベンカルブ", "mg/L", "0.02", "0.02", "0.002"),
    ("チウラム", "mg/L", "0.006", "0.006", "0.0006"),
    ("PCB", "mg/L", ND, ND_REFERENCE, "0.0005"),
    ("有機燐", "mg/L", ND, ND_REFERENCE, "0.1"),
    # Class 2: content standard mg/kg
    ("カドミウム(含有量)", "mg/kg", "45", "45", "4.5"),
    ("六価クロム(含有量)", "mg/kg", "250", "250", "25"),
    ("遊離シアン(含有量)", "mg/kg", "50", "50", "5"),
    ("水銀(含有量)", "mg/kg", "15", "15", "1.5"),
    ("セレン(含有量)", "mg/kg", "150", "150", "15"),
    ("鉛(含有量)", "mg/kg", "150", "150", "15"),
    ("砒素(含有量)", "mg/kg", "150", "150", "15"),
    ("ふっ素(含有量)", "mg/kg", "4000", "4000", "400"),
    ("ほう素(含有量)", "mg/kg", "4000", "4000", "400"),
    # Common extra tests
    ("pH", "－", "", "", ""),
    ("1，4-ジオキサン", "mg/L", "0.05", "0.05", "0.005"),
    ("電気伝導率", "mS/m", "", "", ""),
    ("含水比", "%", "", "", ""),
]

# Graphs: title 1 (the group and its unit), title 2, kind (1 log, 0 linear), width of the
# graph column in mm, the legend's name and remark columns in % of it (the unit column too
# where the tests of a graph differ in unit), and the slots. A log slot is (test number,
# multiplier, shown); a linear slot (test number, from, to, step, shown). The widths and
# columns are chosen so that every name, unit and standard fits the default 8-point legend.
GRAPHS = [
    ("溶出量 (mg/L)", "基準値", 1, 21, (12, 68, None, 70), [(n, "0.0001", n == 13) for n in range(13, 22)]),
    ("含有量 (mg/kg)", "基準値", 1, 26, (10, 79, None, 81), [(n, "1", n == 27) for n in range(27, 36)]),
    ("揮発性有機化合物 (mg/L)", "基準値", 1, 33, (8, 79, None, 81),
     [(n, "0.0001", n == 8) for n in (8, 11, 5, 4, 1, 9, 10, 2, 3, 12)]),
    ("農薬・PCB等 (mg/L)", "基準値", 1, 24, (10, 72, None, 73),
     [(n, "0.0001", n == 22) for n in (22, 23, 24, 25, 26, 7, 6, 37)]),
    # No standards here: the remark position that the view gives every graph finds empty remarks.
    ("その他", "", 0, 18, (15, 70, 72, None), [(36, "4", "12", "2", True), (38, "0", "200", "50", True),
                                           (39, "0", "200", "50", True)]),
]
LOG_GRID = (1, 10000)  # log grid 1 from and to; the multipliers scale it per test
TITLE_TOP = 2
TITLE2_TOP = 9     # the second title on a line of its own, above the standards
FIRST_NAME_TOP = 17


def pct(v):
    return "%.0f" % v


def name_tops(n, shown):
    """Name tops a line apart from below the titles, the scale numbers' lines left free."""
    last = 97 - 8 * shown  # each shown scale takes a line of numbers below the names
    step = min(7.5, (last - FIRST_NAME_TOP) / n)
    return ["%.1f" % (FIRST_NAME_TOP + i * step) for i in range(n)]


def number_tops(name_top_values, shown_flags):
    """The number lines of the shown scales, a line apart at the foot of the heading."""
    k = sum(shown_flags)
    tops = [""] * len(shown_flags)
    value = 97.0
    for i in reversed(range(len(shown_flags))):
        if shown_flags[i]:
            tops[i] = "%.1f" % value
            value -= 8
    return tops


def graph_rows(graph):
    title1, title2, kind, width, legend, slots = graph
    name_left, name_right, unit_left, remark_left = legend
    rows = [
        [title1, "0", "2", "98", str(TITLE_TOP)] + [""] * 6,
        [title2, "0", str((remark_left or 74) - 6), "99", str(TITLE2_TOP)] + [""] * 6,
        ["0", str(name_left), str(name_right), "", "" if unit_left is None else str(unit_left), "",
         "0", "" if remark_left is None else str(remark_left), "" if remark_left is None else "99", "", ""],
        [str(kind), "5", "1", str(LOG_GRID[0]), str(LOG_GRID[1]), "1", "0", "1", "", "", "___"],
    ]
    shown = [s[-1] for s in slots]
    tops = name_tops(len(slots), sum(shown))
    numbers = number_tops(tops, shown)
    for i, slot in enumerate(slots):
        number = slot[0]
        name = TESTS[number - 1][0]
        row = [str(number), name, tops[i], "", "", "", "", "", "", numbers[i], "1" if shown[i] else "0"]
        if kind == 1:
            m = float(slot[1])
            row[6] = slot[1]
            row[7] = "%g" % (LOG_GRID[0] * m)
            row[8] = "%g" % (LOG_GRID[1] * m)
        else:
            row[3], row[4], row[5] = slot[1], slot[2], slot[3]
        rows.append(row)
    while len(rows) < 14:
        rows.append([""] * 10 + ["0"])
    return rows


def test_rows():
    rows = []
    graph_of = {}
    for g, graph in enumerate(GRAPHS):
        for i, slot in enumerate(graph[5]):
            graph_of[slot[0]] = (g, i)
    for n in range(1, 49):
        if n > len(TESTS):
            rows.append([""] * 10)
            continue
        name, unit, remark, ref, lower = TESTS[n - 1]
        g, i = graph_of.get(n, (0, n))
        symbol = SYMBOLS[i % len(SYMBOLS)]
        colour = bgr(*SLOT_COLOURS[i % len(SLOT_COLOURS)])
        rows.append([name, unit, remark, ref, lower, symbol, "1.0", "2", colour, ""])
    return rows


DISPLAY_ITEMS = [
    ["1", "0.0", "", "現場土質名"],
    ["1", "31.8", "", ""],
    ["1", "7.0", "", "地層・岩体区分"],
    ["0", "10.0", "", "備考"],
    ["1", "6.4", "", ""],
    ["1", "17.6", "", ""],
    ["1", "20.0", "", ""],
] + [["1", "%.1f" % g[3], "%.1f" % (g[3] - 3), ""] for g in GRAPHS] + [
    ["1", "5.6", "", ""],
    ["0", "0.0", "", ""],
    ["0", "0.0", "", ""],
    ["1", "5.6", "", ""],
]


def default_document_lines():
    lines = ["$$_QVOR780", "$$Z"] + [""] * 80
    for marker in ["$$A", "$$C", "$$K", "$$N", "$$W", "$$H", "$$r", "$$T"]:
        lines.append(marker)
    lines.append("$$o")
    lines += [",".join(r) for r in DISPLAY_ITEMS]
    lines.append("$$p")
    for graph in GRAPHS:
        lines += [",".join(r) for r in graph_rows(graph)]
    lines.append("$$q")
    lines += [",".join(r) for r in test_rows()]
    lines.append("$$x")
    lines.append("," * 59)
    return lines


# ---------------------------------------------------------------- settings and fonts
TEXT_LINES = {34, 35, 37, 38, 39, 40, 44, 46, 49, 50, 57, 58, 59, 60}
LISTED = set(range(1, 24)) | set(range(25, 29)) | {31, 32} | set(range(47, 57)) | TEXT_LINES
SETTINGS = {2: 1, 3: 10, 4: 5, 5: 1, 8: 2, 9: 1, 11: 2,
            12: 1, 13: 10, 14: 0, 15: 0, 16: 5, 17: 0, 18: 1, 19: 10, 20: 0, 21: 0, 22: 5, 23: 0,
            25: 1, 27: 0, 31: 1, 32: 1, 47: 0, 51: 5, 52: 5, 53: 0,
            34: "自沈", 35: "貫入不能", 49: "株式会社",
            57: "0x808080", 58: "0xcccccc", 59: "0x808080", 60: "0xcccccc"}


def settings_lines():
    lines = []
    for n in range(71):
        if n == 0:
            lines.append("780")
        elif n in TEXT_LINES:
            lines.append(str(SETTINGS.get(n, "")))
        elif n in LISTED:
            lines.append(str(SETTINGS.get(n, 0)))
        else:
            lines.append(" ")
    return lines


FONTS = [(10.0, "ＭＳ 明朝"), (8.0, "ＭＳ Ｐ明朝"), (8.0, "ＭＳ 明朝"), (7.0, "ＭＳ 明朝"), (8.0, "ＭＳ 明朝"), (9.0, "ＭＳ 明朝")]


# ---------------------------------------------------------------- output
def build():
    files = {}
    for name in TEXT_SOURCES:
        with open(os.path.join(SRC, name), encoding="utf-8") as f:
            files[name] = cp932_lines(f.read().splitlines())
    files["PtnvcJG.ndx"] = cp932_lines(pattern_colour_lines())
    files["Dflt.bhc"] = cp932_lines(default_document_lines())
    files["Sys.ndx"] = cp932_lines(settings_lines())
    for i, (size, face) in enumerate(FONTS, start=1):
        files[f"Font{i}.ndx"] = cp932_lines(["%.1f" % size, face, "0", "0"])
    return files


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--out", default=OUT)
    args = parser.parse_args()
    files = build()
    if args.check:
        stale = []
        for name, data in files.items():
            path = os.path.join(args.out, name)
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        if stale:
            print("data/install is out of date: " + ", ".join(stale) + " (run tools/gen_install_data.py)")
            return 1
        print("data/install is up to date")
        return 0
    os.makedirs(args.out, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
