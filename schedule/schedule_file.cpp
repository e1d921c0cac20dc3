#include "schedule/schedule_file.h"

#include "engine/numeric_text.h"
#include "schedule/csv_reader.h"
#include "schedule/text.h"
#include "schedule/writers.h"

#include <algorithm>
#include <charconv>
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

using Tipo = Cuadro::ColumnaArchivo::Tipo;

// The inputs by their names, then the other columns.
std::vector<Cuadro::ColumnaArchivo> DisposicionCanonica(const Cuadro& cuadro) {
    std::vector<Cuadro::ColumnaArchivo> columnas;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        columnas.push_back({Tipo::Entrada, c, std::string(Columnas[c].nombre)});
    }
    for (std::size_t i = 0; i < cuadro.otras.size(); ++i) {
        columnas.push_back({Tipo::Otra, i, cuadro.otras[i]});
    }
    return columnas;
}

} // namespace

std::vector<Cuadro::ColumnaArchivo> Disposicion(const Cuadro& cuadro) {
    if (cuadro.columnas.empty()) {
        return DisposicionCanonica(cuadro);
    }
    std::vector<Cuadro::ColumnaArchivo> columnas = cuadro.columnas;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        const bool esta = std::any_of(columnas.begin(), columnas.end(), [c](const auto& col) {
            return col.tipo == Tipo::Entrada && col.indice == c;
        });
        const bool llena = std::any_of(cuadro.filas.begin(), cuadro.filas.end(),
                                       [c](const auto& f) { return !f.entradas[c].empty(); });
        if (!esta && llena) {
            columnas.push_back({Tipo::Entrada, c, std::string(Columnas[c].nombre)});
        }
    }
    return columnas;
}

std::vector<std::string> CeldasDelArchivo(const Cuadro& cuadro,
                                          const std::vector<Cuadro::ColumnaArchivo>& columnas,
                                          const Cuadro::Fila& fila) {
    const Marca marca = cuadro.formato.marca.marca;
    const bool mostrarMarca = marca != MarcaPorDelimitador(cuadro.formato.delimitador);
    std::vector<std::string> celdas;
    celdas.reserve(columnas.size());
    for (const Cuadro::ColumnaArchivo& col : columnas) {
        switch (col.tipo) {
        case Tipo::Entrada: {
            const std::string& t = fila.entradas[col.indice];
            const bool numero = Columnas[col.indice].numerica() && fila.errores[col.indice].empty();
            celdas.push_back(numero ? ConMarca(t, marca, mostrarMarca) : t);
            break;
        }
        case Tipo::Campo:
            celdas.push_back(cuadro.proyecto.*CamposDeEncabezado[col.indice]);
            break;
        case Tipo::Resultado:
            celdas.emplace_back();
            break;
        case Tipo::Otra:
            celdas.push_back(fila.otras[col.indice]);
            break;
        }
    }
    return celdas;
}

double RegulacionTotalDe(const DatosProyecto& proyecto) {
    const auto leido = LeerNumero(proyecto.regulacionTotal, MarcaDecimal{Marca::Punto, false});
    double valor = RegulacionTotalPorOmision;
    if (const auto* n = std::get_if<Numero>(&leido)) {
        std::from_chars(n->texto.data(), n->texto.data() + n->texto.size(), valor);
    }
    return valor > 0 ? valor : RegulacionTotalPorOmision;
}

std::vector<std::string_view> CamposQueUnCsvPierde(const Cuadro& cuadro) {
    const auto guardado = [&](const CampoProyecto& campo) {
        return std::any_of(cuadro.columnas.begin(), cuadro.columnas.end(), [&](const auto& col) {
            return col.tipo == Cuadro::ColumnaArchivo::Tipo::Campo &&
                   CamposDeEncabezado[col.indice] == campo.campo;
        });
    };
    std::vector<std::string_view> perdidos;
    bool masQueLaFecha = false;
    for (const CampoProyecto& campo : CamposProyecto) {
        if (!(cuadro.proyecto.*campo.campo).empty() && !guardado(campo)) {
            perdidos.push_back(campo.etiqueta);
            masQueLaFecha = masQueLaFecha || campo.campo != &DatosProyecto::fecha;
        }
    }
    return masQueLaFecha ? perdidos : std::vector<std::string_view>{};
}

engine::Norma NormaDe(const DatosProyecto& proyecto) {
    return engine::NormaDe(proyecto.norma).value_or(engine::NormaPorOmision);
}

void AgregarAvisos(const Cuadro::Fila& fila, engine::Dimensionado& dimensionado) {
    dimensionado.observaciones.insert(dimensionado.observaciones.begin(), fila.avisos.begin(),
                                      fila.avisos.end());
}

FilaDimensionada DimensionarFila(const Cuadro::Fila& fila, const engine::TablasConductores& tablas,
                                 const std::optional<std::string>& errorTablas,
                                 const engine::Separadores& sep, engine::Norma norma) {
    FilaDimensionada r;
    r.leida = LeerFilaDelCuadro(fila);
    if (const auto* errores = std::get_if<std::vector<ErrorCelda>>(&r.leida)) {
        r.errores = *errores;
        return r;
    }
    if (errorTablas) {
        r.errores.push_back({std::nullopt, *errorTablas});
        r.leida = r.errores;
        return r;
    }
    r.dimensionado =
        engine::Dimensionar(std::get<engine::Alimentador>(r.leida), tablas, sep, norma);
    AgregarAvisos(fila, *r.dimensionado);
    if (r.dimensionado->invalido) {
        r.errores.push_back(
            {ColumnaDe(*r.dimensionado->invalido), r.dimensionado->observaciones.back()});
    }
    return r;
}

std::optional<std::vector<FilaDimensionada>>
DimensionarCuadro(const Cuadro& cuadro, const engine::TablasConductores& tablas,
                  const std::optional<std::string>& errorTablas, const engine::Separadores& sep,
                  const std::function<bool(std::size_t)>& avance) {
    const engine::Norma norma = NormaDe(cuadro.proyecto);
    std::vector<FilaDimensionada> dimensionadas;
    dimensionadas.reserve(cuadro.filas.size());
    for (const Cuadro::Fila& fila : cuadro.filas) {
        dimensionadas.push_back(DimensionarFila(fila, tablas, errorTablas, sep, norma));
        if (avance && !avance(dimensionadas.size())) {
            return std::nullopt;
        }
    }
    return dimensionadas;
}

std::vector<EnArbol> ArbolDelCuadro(const Cuadro& cuadro,
                                    const std::vector<FilaDimensionada>& dimensionadas,
                                    const engine::Separadores& sep, bool detalle) {
    return ArbolDelCuadro(
        cuadro, [&](std::size_t i) -> const FilaDimensionada& { return dimensionadas[i]; }, sep,
        detalle);
}

namespace {

std::vector<Nodo>
NodosDelCuadro(const Cuadro& cuadro,
               const std::function<const FilaDimensionada&(std::size_t)>& dimensionada,
               bool completo) {
    std::vector<Nodo> nodos;
    nodos.reserve(cuadro.filas.size());
    for (std::size_t i = 0; i < cuadro.filas.size(); ++i) {
        const auto& e = cuadro.filas[i].entradas;
        const FilaDimensionada& d = dimensionada(i);
        nodos.push_back(NodoDeFila(e[static_cast<std::size_t>(Columna::Circuito)],
                                   e[static_cast<std::size_t>(Columna::AlimentadoDesde)],
                                   e[static_cast<std::size_t>(Columna::Transformador)], d.leida,
                                   d.dimensionado, completo));
    }
    return nodos;
}

} // namespace

engine::Racional
MotoresDelCuadro(const Cuadro& cuadro, const Fuente& fuente,
                 const std::function<const FilaDimensionada&(std::size_t)>& dimensionada) {
    return MotoresDeLasFilas(NodosDelCuadro(cuadro, dimensionada, false), fuente);
}

std::variant<std::monostate, Fuente, std::string>
FuenteDelCuadro(const Cuadro& cuadro, const std::vector<FilaDimensionada>& dimensionadas) {
    auto fuente = FuenteDe(cuadro.proyecto);
    if (auto* f = std::get_if<Fuente>(&fuente)) {
        f->motoresDeFilas = MotoresDelCuadro(
            cuadro, *f, [&](std::size_t i) -> const FilaDimensionada& { return dimensionadas[i]; });
    }
    return fuente;
}

std::vector<EnArbol>
ArbolDelCuadro(const Cuadro& cuadro,
               const std::function<const FilaDimensionada&(std::size_t)>& dimensionada,
               const engine::Separadores& sep, bool detalle) {
    ParaCorto corto = ParaCortoDe(cuadro.proyecto, sep);
    corto.detalle = detalle;
    const std::vector<Nodo> nodos = NodosDelCuadro(cuadro, dimensionada, corto.fuente.has_value());
    if (corto.fuente) {
        corto.fuente->motoresDeFilas = MotoresDeLasFilas(nodos, *corto.fuente);
    }
    return Arbol(nodos, RegulacionTotalDe(cuadro.proyecto), sep, corto);
}

Cuadro CuadroDelEncabezado(const Encabezado& e) {
    Cuadro cuadro;
    for (std::size_t i = 0; i < e.nombres.size(); ++i) {
        const auto entrada = std::find(e.posicion.begin(), e.posicion.end(), i);
        if (entrada != e.posicion.end()) {
            const auto c = static_cast<std::size_t>(entrada - e.posicion.begin());
            cuadro.columnas.push_back({Tipo::Entrada, c, e.nombres[i]});
        } else if (e.EsResultado(i)) {
            cuadro.columnas.push_back({Tipo::Resultado, 0, e.nombres[i]});
        } else if (const auto campo = PosicionDeEncabezado(e.nombres[i])) {
            cuadro.columnas.push_back({Tipo::Campo, *campo, e.nombres[i]});
        } else {
            cuadro.columnas.push_back({Tipo::Otra, cuadro.otras.size(), e.nombres[i]});
            cuadro.otras.push_back(e.nombres[i]);
        }
    }
    return cuadro;
}

Cuadro::Fila FilaDelArchivo(Cuadro& cuadro, const std::vector<std::string>& celdas,
                            MarcaDecimal marca) {
    Cuadro::Fila fila;
    fila.otras.resize(cuadro.otras.size());
    for (std::size_t i = 0; i < cuadro.columnas.size(); ++i) {
        const Cuadro::ColumnaArchivo& col = cuadro.columnas[i];
        const std::string celda = i < celdas.size() ? celdas[i] : "";
        switch (col.tipo) {
        case Tipo::Entrada:
            PonerCelda(fila, static_cast<Columna>(col.indice), celda, marca);
            break;
        case Tipo::Campo:
            if (std::string& campo = cuadro.proyecto.*CamposDeEncabezado[col.indice];
                campo.empty()) {
                campo = celda;
            }
            break;
        case Tipo::Resultado: // sized anew
            break;
        case Tipo::Otra:
            fila.otras[col.indice] = celda;
            break;
        }
    }
    return fila;
}

Encabezado EncabezadoCanonico() {
    Encabezado e;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        e.nombres.emplace_back(Columnas[c].nombre);
        e.posicion[c] = c;
    }
    return e;
}

Cuadro::Fila FilaNueva(const Cuadro& cuadro) {
    const engine::ValoresPorOmision& o = engine::PorOmision;
    Cuadro::Fila f;
    const auto poner = [&f](Columna c, std::string_view texto) {
        f.entradas[static_cast<std::size_t>(c)] = texto;
    };
    const auto numero = [&](Columna c, double valor) {
        poner(c, engine::TextoQuinceCifras(valor));
    };
    poner(Columna::Circuito, "C-" + std::to_string(cuadro.filas.size() + 1));
    poner(Columna::Sistema, engine::Sistemas[0].nombre);
    poner(Columna::Conductor, engine::Materiales[0].nombre);
    poner(Columna::Ducto, engine::Ductos[0].nombre);
    poner(Columna::Corriente, o.corriente);
    poner(Columna::Voltaje, o.voltaje);
    poner(Columna::Fp, o.factorPotencia);
    poner(Columna::Longitud, o.longitud);
    numero(Columna::RegulacionMax, o.regulacionMaxima);
    numero(Columna::Paralelo, o.juegos);
    numero(Columna::TemperaturaAmbiente, o.temperaturaAmbiente);
    poner(Columna::Calibre, o.calibre);
    // The load's share and the rest stay empty, for their defaults: a file that lacks
    // their columns does not gain them.
    f.otras.resize(cuadro.otras.size());
    return f;
}

void PonerCelda(Cuadro::Fila& fila, Columna columna, std::string_view texto, MarcaDecimal marca) {
    const auto c = static_cast<std::size_t>(columna);
    fila.entradas[c] = texto;
    fila.errores[c].clear();
    if (!Columnas[c].numerica() || SinBlancos(texto).empty()) {
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

} // namespace schedule
