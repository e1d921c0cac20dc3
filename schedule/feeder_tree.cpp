#include "schedule/feeder_tree.h"

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
    Calculo(std::vector<Nodo> nodos, double maximo, const engine::Separadores& sep)
        : nodos_(std::move(nodos)), maximo_(maximo), sep_(sep), r_(nodos_.size()),
          padre_(nodos_.size()), resuelto_(nodos_.size()), conocida_(nodos_.size()) {
        Padres();
        Ciclos();
    }

    std::size_t Filas() const { return nodos_.size(); }

    void Regulacion(std::size_t i, std::optional<double> regulacion) {
        nodos_[i].regulacion = regulacion;
        conocida_[i] = true;
    }

    bool Listo(std::size_t i) const {
        for (std::size_t j = i;; j = *padre_[j]) {
            if (resuelto_[j] || r_[j].error) {
                return true;
            }
            if (!conocida_[j]) {
                return false;
            }
            if (Comienza(j)) {
                return true;
            }
        }
    }

    EnArbol Lugar(std::size_t i) {
        Resolver(i);
        EnArbol lugar = r_[i];
        if (lugar.total && *lugar.total > maximo_) {
            lugar.nota = Camino(i);
        }
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

    std::vector<Nodo> nodos_;
    double maximo_;
    engine::Separadores sep_;
    std::vector<EnArbol> r_;
    std::vector<std::optional<std::size_t>> padre_;
    std::vector<bool> resuelto_;
    std::vector<bool> conocida_; // the row is sized: its regulation, or none, is known
    std::unordered_map<std::size_t, std::string> motivos_;
};

ArbolDeFilas::ArbolDeFilas(std::vector<Nodo> nodos, double maximo, const engine::Separadores& sep)
    : calculo_(std::make_unique<Calculo>(std::move(nodos), maximo, sep)) {}

ArbolDeFilas::~ArbolDeFilas() = default;

std::size_t ArbolDeFilas::Filas() const {
    return calculo_->Filas();
}

void ArbolDeFilas::Regulacion(std::size_t fila, std::optional<double> regulacion) {
    calculo_->Regulacion(fila, regulacion);
}

bool ArbolDeFilas::Listo(std::size_t fila) const {
    return calculo_->Listo(fila);
}

EnArbol ArbolDeFilas::Lugar(std::size_t fila) {
    return calculo_->Lugar(fila);
}

std::vector<EnArbol> Arbol(const std::vector<Nodo>& nodos, double maximo,
                           const engine::Separadores& sep) {
    ArbolDeFilas arbol(nodos, maximo, sep);
    std::vector<EnArbol> lugares;
    lugares.reserve(nodos.size());
    for (std::size_t i = 0; i < nodos.size(); ++i) {
        arbol.Regulacion(i, nodos[i].regulacion);
    }
    for (std::size_t i = 0; i < nodos.size(); ++i) {
        lugares.push_back(arbol.Lugar(i));
    }
    return lugares;
}

Nodo NodoDeFila(std::string_view circuito, std::string_view desde, std::string_view transformador,
                const std::optional<engine::Dimensionado>& d) {
    Nodo n{std::string(circuito), std::string(desde), false, std::nullopt};
    n.transformador = LeerSiNo(transformador).value_or(false);
    n.regulacion = RegulacionDe(d);
    return n;
}

std::optional<double> RegulacionDe(const std::optional<engine::Dimensionado>& d) {
    if (d && d->calculado && d->valores) {
        return d->valores->regulacion;
    }
    return std::nullopt;
}

EnArbol Solo(const Nodo& nodo, double maximo, const engine::Separadores& sep) {
    EnArbol lugar{nodo.regulacion, std::nullopt, std::nullopt};
    if (nodo.regulacion && *nodo.regulacion > maximo) {
        lugar.nota = Arbol({{nodo.circuito, {}, false, nodo.regulacion}}, maximo, sep).front().nota;
    }
    return lugar;
}

void AplicarArbol(std::vector<Celda>& resultado, const EnArbol& a, const engine::Separadores& sep) {
    if (a.error) {
        for (Celda& celda : resultado) {
            celda = Celda{};
        }
        resultado[Indice(ColumnaResultado::Observaciones)].texto = *a.error;
        return;
    }
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
