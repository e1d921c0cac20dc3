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

    // Every column that is not an input: a header field, or another one kept as it is.
    std::vector<std::optional<std::size_t>> deEncabezado(celdas.size());
    std::vector<std::size_t> otras;
    Cuadro cuadro;
    cuadro.delimitador = lector.delimitador();
    for (const std::size_t i : e.sinUso) {
        deEncabezado[i] = PosicionDeEncabezado(celdas[i]);
        if (!deEncabezado[i]) {
            otras.push_back(i);
            cuadro.otras.push_back(celdas[i]);
        }
    }
    // The decimal mark is the whole file's: every row is read before any is kept.
    std::vector<std::vector<std::string>> filas;
    DecisionMarca decision;
    while (lector.Siguiente(celdas)) {
        if (!FilaVacia(celdas)) {
            ContarMarcas(celdas, e, decision);
            filas.push_back(std::move(celdas));
        }
    }
    if (lector.error()) {
        return *lector.error();
    }
    const MarcaDecimal marca = decision.Decidir(MarcaPorDelimitador(cuadro.delimitador));
    cuadro.marca = marca.marca;
    std::array<std::string*, ColumnasDeEncabezado.size()> campos{&cuadro.proyecto, &cuadro.elaboro,
                                                                 &cuadro.fecha};
    for (const std::vector<std::string>& f : filas) {
        const auto celda = [&](std::size_t i) { return i < f.size() ? f[i] : ""; };
        Cuadro::Fila fila;
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            if (e.posicion[c]) {
                PonerCelda(fila, static_cast<Columna>(c), celda(*e.posicion[c]), marca);
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
    return cuadro;
}

void PonerCelda(Cuadro::Fila& fila, Columna columna, std::string_view texto, MarcaDecimal marca) {
    const auto c = static_cast<std::size_t>(columna);
    fila.entradas[c] = texto;
    fila.errores[c].clear();
    if (!Columnas[c].numerica || SinBlancos(texto).empty()) {
        return;
    }
    auto leido = LeerNumeroDe(columna, texto, marca);
    if (auto* numero = std::get_if<Numero>(&leido)) {
        fila.entradas[c] = std::move(numero->texto);
    } else {
        fila.errores[c] = std::get<ErrorCelda>(leido).mensaje;
    }
}

FilaLeida LeerFilaDelCuadro(const Cuadro::Fila& fila) {
    static const Encabezado canonico = EncabezadoCanonico();
    const std::vector<std::string> celdas(fila.entradas.begin(), fila.entradas.end());
    FilaLeida leida = LeerFila(celdas, canonico, {});
    std::vector<ErrorCelda> guardados;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (!fila.errores[c].empty()) {
            guardados.push_back({static_cast<Columna>(c), fila.errores[c]});
        }
    }
    if (guardados.empty()) {
        return leida;
    }
    // A refused cell's text may read under "." decimals: its own reason stands instead.
    if (auto* errores = std::get_if<std::vector<ErrorCelda>>(&leida)) {
        for (const ErrorCelda& e : *errores) {
            if (!e.columna || fila.errores[static_cast<std::size_t>(*e.columna)].empty()) {
                guardados.push_back(e);
            }
        }
    }
    std::stable_sort(guardados.begin(), guardados.end(), [](const auto& a, const auto& b) {
        return a.columna.value_or(Columna::Calibre) < b.columna.value_or(Columna::Calibre);
    });
    return guardados;
}

void EscribirCuadro(const Cuadro& cuadro, std::ostream& salida) {
    EscritorCsv csv(salida, cuadro.delimitador);
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
    const bool mostrarMarca = cuadro.marca != MarcaPorDelimitador(cuadro.delimitador);
    for (const Cuadro::Fila& fila : cuadro.filas) {
        celdas.clear();
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            const std::string& t = fila.entradas[c];
            const bool numero = Columnas[c].numerica && fila.errores[c].empty();
            celdas.push_back(texto(numero ? ConMarca(t, cuadro.marca, mostrarMarca) : t));
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
