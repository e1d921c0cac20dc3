#include "schedule/writers.h"

#include "schedule/text.h"

#include <csv.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace schedule {

EscritorCsv::EscritorCsv(std::ostream& salida, char delimitador, bool windows1252)
    : salida_(salida), delimitador_(delimitador), windows1252_(windows1252) {
    if (!windows1252_) {
        salida_ << "\xEF\xBB\xBF";
    }
}

namespace {

void AgregarCelda(std::string& linea, const std::string& texto, char delimitador) {
    const bool citar = std::any_of(texto.begin(), texto.end(), [delimitador](char c) {
        return c == delimitador || c == '"' || c == '\r' || c == '\n';
    });
    if (!citar) {
        linea += texto;
        return;
    }
    // The quoted form is at most twice as long, plus its two quotes.
    std::string citado(texto.size() * 2 + 2, '\0');
    citado.resize(csv_write2(citado.data(), citado.size(), texto.data(), texto.size(), '"'));
    linea += citado;
}

} // namespace

void EscritorCsv::Fila(const std::vector<Celda>& celdas) {
    linea_.clear();
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        if (i > 0) {
            linea_ += delimitador_;
        }
        AgregarCelda(linea_, celdas[i].formula ? "'" + celdas[i].texto : celdas[i].texto,
                     delimitador_);
    }
    linea_ += "\r\n";
    salida_ << (windows1252_ ? HaciaWindows1252Parecido(linea_) : linea_);
}

std::string EscritorCsv::Linea(const std::vector<std::string>& celdas, char delimitador) {
    std::string linea;
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        if (i > 0) {
            linea += delimitador;
        }
        AgregarCelda(linea, celdas[i], delimitador);
    }
    return linea;
}

struct EscritorXlsx::Libro {
    lxw_workbook* libro = nullptr;
    lxw_worksheet* hoja = nullptr;
    lxw_format* negrita = nullptr;
    std::map<std::tuple<std::string_view, bool, bool>, lxw_format*> formatos;
    std::vector<std::size_t> anchos; // each column's longest text, in characters
    lxw_row_t fila = 0;
};

namespace {

// The shading of a row that fails a rule: light, so that the text reads in black and white.
constexpr lxw_color_t ColorFalla = 0xFFE0E0;
// The value the sizing took for an empty cell, in the grey the window shows it in.
constexpr lxw_color_t ColorOmision = 0x787878;
// A column's width, in characters: its texts', within these.
constexpr std::size_t AnchoMenor = 6;
constexpr std::size_t AnchoMayor = 60;

std::size_t Caracteres(const std::string& texto) {
    return static_cast<std::size_t>(std::count_if(texto.begin(), texto.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The page header's text: an "&" of the name is doubled, as Excel reads "&" as a code.
std::string SinCodigos(const std::string& texto) {
    std::string salida;
    for (const char c : texto) {
        salida += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return salida;
}

} // namespace

std::unique_ptr<EscritorXlsx> EscritorXlsx::Abrir(const std::filesystem::path& archivo) {
    lxw_workbook_options opciones{};
    opciones.constant_memory = LXW_TRUE;
    auto libro = std::make_unique<Libro>();
    libro->libro = workbook_new_opt(archivo.c_str(), &opciones);
    if (libro->libro == nullptr) {
        return nullptr;
    }
    libro->hoja = workbook_add_worksheet(libro->libro, "Alimentadores");
    libro->negrita = workbook_add_format(libro->libro);
    format_set_bold(libro->negrita);
    return std::unique_ptr<EscritorXlsx>(new EscritorXlsx(std::move(libro)));
}

EscritorXlsx::EscritorXlsx(std::unique_ptr<Libro> libro) : libro_(std::move(libro)) {}

// A workbook let go before Terminar is dropped unwritten: closing it would put a workbook
// without its summary and notes where the user asked for a whole one.
EscritorXlsx::~EscritorXlsx() {
    if (libro_ && libro_->libro != nullptr) {
        lxw_workbook_free(libro_->libro);
    }
}

void EscritorXlsx::Ancho(std::size_t columna, const std::string& texto) {
    if (libro_->anchos.size() <= columna) {
        libro_->anchos.resize(columna + 1, 0);
    }
    libro_->anchos[columna] = std::max(libro_->anchos[columna], Caracteres(texto));
}

lxw_format* EscritorXlsx::Formato(std::string_view numero, bool falla, bool omision) {
    lxw_format*& formato = libro_->formatos[{numero, falla, omision}];
    if (formato == nullptr && (falla || omision || !numero.empty())) {
        formato = workbook_add_format(libro_->libro);
        if (!numero.empty()) {
            format_set_num_format(formato, std::string(numero).c_str());
        }
        if (falla) {
            format_set_bg_color(formato, ColorFalla);
        }
        if (omision) {
            format_set_font_color(formato, ColorOmision);
        }
    }
    return formato;
}

void EscritorXlsx::Encabezado(const std::vector<std::string>& nombres) {
    worksheet_freeze_panes(libro_->hoja, 1, 0);
    for (std::size_t c = 0; c < nombres.size(); ++c) {
        worksheet_write_string(libro_->hoja, 0, static_cast<lxw_col_t>(c), nombres[c].c_str(),
                               libro_->negrita);
        Ancho(c, nombres[c]);
    }
    libro_->fila = 1;
}

void EscritorXlsx::Fila(const std::vector<Celda>& celdas, bool falla) {
    for (std::size_t c = 0; c < celdas.size(); ++c) {
        const Celda& celda = celdas[c];
        const auto columna = static_cast<lxw_col_t>(c);
        Ancho(c, celda.texto);
        if (celda.numero) {
            worksheet_write_number(libro_->hoja, libro_->fila, columna, *celda.numero,
                                   Formato(celda.formato, falla, celda.omision));
        } else if (!celda.texto.empty()) {
            worksheet_write_string(libro_->hoja, libro_->fila, columna, celda.texto.c_str(),
                                   Formato({}, falla));
        } else if (falla) {
            worksheet_write_blank(libro_->hoja, libro_->fila, columna, Formato({}, falla));
        }
    }
    ++libro_->fila;
}

std::optional<std::string> EscritorXlsx::Terminar(const std::string& proyecto,
                                                  const std::vector<Renglon>& renglones,
                                                  const std::vector<std::string>& notas) {
    lxw_worksheet* hoja = libro_->hoja;
    for (std::size_t c = 0; c < libro_->anchos.size(); ++c) {
        const std::size_t ancho = std::clamp(libro_->anchos[c] + 2, AnchoMenor, AnchoMayor);
        worksheet_set_column(hoja, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             static_cast<double>(ancho), nullptr);
    }
    if (!libro_->anchos.empty()) {
        worksheet_autofilter(hoja, 0, 0, std::max<lxw_row_t>(libro_->fila, 1) - 1,
                             static_cast<lxw_col_t>(libro_->anchos.size() - 1));
    }
    worksheet_set_landscape(hoja);
    worksheet_fit_to_pages(hoja, 1, 0);
    worksheet_repeat_rows(hoja, 0, 0);
    const std::string izquierda = proyecto.empty() ? "" : "&L" + SinCodigos(proyecto);
    worksheet_set_header(hoja, (izquierda + "&RAlimentadores").c_str());
    worksheet_set_footer(hoja, "&CPágina &P de &N");

    lxw_worksheet* datos = workbook_add_worksheet(libro_->libro, "Proyecto");
    worksheet_set_column(datos, 0, 0, 34, nullptr);
    worksheet_set_column(datos, 1, 1, 60, nullptr);
    for (std::size_t r = 0; r < renglones.size(); ++r) {
        const auto fila = static_cast<lxw_row_t>(r);
        worksheet_write_string(datos, fila, 0, renglones[r].etiqueta.c_str(), libro_->negrita);
        const Celda& valor = renglones[r].valor;
        if (valor.numero) {
            worksheet_write_number(datos, fila, 1, *valor.numero, Formato(valor.formato, false));
        } else {
            worksheet_write_string(datos, fila, 1, valor.texto.c_str(), nullptr);
        }
    }

    lxw_worksheet* hojaNotas = workbook_add_worksheet(libro_->libro, "Notas");
    worksheet_write_string(hojaNotas, 0, 0, "Método y supuestos", libro_->negrita);
    worksheet_set_column(hojaNotas, 0, 0, 120, nullptr);
    lxw_row_t fila = 2;
    for (const std::string& nota : notas) {
        worksheet_write_string(hojaNotas, fila++, 0, nota.c_str(), nullptr);
    }
    const lxw_error error = workbook_close(libro_->libro);
    libro_->libro = nullptr;
    if (error != LXW_NO_ERROR) {
        return std::string(lxw_strerror(error));
    }
    return std::nullopt;
}

} // namespace schedule
