#include "engine/feeder_set.h"

#include "engine/raceways.h"

#include <charconv>

namespace engine {
namespace {

constexpr bool MismosCalibres() {
    for (std::size_t i = 0; i < Calibres.size(); ++i) {
        if (AreasAislados[i].calibre != Calibres[i].nombre ||
            Secciones[i].calibre != Calibres[i].nombre) {
            return false;
        }
    }
    return true;
}
static_assert(MismosCalibres(), "the areas must follow the sizes in order");

// A size of the grounding table in thousands of circular mils: 700 for "700", none for an
// AWG gauge.
std::optional<long long> Kcmil(std::string_view nombre) {
    long long kcmil = 0;
    const auto [fin, error] = std::from_chars(nombre.data(), nombre.data() + nombre.size(), kcmil);
    if (error != std::errc() || fin != nombre.data() + nombre.size() || kcmil < 250) {
        return std::nullopt;
    }
    return kcmil;
}

std::string Nombre(std::size_t calibre) {
    return std::string(Calibres[calibre].nombre);
}

// A whole number in groups of three: "41 740".
std::string Miles(long long n) {
    const std::string cifras = std::to_string(n);
    std::string texto;
    for (std::size_t i = 0; i < cifras.size(); ++i) {
        if (i > 0 && (cifras.size() - i) % 3 == 0) {
            texto += ' ';
        }
        texto += cifras[i];
    }
    return texto;
}

class Completado {
public:
    Completado(const Alimentador& a, Dimensionado& d, const Separadores& sep, Norma norma)
        : a_(a), d_(d), sep_(sep), norma_(norma), elegido_(*d.elegido) {}

    bool Tierra() {
        const FilaTierra* fila = FilaTierraDe(d_.ampacidad->proteccion);
        const std::string tabla = Cita(Clausula::TablaTierra);
        if (!fila) {
            return Rechazar(Dato::Proteccion,
                            tabla +
                                " no da conductor de puesta a tierra "
                                "para una protección de más de " +
                                std::to_string(std::end(TablaTierras)[-1].amperes) + " A.");
        }
        const std::string_view nombre = fila->calibre[static_cast<std::size_t>(a_.material)];
        std::size_t tierra = IndiceCalibre(nombre);
        if (tierra == Calibres.size() && !SiguienteEnLista(nombre, tierra)) {
            return Rechazar(Dato::Proteccion, "El conductor de puesta a tierra de " +
                                                  std::string(nombre) + " kcmil de " + tabla +
                                                  " pasa del mayor calibre de la lista (" +
                                                  Nombre(Calibres.size() - 1) + ").");
        }
        if (nombre != Calibres[tierra].nombre) {
            d_.observaciones.push_back("El conductor de puesta a tierra de " + std::string(nombre) +
                                       " kcmil de " + tabla +
                                       " no está en la lista de calibres: "
                                       "se toma el siguiente, " +
                                       Nombre(tierra) + ".");
        }
        tablaTierra_ = tierra;
        return true;
    }

    // 250.122(B): phases larger than those the ampacity asks for raise the grounding
    // conductor in proportion to their circular mils; 250.122(A): never past the phases.
    std::size_t TierraElegida() {
        std::size_t tierra = tablaTierra_;
        const auto base = d_.porAmpacidad;
        if (base && elegido_ > *base) {
            const long long pedida = Secciones[tablaTierra_].cmil * Secciones[elegido_].cmil;
            while (tierra < elegido_ && Secciones[tierra].cmil * Secciones[*base].cmil < pedida) {
                ++tierra;
            }
            if (tierra != tablaTierra_) {
                const long long cmil = CmilProporcional(tablaTierra_, elegido_, *base);
                d_.observaciones.push_back(
                    "Puesta a tierra aumentada en proporción a las fases (" +
                    Cita(Clausula::TierraProporcional) +
                    "): " + Miles(Secciones[tablaTierra_].cmil) + " × " +
                    Miles(Secciones[elegido_].cmil) + " / " + Miles(Secciones[*base].cmil) + " = " +
                    Miles(cmil) + " cmil (" + Nombre(tablaTierra_) + " por las fases " +
                    Nombre(elegido_) + " en lugar de " + Nombre(*base) + ", áreas de " +
                    Cita(Clausula::TablaSecciones) + "): " + Nombre(tierra) + ".");
            }
        }
        return std::min(tierra, elegido_);
    }

    bool Neutro(Conjunto& c) {
        if (!ConNeutro(a_)) {
            if (a_.calibreNeutro) {
                return Rechazar(Dato::CalibreNeutro,
                                "La fila da el calibre del neutro, pero no lleva neutro.");
            }
            return true;
        }
        std::size_t minimo = std::min(tablaTierra_, elegido_);
        if (a_.juegos > 1) {
            minimo = std::max(minimo, PrimerCalibreParalelo);
        }
        c.neutro = a_.calibreNeutro.value_or(elegido_);
        if (*c.neutro < minimo || *c.neutro < TablaDe(a_.material).primerCalibre) {
            return Rechazar(Dato::CalibreNeutro,
                            "El neutro " + Nombre(*c.neutro) + " es menor que el mínimo, " +
                                Nombre(minimo) + " (" + Cita(Clausula::NeutroMinimo) +
                                (a_.juegos > 1 ? ", " + Cita(Clausula::Paralelo) : "") + ").");
        }
        return true;
    }

    bool Tubo(Conjunto& c) {
        c.tubo = a_.tubo.value_or(TuboPorOmision(a_.ducto));
        if (!TuboEnDucto(c.tubo, a_.ducto)) {
            return Rechazar(Dato::Tubo, "El tubo " + std::string(Tubos[c.tubo].nombre) +
                                            " no es de " + std::string(Ductos[a_.ducto].nombre) +
                                            ", el ducto de la fila.");
        }
        const int relleno = RellenoPermitido(c.conductoresPorTubo);
        const auto& areas = Tubos[c.tubo].area;
        if (a_.tamanoTubo) {
            c.tamano = *a_.tamanoTubo;
            c.areaTubo = areas[c.tamano];
            if (c.areaTubo == 0) {
                return Rechazar(Dato::TamanoTubo, Cita(Clausula::TablaTubos) + " no tiene " +
                                                      std::string(Tubos[c.tubo].nombre) + " " +
                                                      std::string(TamanosTubo[c.tamano].comercial) +
                                                      ".");
            }
            if (!Cabe(c.areaConductores, c.conductoresPorTubo, c.areaTubo)) {
                d_.observaciones.push_back(
                    "El tubo " + NombreTubo(c.tubo, c.tamano) + " queda lleno al " +
                    TextoDecimas(c.RellenoDecimas(), sep_) + " %, más del " +
                    std::to_string(relleno) + " % (" + Cita(Clausula::TablaRelleno) + ").");
            }
            return true;
        }
        for (c.tamano = 0; c.tamano < areas.size(); ++c.tamano) {
            c.areaTubo = areas[c.tamano];
            if (Cabe(c.areaConductores, c.conductoresPorTubo, c.areaTubo)) {
                return true;
            }
        }
        return Rechazar(
            Dato::Tubo,
            "Ningún tubo " + std::string(Tubos[c.tubo].nombre) + " de " +
                Cita(Clausula::TablaTubos) + " lleva los " + std::to_string(c.conductoresPorTubo) +
                " conductores de un conjunto al " + std::to_string(relleno) + " % (" +
                Cita(Clausula::TablaRelleno) + "): reparta la carga en más conjuntos en paralelo.");
    }

    bool Completar() {
        if (!Tierra()) {
            return false;
        }
        Conjunto c;
        c.tierra = TierraElegida();
        if (!Neutro(c)) {
            return false;
        }
        c.tubos = static_cast<int>(a_.juegos);
        const std::size_t familia = FamiliaDe(a_.aislamiento);
        const int fases = DescripcionSistema(a_.sistema).conductores;
        c.conductoresPorTubo = fases + (c.neutro ? 1 : 0) + 1;
        c.areaConductores =
            fases * AreasAislados[elegido_].area[familia] + AreasAislados[c.tierra].area[familia];
        if (c.neutro) {
            c.areaConductores += AreasAislados[*c.neutro].area[familia];
        }
        if (!Tubo(c)) {
            return false;
        }
        d_.conjunto = c;
        return true;
    }

private:
    // The next size of the list up from a size of the grounding table it lacks.
    static bool SiguienteEnLista(std::string_view nombre, std::size_t& calibre) {
        const auto kcmil = Kcmil(nombre);
        for (std::size_t i = 0; kcmil && i < Calibres.size(); ++i) {
            if (Secciones[i].cmil >= *kcmil * 1000) {
                calibre = i;
                return true;
            }
        }
        return false;
    }

    // "NEC 2023 250.122(B)".
    std::string Cita(Clausula clausula) const {
        return std::string(NombresNorma[static_cast<std::size_t>(norma_)]) + " " +
               std::string(engine::Cita(clausula, norma_));
    }

    bool Rechazar(Dato dato, std::string mensaje) {
        d_.observaciones.push_back(std::move(mensaje));
        d_.invalido = dato;
        return false;
    }

    const Alimentador& a_;
    Dimensionado& d_;
    const Separadores& sep_;
    Norma norma_;
    const std::size_t elegido_;
    std::size_t tablaTierra_ = 0; // the size of the grounding table, in the list
};

} // namespace

const FilaTierra* FilaTierraDe(const Decimal& proteccion) {
    for (const FilaTierra& f : TablaTierras) {
        if (!(Decimal(f.amperes) < proteccion)) {
            return &f;
        }
    }
    return nullptr;
}

long long CmilProporcional(std::size_t tierraTabla, std::size_t fases, std::size_t base) {
    const long long pedida = Secciones[tierraTabla].cmil * Secciones[fases].cmil;
    // Rounded up, as the comparison with whole areas reads it.
    return (pedida + Secciones[base].cmil - 1) / Secciones[base].cmil;
}

std::size_t FamiliaDe(std::size_t aislamiento) {
    const std::string_view familia = Aislamientos[aislamiento].familia;
    std::size_t i = 0;
    while (i + 1 < FamiliasAislamiento.size() && FamiliasAislamiento[i] != familia) {
        ++i;
    }
    return i;
}

int RellenoPermitido(int conductores) {
    int porciento = Rellenos[0].porciento;
    for (const FilaRelleno& fila : Rellenos) {
        if (conductores >= fila.conductores) {
            porciento = fila.porciento;
        }
    }
    return porciento;
}

bool Cabe(long long areaConductores, int conductores, long long areaTubo) {
    return areaTubo > 0 && areaConductores * 10 <= RellenoPermitido(conductores) * areaTubo;
}

std::string TextoDecimas(long long decimas, const Separadores& sep) {
    return std::to_string(decimas / 10) + sep.decimal + std::to_string(decimas % 10);
}

long long Conjunto::RellenoDecimas() const {
    return areaTubo > 0 ? (areaConductores * 200 + areaTubo) / (2 * areaTubo) : 0;
}

// A motor's circuit runs its phases alone: it has a neutral only where one is given.
bool ConNeutro(const Alimentador& a) {
    return a.neutro.value_or(a.sistema == Sistema::Trifasico && !a.motor);
}

bool CompletarConjunto(const Alimentador& a, Dimensionado& d, const Separadores& sep, Norma norma) {
    return Completado(a, d, sep, norma).Completar();
}

std::string NombreTubo(std::size_t tubo, std::size_t tamano) {
    return std::string(Tubos[tubo].nombre) + " " + std::string(TamanosTubo[tamano].comercial) +
           " (" + std::to_string(TamanosTubo[tamano].designador) + ")";
}

std::string Especificacion(Sistema sistema, std::size_t calibre, const Conjunto& c) {
    std::string juego =
        std::to_string(DescripcionSistema(sistema).conductores) + "-" + Nombre(calibre);
    if (c.neutro) {
        juego += " + 1-" + Nombre(*c.neutro) + " N";
    }
    juego += " + 1-" + Nombre(c.tierra) + " T";
    if (c.tubos == 1) {
        return juego + ", " + NombreTubo(c.tubo, c.tamano);
    }
    return std::to_string(c.tubos) + " × (" + juego + "), " + std::to_string(c.tubos) + " " +
           NombreTubo(c.tubo, c.tamano);
}

} // namespace engine
