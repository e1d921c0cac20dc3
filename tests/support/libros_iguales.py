#!/usr/bin/env python3
"""Two workbooks hold the same sheets, and the same value in every cell but the project's
date, which the window gives a new schedule and a CSV lacks: prints the first difference
and exits 1 if not. Prints the number of rows of the first sheet."""
import sys

import openpyxl


def main(a, b):
    libro_a, libro_b = openpyxl.load_workbook(a), openpyxl.load_workbook(b)
    if libro_a.sheetnames != libro_b.sheetnames:
        print("hojas:", libro_a.sheetnames, libro_b.sheetnames)
        return 1
    for nombre in libro_a.sheetnames:
        filas_a = list(libro_a[nombre].iter_rows(values_only=True))
        filas_b = list(libro_b[nombre].iter_rows(values_only=True))
        for i, (fa, fb) in enumerate(zip(filas_a, filas_b), start=1):
            if fa != fb and not (nombre == "Proyecto" and fa[0] == "Fecha"):
                print(f"{nombre}, fila {i}:", fa, fb)
                return 1
        if len(filas_a) != len(filas_b):
            print(f"{nombre}: {len(filas_a)} filas y {len(filas_b)}")
            return 1
    print(libro_a[libro_a.sheetnames[0]].max_row)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
