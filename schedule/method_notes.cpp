#include "schedule/method_notes.h"

#include "engine/code_editions.h"
#include "engine/conductors.h"
#include "engine/defaults.h"
#include "engine/raceways.h"
#include "engine/short_circuit.h"
#include "schedule/columns.h"

#include <array>
#include <span>

namespace schedule {
namespace {

// "NEC 2023 215.3"
std::string CitaCompleta(engine::Clausula c, engine::Norma norma) {
    return std::string(engine::NombresNorma[static_cast<std::size_t>(norma)]) + " " +
           std::string(engine::Cita(c, norma));
}

// The smallest size of sets in parallel.
std::string Paralelo() {
    return std::string(engine::Calibres[engine::PrimerCalibreParalelo].nombre);
}

std::string EnPalabras(int n) {
    constexpr std::array<std::string_view, 10> Palabras{"cero",  "uno",  "dos",   "tres", "cuatro",
                                                        "cinco", "seis", "siete", "ocho", "nueve"};
    return n >= 0 && n < static_cast<int>(Palabras.size()) ? std::string(Palabras[n])
                                                           : std::to_string(n);
}

// Which of Table 5's two rows gives the areas of the sizes it lists twice, and why.
std::string RenglonesDobles() {
    const auto& r = engine::RenglonesThw;
    return "La tabla da THW, THHW y THW-2 de " + std::string(engine::Calibres.front().nombre) +
           " a " + std::string(engine::Calibres[r.ultimo].nombre) + " en dos renglones: se toma «" +
           std::string(r.mayor) + "», de áreas mayores, y no «" + std::string(r.menor) +
           "», para que el tubo elegido cumpla con cualquiera de los dos.";
}

// The fault current, point to point, and the check of each device's interrupting rating.
std::vector<std::string> NotasDelCortocircuito(engine::Norma norma) {
    using engine::Clausula;
    std::string capacidades;
    for (const int ka : engine::CapacidadesInterruptivas) {
        capacidades += (capacidades.empty() ? "" : ", ") + std::to_string(ka);
    }
    return {
        "Cortocircuito, con una fuente en el proyecto: método punto a punto, falla trifásica "
        "franca (de línea a línea en un circuito monofásico), amperes simétricos RMS, con 1,732 "
        "por raíz de tres en cada paso, como el método publicado. Transformador: I = I nominal · "
        "100 / %Z, con 0,9 · %Z por la tolerancia de ±10 % de la placa salvo tolerancia_z = no; "
        "con la corriente de la red en su primario, f = I_P · V_P · 1,732 · %Z / (100 000 · kVA), "
        "M = 1 / (1 + f), I = (V_P / V_S) · M · I_P (sin 1,732 en monofásico).",
        "Cada alimentador: f = 1,732 · L · I / (C · n · E) (2 en lugar de 1,732 en monofásico), "
        "M = 1 / (1 + f), I final = M · I inicial, con L en pies (m / 0,3048) y C de la tabla de "
        "conductores individuales de 600 V en ducto de acero o no magnético (PVC y aluminio). "
        "Un calibre sin valor C en la tabla no tiene cifras. Un monofásico de un tablero "
        "trifásico empieza en 0,866 de su corriente.",
        "Motores: 4 × (corriente_motores + las corrientes a plena carga de las filas de motores "
        "del lado de la acometida) se suma a cada tablero del lado de la acometida (sin "
        "transformador en el camino), y a la corriente impresa al inicio y al final de cada "
        "alimentador de ese lado; ningún paso lo usa.",
        "Capacidad interruptiva (" + CitaCompleta(Clausula::CapacidadInterruptiva, norma) +
            "): el dispositivo al inicio de un alimentador debe interrumpir la corriente al "
            "inicio. Sin capacidad dada se propone la menor estándar que basta (" +
            capacidades +
            " kA). No se calculan las fallas de fase a neutro ni a tierra, la asimetría ni la "
            "energía incidente de arco.",
    };
}

// A single motor's branch circuit, by Article 430.
std::vector<std::string> NotasDeLosMotores(engine::Norma norma) {
    using engine::Clausula;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return {
        "Motores (motor_hp): la corriente a plena carga es la de " +
            cita(Clausula::TablaMotoresTrifasicos) + " o " +
            cita(Clausula::TablaMotoresMonofasicos) + " (" + cita(Clausula::CorrienteDeTabla) +
            "), en la columna del voltaje del sistema (110 a 120 V, 200 V, 208 V, 220 a 240 V, "
            "440 a 480 V, 550 a 600 V; 127 V monofásico en la de 115 V), no la de placa. Los "
            "conductores llevan el 125 % de ella (" +
            cita(Clausula::ConductoresMotor) + ").",
        "Protección del motor: interruptor de tiempo inverso de a lo más el 250 % de esa "
        "corriente, 150 % con rotor devanado (" +
            cita(Clausula::TablaProteccionMotor) + "), o el valor estándar siguiente (" +
            cita(Clausula::MotorSiguienteMayor) +
            "); uno dado hasta el 400 % (300 % sobre "
            "100 A) se permite si el primero no aguanta el arranque (" +
            cita(Clausula::MotorArranque) +
            "). Los conductores los protege el relevador de "
            "sobrecarga (" +
            cita(Clausula::MotorConductorProtegido) +
            "): de a lo más el 125 % de la corriente "
            "de placa con factor de servicio de 1,15 o más o elevación de 40 °C o menos, si no "
            "el 115 % (" +
            cita(Clausula::SobrecargaMotor) +
            "). Desconectador de al menos el 115 % de la "
            "corriente a plena carga (" +
            cita(Clausula::DesconectadorMotor) + "); puesta a tierra por la protección (" +
            cita(Clausula::TierraMotor) + ").",
        "No se calculan motores dados en kW, con variador de velocidad, con arranque "
        "estrella-delta o de devanado partido, de servicio intermitente, de 1200 RPM o menos o de "
        "varias velocidades, síncronos a factor de potencia de 90 % u 80 %, ni los alimentadores "
        "de varios motores.",
    };
}

} // namespace

std::string TextoRellenos() {
    const std::span<const engine::FilaRelleno> filas(engine::Rellenos);
    std::string texto;
    for (std::size_t i = filas.size(); i-- > 0;) {
        const engine::FilaRelleno& f = filas[i];
        const bool ultima = i + 1 == filas.size();
        const int hasta = ultima ? 0 : filas[i + 1].conductores - 1;
        texto += texto.empty() ? "" : i == 0 ? " y " : ", ";
        texto += std::to_string(f.porciento) + " % con ";
        texto += ultima                  ? "más de " + EnPalabras(f.conductores - 1)
                 : hasta > f.conductores ? EnPalabras(f.conductores) + " a " + EnPalabras(hasta)
                                         : EnPalabras(f.conductores);
        texto += ultima ? " conductores" : "";
    }
    return texto;
}

namespace {

// The notes on the load, its continuous part, the ampacity and the assumptions.
std::vector<std::string> NotasDeLaAmpacidad(engine::Norma norma) {
    using engine::Clausula;
    const engine::ValoresPorOmision& o = engine::PorOmision;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return {
        "Corriente de la carga: la de la columna corriente tal como se escribió, o la de su "
        "potencia, redondeada a 2 decimales: I = P / (√3·V·fp) en trifásico y P / (V·fp) en "
        "monofásico (potencia_kw); I = S / (√3·V) y S / V (potencia_kva).",
        "La parte continua de la carga (3 h o más; columna continua en %, o corriente_continua "
        "en A) se toma al 125 % (" +
            cita(Clausula::CargaContinua) +
            "); con un dispositivo aprobado para operar al 100 % de su capacidad "
            "(dispositivo_100), al 100 %. Sin dato, toda la carga se supone continua: con ello "
            "los calibres salen mayores que los de la corriente sola.",
        "Ampacidad de " + cita(Clausula::TablaAmpacidad) +
            ". Sin corrección, la columna de la menor de las temperaturas del aislamiento y de "
            "las terminales lleva 1,25·Ic + In. Con corrección, la columna del aislamiento en su "
            "ubicación, por el factor de temperatura ambiente (" +
            cita(Clausula::TablaTemperatura) +
            ") y el de agrupamiento por los conductores portadores de corriente de cada ducto (" +
            cita(Clausula::TablaAgrupamiento) + "), sin pasar de la columna de las terminales (" +
            cita(Clausula::Terminales) + "), lleva la carga entera (" +
            cita(Clausula::AmpacidadCorregida) + "). La ampacidad que se informa es esta última.",
        "Supuestos: terminales de " + TextoNumero(o.terminales) +
            " °C salvo la columna terminales, aunque " + cita(Clausula::TerminalesPequenos) +
            " pide 60 °C en circuitos de 100 A o menos o de calibres 14 a 1, salvo equipo "
            "aprobado para 75 °C; ubicación " +
            TextoUbicacion(o.mojado) +
            " salvo la columna ubicacion (el interior de un ducto subterráneo o en lugar mojado "
            "es mojado); aislamiento " +
            std::string(o.nombreAislamiento) +
            " salvo la columna aislamiento. THHN sólo en lugar seco.",
    };
}

// The notes on the overcurrent device and the conductor it protects.
std::string NotaDeLaProteccion(engine::Norma norma) {
    using engine::Clausula;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return "Protección: la menor capacidad estándar (" + cita(Clausula::RatingsEstandar) +
           ") no menor que 1,25·Ic + In (" + cita(Clausula::ProteccionAlimentador) +
           "); una dada no puede ser menor, y si no es estándar se permite con una "
           "observación. Debe proteger al conductor (" +
           cita(Clausula::ConductorProtegido) +
           "): hasta 800 A, no pasar de la capacidad estándar siguiente a su ampacidad (" +
           cita(Clausula::SiguienteMayor) + "); sobre 800 A, no pasar de su ampacidad (" +
           cita(Clausula::Mayor800) +
           "); en los calibres 14, 12 y 10, no pasar de 15, 20 y 30 A en cobre, y de 15 y 25 A "
           "en aluminio 12 y 10 (" +
           cita(Clausula::ConductoresPequenos) + ").";
}

// The notes on the neutral, the grounding conductor, the conduit and the total regulation.
std::vector<std::string> NotasDelConjunto(engine::Norma norma) {
    using engine::Clausula;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return {
        "Conductor de puesta a tierra de " + cita(Clausula::TablaTierra) +
            " por la protección, del material de las fases; aumentado en proporción a los "
            "circular mils de las fases cuando éstas pasan del calibre por ampacidad (" +
            cita(Clausula::TierraProporcional) + ", áreas de " + cita(Clausula::TablaSecciones) +
            "), sin pasar de las fases (" + cita(Clausula::TierraNoMayor) +
            "); uno en cada tubo de conjuntos en paralelo (" + cita(Clausula::TierraParalelo) +
            ").",
        "Neutro: en trifásico, y en monofásico sólo con la columna neutro (circuito de 3 hilos); "
        "del calibre de las fases, o uno dado no menor que el menor de dos: el de puesta a "
        "tierra de la tabla y el de las fases (" +
            cita(Clausula::NeutroMinimo) + "), y " + Paralelo() +
            " en paralelo. Cuenta como portador de "
            "corriente sólo con neutro_portador (" +
            cita(Clausula::NeutroPortador) + ").",
        "Tubos: uno por conjunto, con todos sus conductores (" + cita(Clausula::MismoTubo) +
            "), todos iguales; el menor tamaño del tipo de " + cita(Clausula::TablaTubos) +
            " cuyo relleno no pase del " + TextoRellenos() + " (" + cita(Clausula::TablaRelleno) +
            "). Áreas de " + cita(Clausula::TablaAreas) +
            " por la familia del aislamiento (THW, THHN o XHHW); el conductor de puesta a "
            "tierra se supone aislado, del mismo tipo: un supuesto conservador. " +
            RenglonesDobles(),
        "Regulación total: la del alimentador más la total del que lo alimenta "
        "(alimentado_desde); vuelve a empezar en un transformador. Es una aproximación a "
        "corriente constante: cada caída se toma a su corriente y su voltaje nominal. El 5 % "
        "de " +
            cita(Clausula::NotaRegulacion) +
            " es para alimentadores y circuitos derivados juntos, así que un alimentador suele "
            "dejar parte de él a los circuitos derivados.",
    };
}

} // namespace

std::vector<std::string> NotasDelMetodo(engine::Norma norma) {
    using engine::Clausula;
    const auto& tri = engine::Sistemas[static_cast<std::size_t>(engine::Sistema::Trifasico)];
    const auto& mono = engine::Sistemas[static_cast<std::size_t>(engine::Sistema::Monofasico)];
    std::vector<std::string> notas{
        "Norma: " + std::string(engine::NombresNorma[static_cast<std::size_t>(norma)]) + ".",
        "Resistencia y reactancia de " + CitaCompleta(Clausula::TablaImpedancias, norma) +
            ": cables de 600 V, 60 Hz, 75 °C, tres conductores individuales en ducto, en "
            "ohmios al neutro por 1000 pies.",
        "Caída de voltaje con la impedancia eficaz al factor de potencia del alimentador: "
        "Zef = R·cos θ + X·sen θ; trifásico ΔV = " +
            std::string(tri.factorCaida) +
            "·I·Zef·L, monofásico ΔV = " + std::string(mono.factorCaida) + "·I·Zef·L.",
        "Regulación = caída de voltaje / voltaje de envío × 100 %."};
    for (std::string& nota : NotasDeLaAmpacidad(norma)) {
        notas.push_back(std::move(nota));
    }
    notas.push_back(NotaDeLaProteccion(norma));
    notas.push_back("Conjuntos en paralelo: sólo calibres " + Paralelo() + " y mayores (" +
                    CitaCompleta(Clausula::Paralelo, norma) +
                    "); la corriente se reparte por igual entre los conjuntos, cada uno en su "
                    "ducto.");
    notas.push_back("Sin calibre dado, se elige el mayor de los dos mínimos: por caída y por "
                    "ampacidad con su protección.");
    for (std::string& nota : NotasDelConjunto(norma)) {
        notas.push_back(std::move(nota));
    }
    for (std::string& nota : NotasDeLosMotores(norma)) {
        notas.push_back(std::move(nota));
    }
    for (std::string& nota : NotasDelCortocircuito(norma)) {
        notas.push_back(std::move(nota));
    }
    return notas;
}

std::string SupuestosPorOmision() {
    const engine::ValoresPorOmision& o = engine::PorOmision;
    return "terminales de " + TextoNumero(o.terminales) + " °C; ubicación " +
           TextoUbicacion(o.mojado) + "; aislamiento " + std::string(o.nombreAislamiento);
}

} // namespace schedule
