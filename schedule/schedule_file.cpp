#include "schedule/schedule_file.h"

#include "schedule/csv_reader.h"
#include "schedule/text.h"
#include "schedule/writers.h"

#include <algorithm>
#include <memory>

namespace schedule {
namespace {

std::optional<std::size_t> PosicionDeEncabezado(std::string_view nombre) {
    const std::string normal = Normalizar(nombre);
    for (std::size_t i = 0; i < ColumnasDeEncabezado.size(); ++i) {
        if (normal == Normalizar(ColumnasDeEncabezado[i])) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

Encabezado EncabezadoCanonico() {
    Encabezado e;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        e.nombres.emplace_back(Columnas[c].nombre);
        e.posicion[c] = c;
    }
    return e;
}

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
    const bool coma = lector.delimitador() != ',';

    // Every column that is not an input: a header field, or another one kept as it is.
    std::vector<std::optional<std::size_t>> deEncabezado(celdas.size());
    std::vector<std::size_t> otras;
    Cuadro cuadro;
    cuadro.delimitador = lector.delimitador();
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        const bool entrada = std::find(e.posicion.begin(), e.posicion.end(), i) != e.posicion.end();
        if (entrada) {
            continue;
        }
        deEncabezado[i] = PosicionDeEncabezado(celdas[i]);
        if (!deEncabezado[i]) {
            otras.push_back(i);
            cuadro.otras.push_back(celdas[i]);
        }
    }
    std::array<std::string*, ColumnasDeEncabezado.size()> campos{&cuadro.proyecto, &cuadro.elaboro,
                                                                 &cuadro.fecha};
    while (lector.Siguiente(celdas)) {
        const auto celda = [&](std::size_t i) { return i < celdas.size() ? celdas[i] : ""; };
        Cuadro::Fila fila;
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            if (e.posicion[c]) {
                const std::string texto = celda(*e.posicion[c]);
                fila.entradas[c] = Columnas[c].numerica ? ConPuntoDecimal(texto, coma) : texto;
            }
        }
        for (const std::size_t i : otras) {
            fila.otras.push_back(celda(i));
        }
        for (std::size_t i = 0; i < deEncabezado.size(); ++i) {
            if (deEncabezado[i] && campos[*deEncabezado[i]]->empty()) {
                *campos[*deEncabezado[i]] = celda(i);
            }
        }
        cuadro.filas.push_back(std::move(fila));
    }
    if (lector.error()) {
        return *lector.error();
    }
    return cuadro;
}

void EscribirCuadro(const Cuadro& cuadro, std::ostream& salida) {
    EscritorCsv csv(salida, cuadro.delimitador);
    const bool coma = cuadro.delimitador != ',';
    const auto texto = [](std::string t) { return Celda{std::move(t), std::nullopt, {}}; };
    std::vector<Celda> celdas;
    for (const DescripcionColumna& c : Columnas) {
        celdas.push_back(texto(std::string(c.nombre)));
    }
    for (std::string_view nombre : ColumnasDeEncabezado) {
        celdas.push_back(texto(std::string(nombre)));
    }
    for (const std::string& nombre : cuadro.otras) {
        celdas.push_back(texto(nombre));
    }
    csv.Fila(celdas);
    for (const Cuadro::Fila& fila : cuadro.filas) {
        celdas.clear();
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            const std::string& t = fila.entradas[c];
            celdas.push_back(texto(Columnas[c].numerica && coma ? ConSeparadorDecimal(t, ",") : t));
        }
        for (const std::string* campo : {&cuadro.proyecto, &cuadro.elaboro, &cuadro.fecha}) {
            celdas.push_back(texto(*campo));
        }
        for (const std::string& otra : fila.otras) {
            celdas.push_back(texto(otra));
        }
        csv.Fila(celdas);
    }
}

} // namespace schedule
