#!/usr/bin/python3
"""Reads the tables of a .docx document with python-docx (an independent
reader) and prints them as JSON: for every table its size, the text of every
cell, every cell's set width in points (null when not set) and the widths of
the table's grid columns."""
import json
import sys

import docx


def points(length):
    return None if length is None else round(length.pt, 2)


def main(path):
    document = docx.Document(path)
    tables = []
    for table in document.tables:
        cells = []
        widths = []
        paragraphs = []
        for row in table.rows:
            cells.append([cell.text for cell in row.cells])
            widths.append([points(cell.width) for cell in row.cells])
            paragraphs.append([len(cell.paragraphs) for cell in row.cells])
        tables.append({
            "rows": len(table.rows),
            "columns": len(table.columns),
            "cells": cells,
            "widths": widths,
            "paragraphs": paragraphs,
            "grid": [points(column.width) for column in table.columns],
        })
    json.dump({"tables": tables}, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
