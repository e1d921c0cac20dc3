#!/usr/bin/env python3
"""Prints a workbook as openpyxl reads it, one line a fact, for a test to compare: each
sheet's page setup, then each written cell with its value, number format, fill, weight
and colour."""
import sys

import openpyxl


def main(archivo):
    libro = openpyxl.load_workbook(archivo)
    print("hojas", " | ".join(libro.sheetnames))
    for hoja in libro.worksheets:
        nombre = hoja.title
        print(nombre, "fija", hoja.freeze_panes)
        print(nombre, "filtro", hoja.auto_filter.ref)
        print(nombre, "orientación", hoja.page_setup.orientation)
        print(nombre, "ancho en páginas", hoja.page_setup.fitToWidth,
              "alto", hoja.page_setup.fitToHeight)
        print(nombre, "títulos", hoja.print_title_rows)
        print(nombre, "encabezado", hoja.oddHeader.left.text, "|", hoja.oddHeader.right.text)
        print(nombre, "pie", hoja.oddFooter.center.text)
        for fila in hoja.iter_rows():
            for celda in fila:
                if celda.value is None and celda.fill.fgColor.rgb in (None, "00000000"):
                    continue
                relleno = celda.fill.fgColor.rgb if celda.fill.fill_type else "-"
                color = celda.font.color.rgb if celda.font.color is not None else None
                print(f"{nombre}!{celda.coordinate}", repr(celda.value), celda.number_format,
                      relleno, "negrita" if celda.font.b else "-",
                      color if isinstance(color, str) and color != "FF000000" else "-",
                      sep="\t")
        for letra, dimension in sorted(hoja.column_dimensions.items()):
            if dimension.width:
                print(nombre, "ancho", letra, dimension.width)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
