#include "schedule/writers.h"

#include <csv.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <map>

namespace schedule {

EscritorCsv::EscritorCsv(std::ostream& salida, char delimitador)
    : salida_(salida), delimitador_(delimitador) {
    salida_ << "\xEF\xBB\xBF";
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
        AgregarCelda(linea_, celdas[i].texto, delimitador_);
    }
    linea_ += "\r\n";
    salida_ << linea_;
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
    std::map<std::string_view, lxw_format*> formatos;
    lxw_row_t fila = 0;
};

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

EscritorXlsx::~EscritorXlsx() {
    if (libro_ && libro_->libro != nullptr) {
        workbook_close(libro_->libro);
    }
}

void EscritorXlsx::Encabezado(const std::vector<std::string>& nombres) {
    worksheet_freeze_panes(libro_->hoja, 1, 0);
    for (std::size_t c = 0; c < nombres.size(); ++c) {
        worksheet_write_string(libro_->hoja, 0, static_cast<lxw_col_t>(c), nombres[c].c_str(),
                               libro_->negrita);
    }
    libro_->fila = 1;
}

void EscritorXlsx::Fila(const std::vector<Celda>& celdas) {
    for (std::size_t c = 0; c < celdas.size(); ++c) {
        const Celda& celda = celdas[c];
        const auto columna = static_cast<lxw_col_t>(c);
        if (celda.numero) {
            lxw_format*& formato = libro_->formatos[celda.formato];
            if (formato == nullptr && !celda.formato.empty()) {
                formato = workbook_add_format(libro_->libro);
                format_set_num_format(formato, std::string(celda.formato).c_str());
            }
            worksheet_write_number(libro_->hoja, libro_->fila, columna, *celda.numero, formato);
        } else if (!celda.texto.empty()) {
            worksheet_write_string(libro_->hoja, libro_->fila, columna, celda.texto.c_str(),
                                   nullptr);
        }
    }
    ++libro_->fila;
}

std::optional<std::string> EscritorXlsx::Terminar(const std::vector<std::string>& notas) {
    lxw_worksheet* hoja = workbook_add_worksheet(libro_->libro, "Notas");
    worksheet_write_string(hoja, 0, 0, "Método y supuestos", libro_->negrita);
    worksheet_set_column(hoja, 0, 0, 120, nullptr);
    lxw_row_t fila = 2;
    for (const std::string& nota : notas) {
        worksheet_write_string(hoja, fila++, 0, nota.c_str(), nullptr);
    }
    const lxw_error error = workbook_close(libro_->libro);
    libro_->libro = nullptr;
    if (error != LXW_NO_ERROR) {
        return std::string(lxw_strerror(error));
    }
    return std::nullopt;
}

} // namespace schedule
