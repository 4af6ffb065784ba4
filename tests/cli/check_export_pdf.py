"""Exports the fixture log to PDF with `qc export` and checks the result with
poppler's tools: the page count, the paper, and the Japanese texts of the
header, the footer and the page label extracted from each page."""
import os
import subprocess
import sys
import tempfile

qc, data = sys.argv[1], sys.argv[2]

# A fresh user: the default install folder is made from the bundled one, never the user's own.
home = tempfile.TemporaryDirectory(prefix="qc-export-")
os.environ["XDG_CONFIG_HOME"] = os.path.join(home.name, "config")
os.environ["XDG_DATA_HOME"] = os.path.join(home.name, "data")
os.environ["HOME"] = home.name
os.environ.pop("QC_INSTALL_DIR", None)


def pdf_pages(path):
    info = subprocess.run(["pdfinfo", path], capture_output=True, check=True, text=True).stdout
    fields = dict(line.split(":", 1) for line in info.splitlines() if ":" in line)
    return int(fields["Pages"]), fields["Page size"].strip()


def page_text(path, page):
    return subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), "-layout", path, "-"],
                          capture_output=True, check=True).stdout.decode("utf-8")


def squeeze(text):
    # Spread labels come out with blanks between their characters.
    return "".join(text.split())


with tempfile.TemporaryDirectory() as tmp:
    out = os.path.join(tmp, "log.pdf")
    # Default paper: A3 portrait, one page for the 15 m log.
    run = subprocess.run([qc, "export", f"{data}/fullheader.bhc", "-o", out], check=True, capture_output=True)
    assert run.stderr == b"" and run.stdout == b"", run  # quiet on success
    pages, size = pdf_pages(out)
    assert pages == 1, pages
    assert "A3" in size, size
    text = squeeze(page_text(out, 1))
    for expected in ["ボーリング柱状図", "土壌汚染状況調査（第二期）", "事業・工事名", "ボーリング名", "B-1",
                     "東京都千代田区丸の内１丁目地内", "国土交通省", "調査期間", "令和5年4月1日", "北緯", "東経",
                     "主任技師", "山田太郎", "場代理人", "ア鑑定者", "グ責任者", "孔口標高", "12.30m", "総削孔長",
                     "15.00m", "地", "盤", "試錐機", "YBM-05DA", "エンジン", "ポンプ", "V-5", "株式会社東洋地質調査",
                     "No.1頁", "シート№1/2"]:
        assert expected in text, (expected, text)

    # 250 mm paper: 12 m pages, two of them, each with its own page label.
    subprocess.run([qc, "export", f"{data}/fullheader.bhc", "-o", out, "--paper", "297x250mm", "--dpi", "300"],
                   check=True, capture_output=True)
    pages, size = pdf_pages(out)
    assert pages == 2, pages
    assert size.startswith("842 x 709"), size
    assert "No.1頁" in squeeze(page_text(out, 1))
    second = squeeze(page_text(out, 2))
    assert "No.2頁" in second and "ボーリング柱状図" in second, second
    # The depth scale of page 2 runs from 12 m to 24 m.
    scale = page_text(out, 2).split()
    assert "13" in scale and "23" in scale and "11" not in scale, scale

    # Only page 2.
    subprocess.run([qc, "export", f"{data}/fullheader.bhc", "-o", out, "--paper", "297x250mm", "--pages", "2-2"],
                   check=True, capture_output=True)
    pages, _ = pdf_pages(out)
    assert pages == 1 and "No.2頁" in squeeze(page_text(out, 1))
print("ok")
