#!/usr/bin/env python3
"""The calculation record of a 300-feeder schedule with a tree, on Letter and on A4, read
back with pdftotext -layout: the head and the foot on every page, the table's header on
every page of the table, no feeder split from its notes, no word broken, failing rows
marked, the summary's numbers, and each feeder's annex block on one page."""
import os
import re
import subprocess
import sys
import tempfile
import unittest

EXPORTAR = os.path.abspath(sys.argv[1])
FILAS = 300


def paginas(pdf):
    texto = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                           check=True).stdout.decode("utf-8")
    return [p for p in texto.split("\f") if p.strip()]


def exportar(carpeta, idioma):
    pdf = os.path.join(carpeta, f"memoria {idioma}.pdf")
    entorno = dict(os.environ, LC_ALL=idioma, LANG=idioma, QT_QPA_PLATFORM="offscreen")
    subprocess.run([EXPORTAR, str(FILAS), pdf], check=True, env=entorno, capture_output=True)
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode()
    return pdf, info


class Memoria(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.carpeta = tempfile.TemporaryDirectory(prefix="memoria ")
        cls.carta, info = exportar(cls.carpeta.name, "en_US.UTF-8")
        assert "612 x 792" in info or "792 x 612" in info, info
        cls.a4, info = exportar(cls.carpeta.name, "C.UTF-8")
        assert "595 x 842" in info or "842 x 595" in info, info

    @classmethod
    def tearDownClass(cls):
        cls.carpeta.cleanup()

    def revisar(self, pdf):
        hojas = paginas(pdf)
        total = len(hojas)
        self.assertGreater(total, 20)
        fila_en, nota_en, anexo_en, total_en = {}, {}, {}, {}
        for n, hoja in enumerate(hojas, start=1):
            lineas = hoja.splitlines()
            self.assertIn("Memoria de cálculo de alimentadores", lineas[0] + lineas[1])
            self.assertIn("Fecha:", hoja)
            self.assertRegex(hoja, rf"Página {n} de {total}\s*$")
            self.assertIn("Elaboró:", hoja)
            # Long words of the table and the notes are never cut at a line's end.
            for cortada in (r"Trifási(?!co)", r"Monofási(?!co)", r"ampacida(?!d)",
                            r"Especifica(?!ción)", r"Observacio(?!nes)"):
                self.assertNotRegex(hoja, cortada, f"página {n}")
            for linea in lineas:
                if m := re.match(r"\s*(▲)?\s*(T-\d+)\s+(Trifásico|Monofásico)\s", linea):
                    fila_en[m.group(2)] = (n, bool(m.group(1)))
                    self.assertIn("Circuito", hoja, f"página {n} sin encabezado")
                    self.assertIn("Rige", hoja, f"página {n} sin encabezado")
                for m in re.finditer(r"Tablero número (\d+)\b", linea):
                    nota_en[f"T-{m.group(1)}"] = n
                if m := re.match(r"\s*(T-\d+) — ", linea):
                    anexo_en[m.group(1)] = n
                if m := re.match(r"\s*Regulación total \(.*?\): .*→ (T-\d+) \(", linea):
                    total_en.setdefault(m.group(1), n)
        circuitos = [f"T-{i}" for i in range(1, FILAS + 1)]
        self.assertEqual(sorted(fila_en), sorted(circuitos))
        for c in circuitos:
            self.assertEqual(fila_en[c][0], nota_en[c], f"{c} separado de sus notas")
        # A feeder in THHN, which is not for the wet inside of a conduit, fails and is marked.
        marcadas = [c for c in circuitos if fila_en[c][1]]
        self.assertTrue(marcadas)
        texto = "\n".join(hojas)
        self.assertRegex(texto, rf"Alimentadores:\s+{FILAS}\b")
        m = re.search(r"No cumplen alguna regla:\s+(\d+): ", texto)
        self.assertEqual(int(m.group(1)), len(marcadas))
        # Every sized feeder's block, from its heading to its total, on one page.
        for c, pagina in anexo_en.items():
            if c in total_en:
                self.assertEqual(total_en[c], pagina, f"anexo de {c} partido")
        self.assertGreater(len(anexo_en), FILAS // 2)
        for texto_norma in ("Capítulo 9, Tabla 9", "Tabla 310.16", "Tabla 250.122",
                            "Capítulo 9, Tabla 1", "Zef = R·cos θ + X·sen θ"):
            self.assertIn(texto_norma, texto)

    def test_letter(self):
        self.revisar(self.carta)

    def test_a4(self):
        self.revisar(self.a4)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
