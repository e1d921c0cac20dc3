// Writing a sized schedule: CSV for the spreadsheet it came from, or an .xlsx workbook.
#pragma once

#include "schedule/columns.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct lxw_format;

namespace schedule {

// Rows of cells to a stream, with the delimiter and the encoding of the file read: UTF-8
// with a byte-order mark, so that a spreadsheet shows the accents, or Windows-1252 as a
// Spanish Excel saves it; CRLF line ends. A cell is quoted only when it holds the
// delimiter, a quote or a line end; a formula's text is written after an apostrophe, so
// that a spreadsheet shows it and does not run it.
class EscritorCsv {
public:
    EscritorCsv(std::ostream& salida, char delimitador, bool windows1252 = false);
    void Fila(const std::vector<Celda>& celdas);

    // The cells as one line of a file with `delimitador`, without its line end.
    static std::string Linea(const std::vector<std::string>& celdas, char delimitador);

private:
    std::ostream& salida_;
    char delimitador_;
    bool windows1252_;
    std::string linea_;
};

// A label and its value, for the sheet "Proyecto" and the record's summary.
struct Renglon {
    std::string etiqueta;
    Celda valor;
};

// The workbook of a sized schedule, for people: the sheet "Alimentadores" with a bold,
// frozen, filtered header row, numbers as numbers with the CSV's decimals, sizes as text,
// columns as wide as their texts, the rows that fail a rule shaded, and a landscape page
// setup one page wide with the header row on every page; the sheet "Proyecto"; the sheet
// "Notas" with the method. It is written row by row in constant memory; nothing is on disk
// until Terminar.
class EscritorXlsx {
public:
    static std::unique_ptr<EscritorXlsx> Abrir(const std::filesystem::path& archivo);
    ~EscritorXlsx();
    EscritorXlsx(const EscritorXlsx&) = delete;
    EscritorXlsx& operator=(const EscritorXlsx&) = delete;

    void Encabezado(const std::vector<std::string>& nombres);
    // A row's cells, shaded where it fails a rule; a cell marked as the value the sizing
    // took for an empty one (Celda::omision) in grey.
    void Fila(const std::vector<Celda>& celdas, bool falla = false);
    // Writes the page's header with `proyecto`'s name, the sheet "Proyecto" with
    // `renglones`, the notes, a paragraph a line (the method, then what was said of the file
    // read), and closes the file; a message if it could not be written.
    std::optional<std::string> Terminar(const std::string& proyecto,
                                        const std::vector<Renglon>& renglones,
                                        const std::vector<std::string>& notas);

private:
    struct Libro;
    explicit EscritorXlsx(std::unique_ptr<Libro> libro);
    void Ancho(std::size_t columna, const std::string& texto);
    lxw_format* Formato(std::string_view numero, bool falla, bool omision = false);
    std::unique_ptr<Libro> libro_;
};

} // namespace schedule
