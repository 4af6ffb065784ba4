#!/usr/bin/env python3
"""Writes tests/data/labresults.xlsx with openpyxl: a first sheet with shared
strings, a number format of three decimals, a plain number and text values,
and a second sheet.

    make_fixture_xlsx.py OUT.xlsx
"""
import sys

import openpyxl

wb = openpyxl.Workbook()
ws = wb.active
ws.title = "結果"
ws.append(["試料番号", "カドミウム", "鉛", "砒素"])
ws.append(["", "mg/L", "mg/L", "mg/L"])
ws.append(["S-1", 0.01, 12, 0.0021])
ws["B3"].number_format = "0.000"
ws.append(["S-2", "<0.001", "不検出", None])
second = wb.create_sheet("含有量")
second.append(["試料番号", "鉛含有量"])
second.append(["S-1", 150])
wb.save(sys.argv[1])

# Spreadsheet programs keep text in the shared strings, with phonetic runs
# (<rPh>) under Japanese text; openpyxl writes inline strings, so this book is
# put together by hand.
import zipfile

shared = sys.argv[1].replace(".xlsx", "-shared.xlsx")
parts = {
    "[Content_Types].xml": '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/></Types>',
    "xl/workbook.xml": '<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>',
    "xl/_rels/workbook.xml.rels": '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>',
    "xl/sharedStrings.xml": '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="3" uniqueCount="3"><si><t>試料番号</t><rPh sb="0" eb="2"><t>シリョウ</t></rPh></si><si><r><t>六価</t></r><r><t>クロム</t></r></si><si><t>ND</t></si></sst>',
    "xl/worksheets/sheet1.xml": '<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="s"><v>1</v></c></row><row r="2"><c r="A2" t="inlineStr"><is><t>S-1</t></is></c><c r="C2" t="s"><v>2</v></c></row></sheetData></worksheet>',
}
with zipfile.ZipFile(shared, "w", zipfile.ZIP_DEFLATED) as z:
    for name, text in parts.items():
        z.writestr(name, text.encode("utf-8"))
