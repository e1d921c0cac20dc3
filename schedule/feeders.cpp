#include "schedule/feeders.h"

#include "schedule/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace schedule {
namespace {

std::string_view SinBlancos(std::string_view texto) {
    const auto inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string_view::npos) {
        return {};
    }
    return texto.substr(inicio, texto.find_last_not_of(" \t") - inicio + 1);
}

std::string Comillas(std::string_view texto) {
    return "«" + std::string(texto) + "»";
}

// The choices a column takes, each under the names a schedule may give it.
template <typename T> struct Opcion {
    std::string_view nombre;
    T valor;
};
constexpr Opcion<engine::Sistema> Sistemas[] = {
    {"trifasico", engine::Sistema::Trifasico},
    {"3", engine::Sistema::Trifasico},
    {"monofasico", engine::Sistema::Monofasico},
    {"1", engine::Sistema::Monofasico},
};
constexpr Opcion<engine::Material> Materiales[] = {
    {"cobre", engine::Material::Cobre},
    {"cu", engine::Material::Cobre},
    {"aluminio", engine::Material::Aluminio},
    {"al", engine::Material::Aluminio},
};

template <typename T, std::size_t N>
std::optional<T> Elegir(const Opcion<T> (&opciones)[N], std::string_view texto) {
    const std::string normal = Normalizar(texto);
    for (const auto& o : opciones) {
        if (normal == o.nombre) {
            return o.valor;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> ElegirDucto(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    for (std::size_t i = 0; i < engine::Ductos.size(); ++i) {
        if (normal == Normalizar(engine::Ductos[i].nombre)) {
            return i;
        }
    }
    return std::nullopt;
}

// A size by its caption; "automático" or an empty cell asks for one to be chosen.
std::variant<std::optional<std::size_t>, std::monostate> ElegirCalibre(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    if (normal.empty() || normal == "automatico") {
        return std::optional<std::size_t>();
    }
    const std::size_t i = engine::IndiceCalibre(normal);
    if (i < engine::Calibres.size()) {
        return std::optional<std::size_t>(i);
    }
    return std::monostate();
}

// The captions of a size and its cross-section, 3 significant digits.
std::string_view FormatoMm2(double mm2) {
    return mm2 < 10 ? "0.00" : mm2 < 100 ? "0.0" : "0";
}

Celda Numero(double valor, std::string_view formato, const engine::Separadores& sep) {
    return {engine::FormatearConPatron(valor, formato, sep), valor, formato};
}

Celda Texto(std::string texto) {
    return {std::move(texto), std::nullopt, {}};
}

Celda NombreCalibre(const std::optional<std::size_t>& calibre) {
    return Texto(calibre ? std::string(engine::Calibres[*calibre].nombre) : "");
}

} // namespace

Columna ColumnaDe(engine::Dato dato) {
    switch (dato) {
    case engine::Dato::Corriente:
        return Columna::Corriente;
    case engine::Dato::Voltaje:
        return Columna::Voltaje;
    case engine::Dato::FactorPotencia:
        return Columna::Fp;
    case engine::Dato::Longitud:
        return Columna::Longitud;
    case engine::Dato::RegulacionMaxima:
        return Columna::RegulacionMax;
    case engine::Dato::Juegos:
        return Columna::Paralelo;
    case engine::Dato::TemperaturaAmbiente:
        return Columna::TemperaturaAmbiente;
    case engine::Dato::ConductoresDucto:
        return Columna::ConductoresDucto;
    case engine::Dato::Ducto:
        return Columna::Ducto;
    case engine::Dato::Calibre:
        break;
    }
    return Columna::Calibre;
}

std::variant<Encabezado, std::string> LeerEncabezado(const std::vector<std::string>& celdas) {
    Encabezado e;
    e.nombres = celdas;
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        const std::string normal = Normalizar(celdas[i]);
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            if (!e.posicion[c] && normal == Normalizar(Columnas[c].nombre)) {
                e.posicion[c] = i;
            }
        }
    }
    std::string faltan;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (Columnas[c].requerida && !e.posicion[c]) {
            faltan += (faltan.empty() ? "" : ", ") + std::string(Columnas[c].nombre);
        }
    }
    if (!faltan.empty()) {
        return "faltan columnas obligatorias en el encabezado: " + faltan;
    }
    return e;
}

std::optional<double> NumeroEstricto(std::string_view texto, bool comaDecimal) {
    const std::string_view t = SinBlancos(texto);
    std::string numero;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        numero += t[i++];
    }
    bool cifras = false;
    bool separador = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            numero += c;
            cifras = true;
        } else if ((c == '.' || (c == ',' && comaDecimal)) && !separador) {
            numero += '.';
            separador = true;
        } else {
            return std::nullopt;
        }
    }
    if (!cifras) {
        return std::nullopt;
    }
    const char* inicio = numero.data() + (numero[0] == '+' ? 1 : 0);
    double valor = 0;
    const auto [fin, error] = std::from_chars(inicio, numero.data() + numero.size(), valor);
    if (error != std::errc() || fin != numero.data() + numero.size() || !std::isfinite(valor)) {
        return std::nullopt;
    }
    return valor;
}

std::string ConPuntoDecimal(const std::string& texto, bool comaDecimal) {
    if (!comaDecimal || !NumeroEstricto(texto, true)) {
        return texto;
    }
    std::string numero = texto;
    std::replace(numero.begin(), numero.end(), ',', '.');
    return numero;
}

std::string ConSeparadorDecimal(const std::string& texto, std::string_view decimal) {
    const std::size_t punto = texto.find('.');
    if (punto == std::string::npos || !NumeroEstricto(texto, false)) {
        return texto;
    }
    std::string numero = texto;
    numero.replace(punto, 1, decimal);
    return numero;
}

FilaLeida LeerFila(const std::vector<std::string>& celdas, const Encabezado& encabezado,
                   bool comaDecimal) {
    std::vector<ErrorCelda> errores;
    const auto celda = [&](Columna c) -> std::string_view {
        const auto& posicion = encabezado.posicion[static_cast<std::size_t>(c)];
        return posicion && *posicion < celdas.size() ? std::string_view(celdas[*posicion])
                                                     : std::string_view();
    };
    const auto nombre = [](Columna c) { return Comillas(Descripcion(c).nombre); };
    // A number cell: a default where an optional cell is empty, an error otherwise.
    const auto numero = [&](Columna c, double& destino) {
        const std::string_view texto = celda(c);
        if (SinBlancos(texto).empty()) {
            if (Descripcion(c).requerida) {
                errores.push_back({c, "La columna " + nombre(c) + " está vacía."});
            }
            return;
        }
        if (const auto valor = NumeroEstricto(texto, comaDecimal)) {
            destino = *valor;
        } else {
            errores.push_back(
                {c, "La columna " + nombre(c) + " no tiene un número: " + Comillas(texto) + "."});
        }
    };
    const auto eleccion = [&](Columna c, auto valor, auto& destino) {
        if (valor) {
            destino = *valor;
        } else {
            errores.push_back({c, "La columna " + nombre(c) +
                                      " no tiene un valor válido: " + Comillas(celda(c)) + "."});
        }
    };

    engine::Alimentador a;
    eleccion(Columna::Sistema, Elegir(Sistemas, celda(Columna::Sistema)), a.sistema);
    eleccion(Columna::Conductor, Elegir(Materiales, celda(Columna::Conductor)), a.material);
    eleccion(Columna::Ducto, ElegirDucto(celda(Columna::Ducto)), a.ducto);
    numero(Columna::Corriente, a.corriente);
    numero(Columna::Voltaje, a.voltaje);
    numero(Columna::Fp, a.factorPotencia);
    numero(Columna::Longitud, a.longitud);
    numero(Columna::RegulacionMax, a.regulacionMaxima);
    numero(Columna::Paralelo, a.juegos);
    numero(Columna::TemperaturaAmbiente, a.temperaturaAmbiente);
    numero(Columna::ConductoresDucto, a.conductoresDucto);
    const auto calibre = ElegirCalibre(celda(Columna::Calibre));
    if (const auto* elegido = std::get_if<std::optional<std::size_t>>(&calibre)) {
        a.calibre = *elegido;
    } else {
        errores.push_back({Columna::Calibre, "La columna «calibre» no tiene un calibre de la "
                                             "tabla: " +
                                                 Comillas(celda(Columna::Calibre)) + "."});
    }
    for (std::size_t i = encabezado.nombres.size(); i < celdas.size(); ++i) {
        if (!SinBlancos(celdas[i]).empty()) {
            errores.push_back(
                {std::nullopt, "La fila tiene una celda fuera de las columnas del encabezado: " +
                                   Comillas(celdas[i]) + "."});
        }
    }
    if (!errores.empty()) {
        return errores;
    }
    return a;
}

std::vector<Celda> CeldasDeSalida(const std::vector<std::string>& celdas,
                                  const Encabezado& encabezado, bool comaDecimal,
                                  const FilaLeida& fila,
                                  const std::optional<engine::Dimensionado>& dimensionado,
                                  const engine::Separadores& sep) {
    std::vector<Celda> salida;
    salida.reserve(encabezado.nombres.size() + ColumnasResultado.size());
    for (std::size_t i = 0; i < encabezado.nombres.size(); ++i) {
        salida.push_back(Texto(i < celdas.size() ? celdas[i] : ""));
    }
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (Columnas[c].numerica && encabezado.posicion[c]) {
            Celda& celda = salida[*encabezado.posicion[c]];
            celda.numero = NumeroEstricto(celda.texto, comaDecimal);
        }
    }
    std::vector<std::string> mensajes;
    if (const auto* errores = std::get_if<std::vector<ErrorCelda>>(&fila)) {
        for (const ErrorCelda& e : *errores) {
            mensajes.push_back(e.mensaje);
        }
    }
    if (dimensionado) {
        const engine::Dimensionado& d = *dimensionado;
        mensajes = d.observaciones;
        salida.push_back(NombreCalibre(d.porCaida));
        salida.push_back(NombreCalibre(d.porAmpacidad));
        salida.push_back(NombreCalibre(d.elegido));
        if (d.elegido) {
            const double mm2 = engine::Calibres[*d.elegido].mm2;
            salida.push_back(Numero(mm2, FormatoMm2(mm2), sep));
        } else {
            salida.push_back(Texto(""));
        }
        salida.push_back(Texto(d.rige      ? std::string(engine::TextoRige(*d.rige))
                               : d.elegido ? "calibre dado"
                                           : ""));
        if (d.valores) {
            salida.push_back(Numero(d.valores->caida, "0.000", sep));
            salida.push_back(Numero(d.valores->regulacion, "0.00", sep));
            salida.push_back(Numero(d.valores->voltajeFinal, "0.00", sep));
            // The usable current is told in whole amperes, rounded half away from zero.
            salida.push_back(Numero(std::round(d.valores->ampacidad), "0", sep));
        }
    }
    salida.resize(encabezado.nombres.size() + ColumnasResultado.size() - 1, Texto(""));
    std::string juntos;
    for (const std::string& m : mensajes) {
        juntos += (juntos.empty() ? "" : "; ") + m;
    }
    salida.push_back(Texto(juntos));
    return salida;
}

} // namespace schedule
