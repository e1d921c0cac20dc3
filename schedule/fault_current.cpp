#include "schedule/fault_current.h"

#include "schedule/schedule_file.h"
#include "schedule/text.h"

#include <cmath>

namespace schedule {
namespace {

using engine::Racional;

constexpr std::string_view LaAcometida = "la acometida";

// A decimal of the project kept with "." as its point, or none for an empty one; an entry
// that is not a positive number goes into `malas`.
std::optional<Racional> Positivo(const std::string& texto, std::string_view clave,
                                 std::vector<std::string>& malas) {
    const std::string_view t = SinBlancos(texto);
    if (t.empty()) {
        return std::nullopt;
    }
    const auto r = Racional::Leer(t);
    if (!r || *r == Racional(0)) {
        malas.push_back("«" + std::string(clave) + "» no es un número mayor que cero («" +
                        std::string(t) + "»)");
        return std::nullopt;
    }
    return r;
}

// "300", "1,8": a value written with the record's decimal separator.
std::string Num(const Racional& r, int decimales, const engine::Separadores& sep) {
    std::string texto = r.Texto(decimales);
    if (decimales > 0) {
        while (texto.back() == '0') {
            texto.pop_back();
        }
        if (texto.back() == '.') {
            texto.pop_back();
        }
    }
    return engine::ConSeparador(texto, sep);
}

std::string Amperes(const Racional& r, const engine::Separadores& sep) {
    return engine::ConSeparador(r.Texto(2), sep) + " A";
}

std::string Ka(const Racional& amperes, const engine::Separadores& sep) {
    return engine::ConSeparador(TextoKa(amperes), sep) + " kA";
}

// Which form of source the project's entries give, and what they lack.
struct Formas {
    bool transformador = false;
    bool acometida = false;
};

Formas FormasDe(const DatosProyecto& p) {
    const auto dado = [](const std::string& t) { return !SinBlancos(t).empty(); };
    return {dado(p.kvaFuente) || dado(p.zFuente) || dado(p.iccRedKa) || dado(p.voltajePrimario),
            dado(p.iccAcometidaKa)};
}

std::string Lista(const std::vector<std::string>& partes) {
    std::string texto;
    for (std::size_t i = 0; i < partes.size(); ++i) {
        texto += (i == 0 ? "" : (i + 1 == partes.size() ? " y " : ", ")) + partes[i];
    }
    return texto;
}

// The entries of either form: phases, voltage, tolerance and motors.
void Comunes(const DatosProyecto& p, Fuente& f, std::vector<std::string>& malas,
             std::vector<std::string>& faltan) {
    const std::string_view fases = SinBlancos(p.fasesFuente);
    if (fases.empty()) {
        faltan.emplace_back("«fases_fuente»");
    } else if (fases != "3" && fases != "1") {
        malas.push_back("«fases_fuente» debe ser 3 o 1 («" + std::string(fases) + "»)");
    }
    f.trifasica = fases != "1";
    if (const auto v = Positivo(p.voltajeFuente, "voltaje_fuente", malas)) {
        f.voltaje = *v;
    } else if (SinBlancos(p.voltajeFuente).empty()) {
        faltan.emplace_back("«voltaje_fuente»");
    }
    if (!SinBlancos(p.toleranciaZ).empty()) {
        const auto si = LeerSiNo(p.toleranciaZ);
        if (!si) {
            malas.push_back("«tolerancia_z» debe ser sí o no («" + p.toleranciaZ + "»)");
        }
        f.tolerancia = si.value_or(true);
    }
    if (!SinBlancos(p.corrienteMotores).empty() && SinBlancos(p.corrienteMotores) != "0") {
        f.motores = Positivo(p.corrienteMotores, "corriente_motores", malas).value_or(Racional());
    }
}

void DelTransformador(const DatosProyecto& p, Fuente& f, std::vector<std::string>& malas,
                      std::vector<std::string>& faltan) {
    const auto kva = Positivo(p.kvaFuente, "kva_fuente", malas);
    const auto z = Positivo(p.zFuente, "z_fuente", malas);
    if (SinBlancos(p.kvaFuente).empty()) {
        faltan.emplace_back("«kva_fuente»");
    }
    if (SinBlancos(p.zFuente).empty()) {
        faltan.emplace_back("«z_fuente»");
    }
    if (kva && z) {
        f.transformador = engine::Transformador{*kva, *z, f.trifasica};
    }
    const auto red = Positivo(p.iccRedKa, "icc_red_ka", malas);
    const auto primario = Positivo(p.voltajePrimario, "voltaje_primario", malas);
    if (SinBlancos(p.iccRedKa).empty() != SinBlancos(p.voltajePrimario).empty()) {
        faltan.emplace_back(SinBlancos(p.iccRedKa).empty() ? "«icc_red_ka»" : "«voltaje_primario»");
    }
    if (red && primario) {
        f.red = engine::Primario{*red * Racional(1000), *primario};
    }
}

} // namespace

std::string EntradasDeLaFuente() {
    return "«kva_fuente», «z_fuente», «fases_fuente» y «voltaje_fuente», o «icc_acometida_ka» "
           "con «fases_fuente» y «voltaje_fuente»";
}

std::variant<std::monostate, Fuente, std::string> FuenteDe(const DatosProyecto& p) {
    const Formas formas = FormasDe(p);
    if (formas.transformador && formas.acometida) {
        return "La fuente se da a la vez como transformador («kva_fuente», «z_fuente», "
               "«icc_red_ka», «voltaje_primario») y como corriente de la acometida "
               "(«icc_acometida_ka»): dé sólo una de las dos.";
    }
    if (!formas.transformador && !formas.acometida) {
        return std::monostate{};
    }
    Fuente f;
    std::vector<std::string> malas;
    std::vector<std::string> faltan;
    Comunes(p, f, malas, faltan);
    if (formas.transformador) {
        DelTransformador(p, f, malas, faltan);
    } else if (const auto a = Positivo(p.iccAcometidaKa, "icc_acometida_ka", malas)) {
        f.acometida = *a * Racional(1000);
    }
    if (!faltan.empty()) {
        malas.insert(malas.begin(), "falta " + Lista(faltan));
    }
    if (!malas.empty()) {
        return "La fuente de cortocircuito: " + Lista(malas) + ".";
    }
    return f;
}

Tablero TableroDeLaFuente(const Fuente& f) {
    Tablero t{std::nullopt, "", f.voltaje, f.trifasica, true, std::string(LaAcometida)};
    if (f.acometida) {
        t.corriente = *f.acometida;
    } else if (f.transformador) {
        t.corriente =
            engine::Secundario(*f.transformador, f.voltaje, f.tolerancia, f.red).corriente;
    }
    return t;
}

std::vector<std::string> DetalleDeLaFuente(const Fuente& f, const engine::Separadores& sep) {
    std::vector<std::string> lineas;
    const std::string fases = f.trifasica ? "trifásico" : "monofásico";
    if (f.acometida) {
        lineas.push_back("Corriente de cortocircuito en la acometida, dada por la compañía: " +
                         Ka(*f.acometida, sep) + ", " + fases + ", " + Num(f.voltaje, 2, sep) +
                         " V.");
    } else if (f.transformador) {
        const engine::Transformador& t = *f.transformador;
        const auto paso = engine::Secundario(t, f.voltaje, f.tolerancia, f.red);
        lineas.push_back("Transformador de la fuente: " + Num(t.kva, 2, sep) + " kVA, " + fases +
                         ", " + Num(f.voltaje, 2, sep) + " V, " + Num(t.z, 4, sep) + " % Z" +
                         (f.tolerancia
                              ? " × 0,9 (tolerancia de ±10 %) = " + Num(paso.zUsada, 4, sep) + " %"
                              : " sin tolerancia") +
                         ".");
        lineas.push_back(std::string("I nominal = kVA · 1000 / (E") +
                         (t.trifasico ? " · 1,732" : "") + ") = " + Amperes(paso.nominal, sep) +
                         ".");
        if (paso.f && paso.m) {
            lineas.push_back("Red de " + Ka(f.red->corriente, sep) + " a " +
                             Num(f.red->voltaje, 2, sep) + " V: f = I_red · V_P" +
                             (t.trifasico ? " · 1,732" : "") + " · %Z′ / (100 000 · kVA) = " +
                             Num(*paso.f, 4, sep) + "; M = 1 / (1 + f) = " + Num(*paso.m, 4, sep) +
                             "; I = (V_P / E) · M · I_red = " + Amperes(paso.corriente, sep) + ".");
        } else {
            lineas.push_back(
                "Red infinita: I = I nominal · 100 / %Z′ = " + Amperes(paso.corriente, sep) + ".");
        }
    }
    const Racional motores = f.Motores();
    if (!(motores == Racional(0))) {
        const bool ambos = !(f.motores == Racional(0)) && !(f.motoresDeFilas == Racional(0));
        const std::string partes = ambos ? " (" + Amperes(f.motores, sep) + " del proyecto y " +
                                               Amperes(f.motoresDeFilas, sep) +
                                               " de las filas de motores)"
                                   : f.motores == Racional(0) ? " de las filas de motores"
                                                              : "";
        lineas.push_back("Motores en el lado de la acometida: 4 × " + Amperes(motores, sep) +
                         partes + " = " +
                         Amperes(motores * Racional(engine::MultiploMotores), sep) +
                         ", sumados a cada tablero de ese lado.");
    }
    return lineas;
}

namespace {

// The doubles the sizing reads hold at most 15 digits: their decimal text is the typed one.
Racional Exacto(double valor) {
    // Most are whole numbers, exact as they stand.
    if (valor >= 0 && valor < 9.0e15 && valor == std::floor(valor)) {
        return Racional(static_cast<std::uint64_t>(valor));
    }
    const auto decimal = engine::Decimal::DeReal(valor);
    return decimal ? Racional::Leer(decimal->Texto()).value_or(Racional()) : Racional();
}

} // namespace

std::optional<MotorDeFila> CorrienteDelMotor(const FilaLeida& leida) {
    const auto* a = std::get_if<engine::Alimentador>(&leida);
    if (a == nullptr || !a->motor) {
        return std::nullopt;
    }
    const auto p =
        engine::CorrientePlenaCarga(*a->motor, a->sistema, a->voltaje, engine::NormaPorOmision);
    const auto* plena = std::get_if<engine::PlenaCarga>(&p);
    if (plena == nullptr) {
        return std::nullopt;
    }
    return MotorDeFila{*Racional::Leer(plena->corriente.Texto()), Exacto(a->voltaje),
                       a->sistema == engine::Sistema::Trifasico};
}

std::optional<Tramo> TramoDe(const FilaLeida& leida, const std::optional<engine::Dimensionado>& d,
                             bool completo) {
    const auto* a = std::get_if<engine::Alimentador>(&leida);
    if (a == nullptr) {
        return std::nullopt;
    }
    const auto racional = [](const std::optional<engine::Decimal>& decimal) {
        return decimal ? Racional::Leer(decimal->Texto()) : std::nullopt;
    };
    Tramo t;
    t.capacidad = racional(a->capacidadInterruptiva);
    // Without a source only a given rating has something to say.
    if (!completo) {
        return t.capacidad ? std::optional(t) : std::nullopt;
    }
    const auto exacto = Exacto;
    t.trifasico = a->sistema == engine::Sistema::Trifasico;
    t.voltaje = exacto(a->voltaje);
    t.material = a->material;
    t.acero = a->ducto < engine::Ductos.size() && engine::Ductos[a->ducto].nombre == "Acero";
    if (d && d->calculado) {
        t.calibre = d->elegido;
    }
    t.juegos = exacto(a->juegos);
    t.longitud = exacto(a->longitud);
    t.kva = racional(a->kvaTransformador);
    t.z = racional(a->zTransformador);
    return t;
}

namespace {

// The point-to-point current where a feeder starts, or why there is none.
struct Inicio {
    std::optional<Racional> corriente;
    std::string motivo;
    std::optional<std::string> error;
    std::string linea;
};

std::string Citado(std::string_view nombre) {
    return nombre == LaAcometida ? std::string(LaAcometida)
                                 : "«" + std::string(SinBlancos(nombre)) + "»";
}

Inicio DesdeSuTransformador(const ParaCorto& p, const Tramo& t, const Tablero& arriba,
                            std::string_view circuito) {
    if (!t.kva || !t.z) {
        return {std::nullopt,
                "el transformador de " + Citado(circuito) +
                    " no tiene «kva_transformador» y «z_transformador»",
                std::nullopt, ""};
    }
    const engine::Transformador trafo{*t.kva, *t.z, t.trifasico};
    const auto paso = engine::Secundario(trafo, t.voltaje, p.fuente->tolerancia,
                                         engine::Primario{*arriba.corriente, arriba.voltaje});
    const engine::Separadores& sep = p.sep;
    if (!p.detalle) {
        return {paso.corriente, "", std::nullopt, ""};
    }
    return {paso.corriente, "", std::nullopt,
            "Inicio: secundario de su transformador de " + Num(t.kva.value(), 2, sep) + " kVA, " +
                Num(paso.zUsada, 4, sep) + " % Z′, desde " + Amperes(*arriba.corriente, sep) +
                " a " + Num(arriba.voltaje, 2, sep) + " V en " + Citado(arriba.nombre) +
                ": f = I_P · V_P" + (t.trifasico ? " · 1,732" : "") +
                " · %Z′ / (100 000 · kVA) = " + Num(*paso.f, 4, sep) +
                "; M = " + Num(*paso.m, 4, sep) +
                "; I = (V_P / V_S) · M · I_P = " + Amperes(paso.corriente, sep) + "."};
}

Inicio InicioDe(const ParaCorto& p, const Tramo& t, const Tablero& arriba,
                std::string_view circuito) {
    if (!arriba.corriente) {
        return {std::nullopt, arriba.motivo, std::nullopt, ""};
    }
    if (t.transformador) {
        return DesdeSuTransformador(p, t, arriba, circuito);
    }
    const engine::Separadores& sep = p.sep;
    const std::string de = " de " + Citado(arriba.nombre);
    const bool mismoVoltaje = t.voltaje == arriba.voltaje;
    if (arriba.nombre == LaAcometida && (!mismoVoltaje || (t.trifasico && !arriba.trifasico))) {
        return {std::nullopt, "",
                "La fila se alimenta de la acometida, que es de " + Num(arriba.voltaje, 2, sep) +
                    " V " + (arriba.trifasico ? "trifásica" : "monofásica") +
                    ", con otro voltaje o sistema y sin «transformador» = sí.",
                ""};
    }
    if (t.trifasico && (!arriba.trifasico || !mismoVoltaje)) {
        return {std::nullopt,
                Citado(circuito) + " es trifásico de " + Num(t.voltaje, 2, sep) + " V, alimentado" +
                    de + " a otro voltaje o sistema, sin transformador",
                std::nullopt, ""};
    }
    if (!mismoVoltaje) {
        return {std::nullopt,
                Citado(circuito) + " es un circuito de fase a neutro (" + Num(t.voltaje, 2, sep) +
                    " V" + de + ", de " + Num(arriba.voltaje, 2, sep) +
                    " V): la falla de fase a neutro no se calcula",
                std::nullopt, ""};
    }
    if (!t.trifasico && arriba.trifasico) {
        const Racional i = *arriba.corriente * engine::FactorMonofasico;
        return {i, "", std::nullopt,
                p.detalle ? "Inicio: 0,866 × " + Amperes(*arriba.corriente, sep) + de + " = " +
                                Amperes(i, sep) + " (falla de línea a línea)."
                          : ""};
    }
    return {*arriba.corriente, "", std::nullopt,
            p.detalle ? "Inicio: " + Amperes(*arriba.corriente, sep) + de + "." : ""};
}

// 110.9: the rating given, or the one proposed, against the current at the start.
void Verificar(const ParaCorto& p, const std::optional<Racional>& dada, CortoDeFila& r) {
    const std::string cita(engine::Cita(engine::Clausula::CapacidadInterruptiva, p.norma));
    const Racional& inicio = *r.inicio;
    const auto estandar = engine::CapacidadPropuesta(inicio);
    const std::string basta =
        estandar ? "la menor estándar que basta es de " + std::to_string(*estandar) + " kA"
                 : "ninguna estándar basta (la mayor es de 200 kA)";
    // The record's lines, and a remark only where the rating falls short.
    if (dada) {
        r.capacidad = dada;
        r.insuficiente = *dada * Racional(1000) < inicio;
        if (p.detalle) {
            r.detalle.push_back(cita + ": capacidad interruptiva dada de " + Num(*dada, 3, p.sep) +
                                " kA, " + (r.insuficiente ? "menor que " : "no menor que ") +
                                Ka(inicio, p.sep) + " al inicio.");
        }
        if (r.insuficiente) {
            r.nota = cita + ": la capacidad interruptiva dada, " + Num(*dada, 3, p.sep) +
                     " kA, es menor que los " + Ka(inicio, p.sep) + " al inicio del alimentador; " +
                     basta + ".";
        }
        return;
    }
    if (estandar) {
        r.capacidad = Racional(static_cast<std::uint64_t>(*estandar));
        if (p.detalle) {
            r.detalle.push_back(cita + ": " + Ka(inicio, p.sep) + " al inicio: " + basta + ".");
        }
        return;
    }
    r.insuficiente = true;
    r.nota = cita + ": los " + Ka(inicio, p.sep) + " al inicio del alimentador pasan la mayor " +
             "capacidad interruptiva estándar, 200 kA: no se propone ninguna.";
    r.detalle.push_back(r.nota);
}

// What a feeder's step took, for the record.
struct PasoDelTramo {
    long long c;
    Racional pies;
    engine::PasoConductor paso;
    Racional motores; // A added at both ends; 0 off the service's side
};

// The record's lines of a feeder's step: where it starts, C, L, n and E, f and M, the
// motors, and the check of its rating after them.
void Detallar(const engine::Separadores& sep, const Tramo& tramo, const std::string& inicio,
              const PasoDelTramo& d, CortoDeFila& r) {
    std::vector<std::string> verificacion = std::move(r.detalle);
    r.detalle = {inicio};
    r.detalle.push_back(
        "C = " + std::to_string(d.c) + " (" +
        (tramo.material == engine::Material::Cobre ? "cobre " : "aluminio ") +
        std::string(engine::Calibres[*tramo.calibre].nombre) +
        (tramo.acero ? ", ducto de acero" : ", ducto no magnético") +
        "); L = " + Num(tramo.longitud, 4, sep) + " m / 0,3048 = " + Num(d.pies, 2, sep) +
        " ft; n = " + Num(tramo.juegos, 0, sep) + "; E = " + Num(tramo.voltaje, 2, sep) + " V.");
    r.detalle.push_back(std::string("f = ") + (tramo.trifasico ? "1,732" : "2") +
                        " · L · I / (C · n · E) = " + Num(d.paso.f, 4, sep) +
                        "; M = 1 / (1 + f) = " + Num(d.paso.m, 4, sep) +
                        "; I final = " + Amperes(d.paso.fin, sep) + ".");
    if (!(d.motores == Racional(0))) {
        r.detalle.push_back("Motores: + " + Amperes(d.motores, sep) + ": " + Ka(*r.inicio, sep) +
                            " al inicio, " + Ka(*r.fin, sep) + " al final.");
    }
    r.detalle.insert(r.detalle.end(), verificacion.begin(), verificacion.end());
}

std::string SinVerificar(const ParaCorto& p, const std::string& motivo) {
    return "La capacidad interruptiva dada no se puede verificar (" +
           std::string(engine::Cita(engine::Clausula::CapacidadInterruptiva, p.norma)) +
           "): " + motivo + ".";
}

} // namespace

CortoDeFila CortoEnFila(const ParaCorto& p, const Tramo* tramo, const Tablero& arriba,
                        std::string_view circuito) {
    CortoDeFila r;
    r.final = {std::nullopt, "", {}, true, false, std::string(SinBlancos(circuito))};
    if (!tramo) {
        r.final.motivo = "el alimentador " + Citado(circuito) + " de arriba no se pudo leer";
        return r;
    }
    r.final.voltaje = tramo->voltaje;
    r.final.trifasico = tramo->trifasico;
    Inicio inicio = InicioDe(p, *tramo, arriba, circuito);
    std::optional<long long> c;
    if (inicio.corriente && !tramo->calibre) {
        inicio = {std::nullopt, Citado(circuito) + " no se dimensionó", std::nullopt, ""};
    } else if (inicio.corriente &&
               !(c = engine::ValorC(tramo->material, tramo->acero, *tramo->calibre))) {
        inicio = {std::nullopt,
                  "no hay valor C para el " +
                      std::string(engine::Calibres[*tramo->calibre].nombre) + " de " +
                      (tramo->material == engine::Material::Cobre ? "cobre" : "aluminio") +
                      (tramo->acero ? " en ducto de acero" : " en ducto no magnético") + " de " +
                      Citado(circuito),
                  std::nullopt, ""};
    }
    if (!inicio.corriente) {
        r.error = inicio.error;
        r.final.motivo = inicio.motivo;
        if (!inicio.motivo.empty()) {
            r.nota = "Sin corriente de cortocircuito: " + inicio.motivo + ".";
            if (tramo->capacidad) {
                r.nota += " " + SinVerificar(p, inicio.motivo);
            }
        }
        return r;
    }
    const bool lado = arriba.ladoAcometida && !tramo->transformador;
    const Racional pies = engine::Pies(tramo->longitud);
    const auto paso = engine::PorConductor(*inicio.corriente, *c, pies, tramo->juegos,
                                           tramo->voltaje, tramo->trifasico);
    const Racional motores =
        lado ? p.fuente->Motores() * Racional(engine::MultiploMotores) : Racional();
    r.inicio = *inicio.corriente + motores;
    r.fin = paso.fin + motores;
    r.final.corriente = paso.fin;
    r.final.ladoAcometida = lado;
    Verificar(p, tramo->capacidad, r);
    if (p.detalle) {
        Detallar(p.sep, *tramo, inicio.linea, {*c, pies, paso, motores}, r);
    }
    return r;
}

CortoDeFila SinFuente(const Tramo* tramo, engine::Norma norma) {
    CortoDeFila r;
    if (tramo && tramo->capacidad) {
        r.nota = SinVerificar({std::nullopt, norma, {}},
                              "el proyecto no da la fuente (" + EntradasDeLaFuente() + ")");
    }
    return r;
}

ParaCorto ParaCortoDe(const DatosProyecto& proyecto, const engine::Separadores& sep) {
    auto fuente = FuenteDe(proyecto);
    ParaCorto p{std::nullopt, NormaDe(proyecto), sep};
    if (auto* f = std::get_if<Fuente>(&fuente)) {
        p.fuente = std::move(*f);
    }
    return p;
}

std::string TextoKa(const Racional& amperes) {
    return (amperes / Racional(1000)).Texto(2);
}

} // namespace schedule
