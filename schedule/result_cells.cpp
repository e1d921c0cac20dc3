#include "schedule/result_cells.h"

#include "engine/feeder_set.h"
#include "engine/numeric_text.h"
#include "schedule/text.h"

#include <algorithm>
#include <charconv>

namespace schedule {

Celda FuenteDeCeldas::Calibre(const std::optional<std::size_t>& calibre) const {
    return {calibre ? std::string(engine::Calibres[*calibre].nombre) : "", std::nullopt, {}};
}

Celda FuenteDeCeldas::Numero(double valor, std::string_view formato) const {
    return {engine::FormatearConPatron(valor, formato, *sep), valor, formato};
}

// A workbook shows an exact number as it is.
Celda FuenteDeCeldas::Exacta(const engine::Decimal& valor) const {
    return {engine::ConSeparador(valor.Texto(), *sep), valor.Real(), {}};
}

Celda FuenteDeCeldas::Seccion(std::size_t calibre) const {
    const double mm2 = engine::Calibres[calibre].mm2;
    return Numero(mm2, mm2 < 10 ? "0.00" : mm2 < 100 ? "0.0" : "0");
}

Celda FuenteDeCeldas::Rige() const {
    return {figuras->rige      ? std::string(engine::TextoRige(*figuras->rige))
            : figuras->elegido ? "calibre dado"
                               : "",
            std::nullopt,
            {}};
}

// A computed current shows its 2 decimals; a typed one stands as typed.
Celda FuenteDeCeldas::Corriente() const {
    return ampacidad->calculada ? Numero(ampacidad->corriente.Real(), "0.00")
                                : Exacta(ampacidad->corriente);
}

Celda FuenteDeCeldas::Tubo() const {
    return {engine::NombreTubo(conjunto->tubo, conjunto->tamano), std::nullopt, {}};
}

Celda FuenteDeCeldas::Relleno() const {
    const long long decimas = conjunto->RellenoDecimas();
    return {engine::TextoDecimas(decimas, *sep), static_cast<double>(decimas) / 10, "0.0"};
}

Celda FuenteDeCeldas::Especificacion() const {
    return {engine::Especificacion(sistema, *figuras->elegido, *conjunto), std::nullopt, {}};
}

std::vector<Celda> CeldasDeEntrada(const std::vector<std::string>& celdas,
                                   const Encabezado& encabezado, MarcaDecimal marca) {
    std::vector<Celda> salida;
    salida.reserve(encabezado.nombres.size() + ColumnasResultado.size());
    for (std::size_t i = 0; i < encabezado.nombres.size(); ++i) {
        salida.push_back({i < celdas.size() ? celdas[i] : "", std::nullopt, {}});
    }
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (!Columnas[c].numerica() || !encabezado.posicion[c]) {
            continue;
        }
        Celda& celda = salida[*encabezado.posicion[c]];
        const auto leido =
            LeerNumero(Columnas[c].porciento ? SinPorciento(celda.texto) : celda.texto, marca);
        if (const auto* n = std::get_if<Numero>(&leido)) {
            double valor = 0;
            std::from_chars(n->texto.data(), n->texto.data() + n->texto.size(), valor);
            celda.numero = valor;
        }
    }
    // The results of an earlier sizing give way to the new ones.
    for (auto r = encabezado.resultados.rbegin(); r != encabezado.resultados.rend(); ++r) {
        if (*r < salida.size()) {
            salida.erase(salida.begin() + static_cast<std::ptrdiff_t>(*r));
        }
    }
    return salida;
}

std::optional<double> ValorUsado(Columna c, const FilaLeida& fila,
                                 const std::optional<engine::Dimensionado>& dimensionado) {
    const auto* a = std::get_if<engine::Alimentador>(&fila);
    const auto usado = Descripcion(c).usado;
    if (a == nullptr || usado == nullptr) {
        return std::nullopt;
    }
    return usado(*a, dimensionado ? &*dimensionado : nullptr);
}

void PonerValoresUsados(std::vector<Celda>& entradas, const Encabezado& e, const FilaLeida& fila,
                        const std::optional<engine::Dimensionado>& dimensionado,
                        const engine::Separadores& sep) {
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (!e.posicion[c]) {
            continue;
        }
        // The cells stand where the header has them, less the results of an earlier sizing.
        const std::size_t p =
            *e.posicion[c] - static_cast<std::size_t>(
                                 std::count_if(e.resultados.begin(), e.resultados.end(),
                                               [&](std::size_t r) { return r < *e.posicion[c]; }));
        if (p >= entradas.size() || !SinBlancos(entradas[p].texto).empty()) {
            continue;
        }
        if (const auto valor = ValorUsado(static_cast<Columna>(c), fila, dimensionado)) {
            entradas[p] = {engine::ConSeparador(engine::TextoQuinceCifras(*valor), sep), *valor};
            entradas[p].omision = true;
        }
    }
}

std::vector<Celda> CeldasDeResultado(const FilaLeida& fila,
                                     const std::optional<engine::Dimensionado>& dimensionado,
                                     const engine::Separadores& sep) {
    FuenteDeCeldas f;
    f.sep = &sep;
    std::vector<std::string> errores;
    if (const auto* leidos = std::get_if<std::vector<ErrorCelda>>(&fila)) {
        for (const ErrorCelda& e : *leidos) {
            errores.push_back(e.mensaje);
        }
    }
    f.mensajes = dimensionado ? &dimensionado->observaciones : &errores;
    if (const auto* a = std::get_if<engine::Alimentador>(&fila)) {
        f.sistema = a->sistema;
    }
    if (dimensionado) {
        const engine::Dimensionado& d = *dimensionado;
        // A refused input leaves no figures, even where the sizes were had before it.
        if (!d.invalido) {
            f.figuras = &d;
            f.valores = d.valores ? &*d.valores : nullptr;
            f.ampacidad = d.ampacidad ? &*d.ampacidad : nullptr;
        }
        if (d.conjunto && d.elegido) {
            f.conjunto = &*d.conjunto;
        }
    }
    std::vector<Celda> salida;
    salida.reserve(ColumnasResultado.size());
    for (const DescripcionResultado& r : ColumnasResultado) {
        salida.push_back(r.celda(f));
    }
    return salida;
}

std::vector<Celda> CeldasDeSalida(const std::vector<std::string>& celdas,
                                  const Encabezado& encabezado, MarcaDecimal marca,
                                  const FilaLeida& fila,
                                  const std::optional<engine::Dimensionado>& dimensionado,
                                  const engine::Separadores& sep) {
    std::vector<Celda> salida = CeldasDeEntrada(celdas, encabezado, marca);
    for (Celda& celda : CeldasDeResultado(fila, dimensionado, sep)) {
        salida.push_back(std::move(celda));
    }
    return salida;
}

std::string Observaciones(const std::vector<std::string>& mensajes) {
    std::string juntas;
    for (const std::string& m : mensajes) {
        if (!juntas.empty()) {
            juntas += " | ";
        }
        const std::size_t inicio = juntas.size();
        juntas += m;
        for (std::size_t i = juntas.find(" | ", inicio); i != std::string::npos;
             i = juntas.find(" | ", i)) {
            juntas[i + 1] = '/';
        }
    }
    return juntas;
}

} // namespace schedule
