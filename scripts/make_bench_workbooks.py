#!/usr/bin/python3
"""Writes the workbooks the import benchmark reads: 1000 rows of 100 columns (A1:CV1000), a
heading row and then numbers, as a legacy workbook (bench.xls, through xlwt) and as an Office Open
XML workbook (bench.xlsx, shared strings for the headings as spreadsheet programs write them).

Usage: make_bench_workbooks.py FOLDER
"""
import os
import sys
import zipfile

import xlwt

ROWS = 1000
COLUMNS = 100


def value(row, column):
    return (row * 131 + column * 17) % 10000 / 10.0


def column_name(column):
    name = ""
    column += 1
    while column:
        column, rest = divmod(column - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def write_xls(path):
    book = xlwt.Workbook()
    sheet = book.add_sheet("Data")
    for column in range(COLUMNS):
        sheet.write(0, column, "Series %d" % (column + 1))
    for row in range(1, ROWS):
        for column in range(COLUMNS):
            sheet.write(row, column, value(row, column))
    book.save(path)


def write_xlsx(path):
    ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    rows = []
    headings = "".join(
        '<c r="%s1" t="s"><v>%d</v></c>' % (column_name(c), c) for c in range(COLUMNS))
    rows.append('<row r="1">%s</row>' % headings)
    for row in range(1, ROWS):
        cells = "".join('<c r="%s%d"><v>%r</v></c>' % (column_name(c), row + 1, value(row, c))
                        for c in range(COLUMNS))
        rows.append('<row r="%d">%s</row>' % (row + 1, cells))
    strings = "".join("<si><t>Series %d</t></si>" % (c + 1) for c in range(COLUMNS))
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("[Content_Types].xml", "<Types/>")
        archive.writestr("_rels/.rels", '<Relationships><Relationship Id="rId1" Type="%s/'
                         'officeDocument" Target="xl/workbook.xml"/></Relationships>' % rel)
        archive.writestr("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet '
                         'name="Data" sheetId="1" r:id="rId1"/></sheets></workbook>' % (ns, rel))
        archive.writestr("xl/_rels/workbook.xml.rels", '<Relationships><Relationship Id="rId1" '
                         'Type="%s/worksheet" Target="worksheets/sheet1.xml"/><Relationship '
                         'Id="rId2" Type="%s/sharedStrings" Target="sharedStrings.xml"/>'
                         '</Relationships>' % (rel, rel))
        archive.writestr("xl/sharedStrings.xml", '<sst xmlns="%s">%s</sst>' % (ns, strings))
        archive.writestr("xl/worksheets/sheet1.xml", '<worksheet xmlns="%s"><sheetData>%s'
                         '</sheetData></worksheet>' % (ns, "".join(rows)))


def main():
    folder = sys.argv[1]
    write_xls(os.path.join(folder, "bench.xls"))
    write_xlsx(os.path.join(folder, "bench.xlsx"))


if __name__ == "__main__":
    main()
