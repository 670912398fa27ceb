#!/usr/bin/env python3
"""Writes the seed workbooks of the .xlsx fuzzer (run from this folder)."""
import zipfile

NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'


def workbook(path, rows, strings, date1904=False):
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('[Content_Types].xml', '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
        z.writestr('xl/workbook.xml',
                   f'<workbook {NS} xmlns:r="{REL}"><workbookPr date1904="{int(date1904)}"/>'
                   '<sheets><sheet name="Data" sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr('xl/_rels/workbook.xml.rels',
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   f'<Relationship Id="rId1" Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/></Relationships>')
        z.writestr('xl/sharedStrings.xml', f'<sst {NS}>' + ''.join(f'<si><t>{s}</t></si>' for s in strings) + '</sst>')
        z.writestr('xl/styles.xml', f'<styleSheet {NS}><numFmts><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/></numFmts>'
                   '<cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/></cellXfs></styleSheet>')
        z.writestr('xl/worksheets/sheet1.xml', f'<worksheet {NS}><sheetData>{rows}</sheetData></worksheet>')


workbook('seeds/types.xlsx',
         '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c></row>'
         '<row r="2"><c r="A2" t="inlineStr"><is><t>x</t></is></c><c r="B2"><v>1.5</v></c><c r="C2" s="1"><v>42000</v></c></row>'
         '<row r="3"><c r="A3" t="str"><f>A2</f><v>x</v></c><c r="B3" t="b"><v>1</v></c><c r="C3" t="e"><v>#N/A</v></c></row>',
         ['name', 'value', 'when'])
workbook('seeds/notes.xlsx',
         '<row r="1"><c r="A1" t="s"><v>0</v></c></row>'
         '<row r="3"><c r="B3" t="s"><v>1</v></c><c r="C3" t="s"><v>2</v></c></row>'
         '<row r="4"><c r="B4" s="2"><v>1</v></c><c r="C4"><v>7</v></c></row>',
         ['notes', 'day', 'n'], date1904=True)
