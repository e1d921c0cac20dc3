#include "schedule/csv_file.h"

#include "schedule/csv_reader.h"
#include "schedule/text.h"
#include "schedule/writers.h"

#include <algorithm>
#include <memory>

namespace schedule {
namespace {

using Tipo = Cuadro::ColumnaArchivo::Tipo;

// Whether the file's text of a cell still reads as the schedule keeps it: then it is
// written back as it was.
bool SinCambio(const Cuadro& cuadro, const Cuadro::ColumnaArchivo& col, const Cuadro::Fila& fila,
               const std::string& original) {
    switch (col.tipo) {
    case Tipo::Entrada: {
        Cuadro::Fila leida;
        PonerCelda(leida, static_cast<Columna>(col.indice), original, cuadro.formato.marca);
        return leida.entradas[col.indice] == fila.entradas[col.indice] &&
               leida.errores[col.indice] == fila.errores[col.indice];
    }
    case Tipo::Campo: {
        const auto campo = CamposDeEncabezado[col.indice];
        return cuadro.proyecto.*campo == cuadro.formato.leidos.*campo;
    }
    case Tipo::Resultado: // told by the row, below
    case Tipo::Otra:
        return col.tipo == Tipo::Otra && original == fila.otras[col.indice];
    }
    return false;
}

// A row's cells to write: those that did not change as the file wrote them.
std::vector<std::string> CeldasParaEscribir(const Cuadro& cuadro,
                                            const std::vector<Cuadro::ColumnaArchivo>& columnas,
                                            const Cuadro::Fila& fila) {
    std::vector<std::string> celdas = CeldasDelArchivo(cuadro, columnas, fila);
    // A workbook's formula without its value, written after an apostrophe so that the
    // spreadsheet that opens the CSV shows it and does not run it.
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        const Cuadro::ColumnaArchivo& col = columnas[i];
        if (col.tipo == Tipo::Otra && std::find(fila.formulas.begin(), fila.formulas.end(),
                                                col.indice) != fila.formulas.end()) {
            celdas[i] = "'" + celdas[i];
        }
    }
    const std::vector<std::string>& original = fila.original;
    if (original.empty()) {
        return celdas;
    }
    // The results of an earlier sizing stay while the row's inputs stand as the file wrote
    // them; once one changes they would no longer be the row's, and are left empty.
    bool entradasSinCambio = true;
    for (std::size_t i = 0; i < celdas.size() && i < original.size(); ++i) {
        const bool igual = SinCambio(cuadro, columnas[i], fila, original[i]);
        if (igual) {
            celdas[i] = original[i];
        }
        entradasSinCambio = entradasSinCambio && (igual || columnas[i].tipo != Tipo::Entrada);
    }
    for (std::size_t i = 0; i < celdas.size() && i < original.size(); ++i) {
        if (columnas[i].tipo == Tipo::Resultado && entradasSinCambio) {
            celdas[i] = original[i];
        }
    }
    // A row the file wrote short stays short where nothing was added; one it wrote long
    // keeps its cells beyond the header.
    while (celdas.size() > original.size() && celdas.back().empty()) {
        celdas.pop_back();
    }
    for (std::size_t i = celdas.size(); i < original.size(); ++i) {
        celdas.push_back(original[i]);
    }
    return celdas;
}

} // namespace

std::variant<Cuadro, std::string> LeerCuadro(std::istream& entrada) {
    auto apertura = LectorCsv::Abrir(entrada);
    if (const auto* mensaje = std::get_if<std::string>(&apertura)) {
        return *mensaje;
    }
    LectorCsv& lector = *std::get<std::unique_ptr<LectorCsv>>(apertura);
    std::vector<std::string> celdas;
    if (!lector.Siguiente(celdas)) {
        return lector.error().value_or("está vacío");
    }
    auto leido = LeerEncabezado(celdas);
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        return *mensaje;
    }
    const Encabezado& e = std::get<Encabezado>(leido);
    // The decimal mark is the whole file's: every row is read before any is kept.
    std::vector<std::vector<std::string>> filas;
    std::vector<std::size_t> numeros; // each row's line in the file
    DecisionMarca decision;
    while (lector.Siguiente(celdas)) {
        if (!FilaVacia(celdas)) {
            ContarMarcas(celdas, e, decision);
        }
        filas.push_back(std::move(celdas));
        numeros.push_back(static_cast<std::size_t>(lector.fila()));
    }
    if (lector.error()) {
        return *lector.error();
    }
    Cuadro cuadro = CuadroDelEncabezado(e);
    cuadro.origen = Origen::Csv;
    FormatoCsv& f = cuadro.formato;
    f.delimitador = lector.delimitador();
    f.marca = decision.Decidir(MarcaPorDelimitador(f.delimitador));
    f.windows1252 = lector.windows1252();
    f.bom = lector.bom();
    f.finDeLinea = lector.finDeLinea();
    f.saltoFinal = lector.saltoFinal();
    std::vector<std::vector<std::string>> vacias;
    for (std::size_t i = 0; i < filas.size(); ++i) {
        std::vector<std::string>& celdasFila = filas[i];
        if (FilaVacia(celdasFila)) {
            vacias.push_back(std::move(celdasFila));
            continue;
        }
        Cuadro::Fila fila = FilaDelArchivo(cuadro, celdasFila, f.marca);
        fila.numero = numeros[i];
        fila.original = std::move(celdasFila);
        fila.vaciasAntes = std::move(vacias);
        vacias.clear();
        cuadro.filas.push_back(std::move(fila));
    }
    cuadro.vaciasAlFinal = std::move(vacias);
    f.leidos = cuadro.proyecto;
    return cuadro;
}

std::optional<std::string> EscribirCuadro(const Cuadro& cuadro, std::ostream& salida) {
    const FormatoCsv& f = cuadro.formato;
    const std::vector<Cuadro::ColumnaArchivo> columnas = Disposicion(cuadro);
    std::vector<std::string> lineas;
    std::vector<std::string> titulos;
    for (const Cuadro::ColumnaArchivo& col : columnas) {
        titulos.push_back(col.titulo);
    }
    lineas.push_back(EscritorCsv::Linea(titulos, f.delimitador));
    for (const Cuadro::Fila& fila : cuadro.filas) {
        for (const std::vector<std::string>& vacia : fila.vaciasAntes) {
            lineas.push_back(EscritorCsv::Linea(vacia, f.delimitador));
        }
        lineas.push_back(
            EscritorCsv::Linea(CeldasParaEscribir(cuadro, columnas, fila), f.delimitador));
    }
    for (const std::vector<std::string>& vacia : cuadro.vaciasAlFinal) {
        lineas.push_back(EscritorCsv::Linea(vacia, f.delimitador));
    }
    std::string texto;
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        texto += lineas[i];
        if (i + 1 < lineas.size() || f.saltoFinal) {
            texto += f.finDeLinea;
        }
    }
    if (f.windows1252) {
        if (const auto bytes = HaciaWindows1252(texto)) {
            salida << *bytes;
            return std::nullopt;
        }
        salida << "\xEF\xBB\xBF" << texto;
        return std::string("El archivo estaba en Windows-1252 y tiene caracteres que esa "
                           "codificación no tiene: se guardó en UTF-8.");
    }
    salida << (f.bom ? "\xEF\xBB\xBF" : "") << texto;
    return std::nullopt;
}

} // namespace schedule
