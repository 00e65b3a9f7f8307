#!/usr/bin/python3
"""Writes the workbook of the "Link to Excel" template and its link options file.

The template graph Data/T_Excel.dat shows quarterly income, costs and profit. Its link options file
Data/T_Excel.TVO links it to Data/T_Excel.xls, found beside the graph through the "<find>" marker,
so that "Reload Data" works wherever the program is installed. The workbook's first column names
the figures for the reader of the sheet, as the graph names its series; the linked range B1:E4 holds the quarter headings and the
values, imported across with its top line as the column headings.

Usage: make_excel_template.py [DATA_FOLDER]   (default: the data/ folder of this repository)
"""
import os
import sys

import xlwt

# The same figures as the template graph, so that loading the range keeps the graph as it is.
HEADINGS = ["Figure", "Q1", "Q2", "Q3", "Q4"]
FIGURES = [
    ("Income", [250, 280, 310, 360]),
    ("Costs", [180, 190, 205, 230]),
    ("Profit", [70, 90, 105, 130]),
]
LINK_OPTIONS = (
    "&ExcelLink=YES&ExcelFile=<find>T_Excel.xls&ExcelWorkSheet=1"
    "&RowFrom=B&ColFrom=1&RowTo=E&ColTo=4&ExcelOrient=ACCROSS&HeaderLine=YES&"
)


def write_workbook(path):
    book = xlwt.Workbook()
    sheet = book.add_sheet("Figures")
    bold = xlwt.easyxf("font: bold on")
    for column, heading in enumerate(HEADINGS):
        sheet.write(0, column, heading, bold)
    for row, (figure, values) in enumerate(FIGURES, start=1):
        sheet.write(row, 0, figure)
        for column, value in enumerate(values, start=1):
            sheet.write(row, column, value)
    book.save(path)


def write_atomically(path, write):
    temporary = path + ".tmp"
    write(temporary)
    os.replace(temporary, path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data")

    def write_options(target):
        with open(target, "wb") as options:
            options.write(LINK_OPTIONS.encode("cp1252"))

    write_atomically(os.path.join(folder, "T_Excel.xls"), write_workbook)
    write_atomically(os.path.join(folder, "T_Excel.TVO"), write_options)


if __name__ == "__main__":
    main()
