#include "schedule/feeder_tree.h"

#include "engine/decimal.h"
#include "engine/numeric_text.h"
#include "schedule/text.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace schedule {
namespace {

// Regulations, as the table shows them: a note and its cell give the same digits.
constexpr std::string_view PatronRegulacion = "0.00";

std::string Citado(std::string_view nombre) {
    return "«" + std::string(SinBlancos(nombre)) + "»";
}

} // namespace

std::string ClaveCircuito(std::string_view nombre) {
    std::string clave(SinBlancos(nombre));
    std::transform(clave.begin(), clave.end(), clave.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return clave;
}

class ArbolDeFilas::Calculo {
public:
    Calculo(std::vector<Nodo> nodos, double maximo, const engine::Separadores& sep, ParaCorto corto)
        : nodos_(std::move(nodos)), maximo_(maximo), sep_(sep), corto_(std::move(corto)),
          r_(nodos_.size()), padre_(nodos_.size()), resuelto_(nodos_.size()),
          conocida_(nodos_.size()), cortoResuelto_(nodos_.size()) {
        if (corto_.fuente) {
            acometida_ = TableroDeLaFuente(*corto_.fuente);
        }
        Padres();
        Ciclos();
    }

    std::size_t Filas() const { return nodos_.size(); }

    void Dimensionada(std::size_t i, std::optional<double> regulacion,
                      std::shared_ptr<const Tramo> tramo) {
        nodos_[i].regulacion = regulacion;
        nodos_[i].tramo = std::move(tramo);
        conocida_[i] = true;
    }

    // With a source, the fault current needs every feeder up to the service.
    bool Listo(std::size_t i) const {
        const bool hastaLaAcometida = corto_.fuente.has_value();
        for (std::size_t j = i;; j = *padre_[j]) {
            if (r_[j].error || (resuelto_[j] && (!hastaLaAcometida || cortoResuelto_[j]))) {
                return true;
            }
            if (!conocida_[j]) {
                return false;
            }
            if (hastaLaAcometida ? !padre_[j] : Comienza(j)) {
                return true;
            }
        }
    }

    EnArbol Lugar(std::size_t i) {
        Resolver(i);
        EnArbol lugar{r_[i].total, r_[i].error, r_[i].nota, {}};
        if (lugar.total && *lugar.total > maximo_) {
            lugar.nota = Camino(i);
        }
        // Without a source the feeders below need nothing of its fault current.
        if (!corto_.fuente) {
            lugar.corto = SinFuente(nodos_[i].tramo.get(), corto_.norma);
            nodos_[i].tramo.reset();
            return lugar;
        }
        ResolverCorto(i);
        // The feeders below need only the board at its end: a long tree keeps no more.
        CortoDeFila& corto = Corto(i);
        lugar.corto = corto;
        corto = CortoDeFila{std::nullopt, std::nullopt, std::nullopt, false,
                            corto.error,  {},           {},           std::move(corto.final)};
        return lugar;
    }

private:
    // Each feeder's upstream feeder, or the error of naming none or two.
    void Padres() {
        // Each name's row, or Repetido for a name of more than one.
        constexpr std::size_t Repetido = static_cast<std::size_t>(-1);
        std::unordered_map<std::string, std::size_t> filas;
        filas.reserve(nodos_.size());
        for (std::size_t i = 0; i < nodos_.size(); ++i) {
            if (std::string clave = ClaveCircuito(nodos_[i].circuito); !clave.empty()) {
                const auto [lugar, nueva] = filas.try_emplace(std::move(clave), i);
                if (!nueva) {
                    lugar->second = Repetido;
                }
            }
        }
        for (std::size_t i = 0; i < nodos_.size(); ++i) {
            if (SinBlancos(nodos_[i].desde).empty()) {
                continue;
            }
            const auto hallado = filas.find(ClaveCircuito(nodos_[i].desde));
            if (hallado == filas.end()) {
                r_[i].error = "La columna «alimentado_desde» nombra " + Citado(nodos_[i].desde) +
                              ", que no es el circuito de ninguna fila.";
            } else if (hallado->second == Repetido) {
                r_[i].error = "La columna «alimentado_desde» nombra " + Citado(nodos_[i].desde) +
                              ", circuito de más de una fila: no se sabe de cuál se alimenta.";
            } else {
                padre_[i] = hallado->second;
            }
        }
    }

    // A feeder fed, through others, from itself: an error of each feeder of the loop.
    void Ciclos() {
        enum Estado : char { Nuevo, Abierto, Cerrado };
        std::vector<Estado> estado(nodos_.size(), Nuevo);
        for (std::size_t i = 0; i < nodos_.size(); ++i) {
            std::vector<std::size_t> camino;
            std::size_t j = i;
            while (estado[j] == Nuevo) {
                estado[j] = Abierto;
                camino.push_back(j);
                if (!padre_[j]) {
                    break;
                }
                j = *padre_[j];
            }
            if (estado[j] == Abierto && padre_[camino.back()] == j) {
                const auto inicio = std::find(camino.begin(), camino.end(), j);
                std::string ciclo;
                for (auto k = inicio; k != camino.end(); ++k) {
                    ciclo += Citado(nodos_[*k].circuito) + " → ";
                }
                ciclo += Citado(nodos_[j].circuito);
                for (auto k = inicio; k != camino.end(); ++k) {
                    r_[*k].error = "Los alimentadores se alimentan en ciclo: " + ciclo + ".";
                }
            }
            for (const std::size_t k : camino) {
                estado[k] = Cerrado;
            }
        }
    }

    // Why a feeder's own total cannot be had, for the feeders below it.
    std::string Motivo(std::size_t i) const {
        if (r_[i].error) {
            return "el alimentador " + Citado(nodos_[i].circuito) + " de arriba tiene un error";
        }
        if (!nodos_[i].regulacion) {
            return "el alimentador " + Citado(nodos_[i].circuito) + " de arriba no se calculó";
        }
        return motivos_.at(i);
    }

    bool Comienza(std::size_t i) const {
        return r_[i].error || !nodos_[i].regulacion || nodos_[i].transformador || !padre_[i];
    }

    // The totals from where the sum starts down to feeder i; each one once.
    void Resolver(std::size_t i) {
        std::vector<std::size_t> pila;
        for (std::size_t j = i; !resuelto_[j]; j = *padre_[j]) {
            pila.push_back(j);
            if (Comienza(j)) {
                break;
            }
        }
        for (auto k = pila.rbegin(); k != pila.rend(); ++k) {
            const std::size_t j = *k;
            resuelto_[j] = true;
            if (r_[j].error || !nodos_[j].regulacion) {
                continue;
            }
            if (nodos_[j].transformador || !padre_[j]) {
                r_[j].total = nodos_[j].regulacion;
                continue;
            }
            const std::size_t p = *padre_[j];
            if (r_[p].total) {
                r_[j].total = *r_[p].total + *nodos_[j].regulacion;
            } else {
                motivos_[j] = Motivo(p);
                r_[j].nota = "Sin regulación total: " + motivos_[j] + ".";
            }
        }
    }

    // The fault currents from the service down to feeder i; each one once.
    void ResolverCorto(std::size_t i) {
        std::vector<std::size_t> pila;
        for (std::size_t j = i; !cortoResuelto_[j]; j = *padre_[j]) {
            pila.push_back(j);
            if (r_[j].error || !padre_[j]) {
                break;
            }
        }
        for (auto k = pila.rbegin(); k != pila.rend(); ++k) {
            const std::size_t j = *k;
            cortoResuelto_[j] = true;
            CortoDeFila& corto = Corto(j);
            if (r_[j].error) {
                corto.final.motivo = Motivo(j);
                continue;
            }
            const Tablero& arriba = padre_[j] ? Corto(*padre_[j]).final : *acometida_;
            corto = CortoEnFila(corto_, nodos_[j].tramo.get(), arriba, nodos_[j].circuito);
            nodos_[j].tramo.reset(); // each feeder's step is taken once
            if (corto.error) {
                corto.final.motivo =
                    "el alimentador " + Citado(nodos_[j].circuito) + " de arriba tiene un error";
            }
        }
    }

    // "AL-1 (1,20 %) → AL-3 (2,90 %) → AL-7 (1,30 %): 5,40 % > 5 %", from where the sum
    // starts, with the digits the table shows.
    std::string Camino(std::size_t i) const {
        std::vector<std::size_t> camino{i};
        while (!nodos_[camino.back()].transformador && padre_[camino.back()]) {
            camino.push_back(*padre_[camino.back()]);
        }
        std::string texto;
        for (auto k = camino.rbegin(); k != camino.rend(); ++k) {
            texto += (texto.empty() ? "" : " → ") + std::string(SinBlancos(nodos_[*k].circuito)) +
                     " (" + Por(*nodos_[*k].regulacion) + " %)";
        }
        return texto + ": " + Por(*r_[i].total) + " % > " +
               engine::ConSeparador(engine::TextoQuinceCifras(maximo_), sep_) + " %";
    }

    std::string Por(double valor) const {
        return engine::FormatearConPatron(valor, PatronRegulacion, sep_);
    }

    // A feeder's fault figures, made when first asked for.
    CortoDeFila& Corto(std::size_t i) {
        std::unique_ptr<CortoDeFila>& corto = r_[i].corto;
        if (!corto) {
            corto = std::make_unique<CortoDeFila>();
        }
        return *corto;
    }

    // A feeder's place as the walk keeps it: its fault figures apart, only once it has them,
    // so that each row of a long tree without a source costs little.
    struct Estado {
        std::optional<double> total;
        std::optional<std::string> error;
        std::optional<std::string> nota;
        std::unique_ptr<CortoDeFila> corto;
    };

    std::vector<Nodo> nodos_;
    double maximo_;
    engine::Separadores sep_;
    ParaCorto corto_;
    std::optional<Tablero> acometida_; // the service's board, with a source
    std::vector<Estado> r_;
    std::vector<std::optional<std::size_t>> padre_;
    std::vector<bool> resuelto_;
    std::vector<bool> conocida_; // the row is sized: its regulation, or none, is known
    std::vector<bool> cortoResuelto_;
    std::unordered_map<std::size_t, std::string> motivos_;
};

ArbolDeFilas::ArbolDeFilas(std::vector<Nodo> nodos, double maximo, const engine::Separadores& sep,
                           ParaCorto corto)
    : calculo_(std::make_unique<Calculo>(std::move(nodos), maximo, sep, std::move(corto))) {}

ArbolDeFilas::~ArbolDeFilas() = default;

std::size_t ArbolDeFilas::Filas() const {
    return calculo_->Filas();
}

void ArbolDeFilas::Dimensionada(std::size_t fila, std::optional<double> regulacion,
                                std::shared_ptr<const Tramo> tramo) {
    calculo_->Dimensionada(fila, regulacion, std::move(tramo));
}

bool ArbolDeFilas::Listo(std::size_t fila) const {
    return calculo_->Listo(fila);
}

EnArbol ArbolDeFilas::Lugar(std::size_t fila) {
    return calculo_->Lugar(fila);
}

std::vector<EnArbol> Arbol(const std::vector<Nodo>& nodos, double maximo,
                           const engine::Separadores& sep, const ParaCorto& corto) {
    ArbolDeFilas arbol(nodos, maximo, sep, corto);
    std::vector<EnArbol> lugares;
    lugares.reserve(nodos.size());
    for (std::size_t i = 0; i < nodos.size(); ++i) {
        arbol.Dimensionada(i, nodos[i].regulacion, nodos[i].tramo);
    }
    for (std::size_t i = 0; i < nodos.size(); ++i) {
        lugares.push_back(arbol.Lugar(i));
    }
    return lugares;
}

Nodo NodoDeFila(std::string_view circuito, std::string_view desde, std::string_view transformador,
                const FilaLeida& leida, const std::optional<engine::Dimensionado>& d,
                bool completo) {
    Nodo n{std::string(circuito), std::string(desde), false, std::nullopt, nullptr, nullptr};
    n.transformador = LeerSiNo(transformador).value_or(false);
    n.regulacion = RegulacionDe(d);
    if (auto tramo = TramoDe(leida, d, completo)) {
        tramo->transformador = n.transformador;
        n.tramo = std::make_shared<const Tramo>(std::move(*tramo));
    }
    if (auto motor = CorrienteDelMotor(leida)) {
        n.motor = std::make_shared<const MotorDeFila>(std::move(*motor));
    }
    return n;
}

engine::Racional MotoresDeLasFilas(const std::vector<Nodo>& nodos, const Fuente& fuente) {
    std::unordered_map<std::string, std::size_t> filas;
    std::unordered_map<std::string, std::size_t> repetidas;
    for (std::size_t i = 0; i < nodos.size(); ++i) {
        if (std::string clave = ClaveCircuito(nodos[i].circuito); !clave.empty()) {
            ++repetidas[clave];
            filas.emplace(std::move(clave), i);
        }
    }
    engine::Racional suma;
    for (const Nodo& motor : nodos) {
        if (!motor.motor || motor.motor->trifasico != fuente.trifasica ||
            !(motor.motor->voltaje == fuente.voltaje)) {
            continue;
        }
        // Up the tree to the service; a path longer than the rows runs in a loop.
        const Nodo* n = &motor;
        std::size_t pasos = 0;
        while (n && !n->transformador && !SinBlancos(n->desde).empty() && pasos++ < nodos.size()) {
            const std::string clave = ClaveCircuito(n->desde);
            const auto hallado = filas.find(clave);
            n = hallado == filas.end() || repetidas[clave] > 1 ? nullptr : &nodos[hallado->second];
        }
        if (n && !n->transformador && SinBlancos(n->desde).empty()) {
            suma = suma + motor.motor->corriente;
        }
    }
    return suma;
}

std::optional<double> RegulacionDe(const std::optional<engine::Dimensionado>& d) {
    if (d && d->calculado && d->valores) {
        return d->valores->regulacion;
    }
    return std::nullopt;
}

EnArbol Solo(const Nodo& nodo, double maximo, const engine::Separadores& sep,
             const ParaCorto& corto) {
    Nodo solo = nodo;
    solo.desde.clear();
    return Arbol({solo}, maximo, sep, corto).front();
}

namespace {

// A current in kA, or a rating, as its cell shows it.
Celda CeldaKa(const std::string& texto, const engine::Separadores& sep) {
    const auto decimal = engine::Decimal::Leer(texto);
    return {engine::ConSeparador(texto, sep),
            decimal ? std::optional(decimal->Real()) : std::nullopt, "0.00"};
}

void AplicarCorto(std::vector<Celda>& resultado, const CortoDeFila& c,
                  const engine::Separadores& sep) {
    if (c.inicio) {
        resultado[Indice(ColumnaResultado::IccInicio)] = CeldaKa(TextoKa(*c.inicio), sep);
    }
    if (c.fin) {
        resultado[Indice(ColumnaResultado::IccFinal)] = CeldaKa(TextoKa(*c.fin), sep);
    }
    if (c.capacidad) {
        std::string texto = c.capacidad->Texto(3);
        while (texto.back() == '0') {
            texto.pop_back();
        }
        if (texto.back() == '.') {
            texto.pop_back();
        }
        Celda celda = CeldaKa(texto, sep);
        celda.formato = "0.###";
        resultado[Indice(ColumnaResultado::CapacidadElegida)] = celda;
    }
    if (!c.nota.empty()) {
        std::string& observaciones = resultado[Indice(ColumnaResultado::Observaciones)].texto;
        observaciones += (observaciones.empty() ? "" : " | ") + c.nota;
    }
}

} // namespace

void AplicarArbol(std::vector<Celda>& resultado, const EnArbol& a, const engine::Separadores& sep) {
    if (const auto& error = a.error ? a.error : a.corto.error) {
        for (Celda& celda : resultado) {
            celda = Celda{};
        }
        resultado[Indice(ColumnaResultado::Observaciones)].texto = *error;
        return;
    }
    AplicarCorto(resultado, a.corto, sep);
    if (a.total) {
        resultado[Indice(ColumnaResultado::RegulacionTotal)] = {
            engine::FormatearConPatron(*a.total, PatronRegulacion, sep), *a.total,
            PatronRegulacion};
    }
    if (a.nota) {
        std::string& observaciones = resultado[Indice(ColumnaResultado::Observaciones)].texto;
        observaciones += (observaciones.empty() ? "" : " | ") + *a.nota;
    }
}

} // namespace schedule
