#include "schedule/row_reader.h"

#include "engine/raceways.h"
#include "schedule/text.h"
#include "tests/schedule/filas_de_prueba.h"

#include <gtest/gtest.h>

using namespace schedule;
using prueba::Coma;
using prueba::De;
using prueba::Nombres;
using prueba::Punto;

namespace {

std::vector<ErrorCelda> Errores(const std::vector<std::string>& celdas, MarcaDecimal marca = Coma) {
    const FilaLeida fila = LeerFila(celdas, De(Nombres), marca);
    const auto* errores = std::get_if<std::vector<ErrorCelda>>(&fila);
    return errores ? *errores : std::vector<ErrorCelda>{};
}

} // namespace

TEST(LeerFila, ReadsChoicesWhateverTheirCaseAndAccents) {
    const FilaLeida fila = LeerFila(
        {"A-1", "MONOFÁSICO", "al", "Acero", "32,5", "220", "0,85", "60"}, De(Nombres), Coma);
    const auto& a = std::get<engine::Alimentador>(fila);
    EXPECT_EQ(a.sistema, engine::Sistema::Monofasico);
    EXPECT_EQ(a.material, engine::Material::Aluminio);
    EXPECT_EQ(a.ducto, 2u);
    EXPECT_EQ(a.corriente, *engine::Decimal::Leer("32.5"));
    EXPECT_EQ(a.factorPotencia, 0.85);
    EXPECT_EQ(a.regulacionMaxima, 3);
    EXPECT_EQ(a.juegos, 1);
    EXPECT_EQ(a.temperaturaAmbiente, 30);
    EXPECT_FALSE(a.conductoresDucto);
    EXPECT_FALSE(a.calibre);
    EXPECT_EQ(std::get<engine::Alimentador>(
                  LeerFila({"B", "3", "Cu", "pvc", "1", "1", "1", "1"}, De(Nombres), Punto))
                  .sistema,
              engine::Sistema::Trifasico);
}

// Every cell that cannot be read is told, naming its column and its text.
TEST(LeerFila, NamesEveryBadCell) {
    EXPECT_EQ(
        Errores({"A", "bifásico", "oro", "barro", "30 A", "", "nan", "1,2,3"}),
        (std::vector<ErrorCelda>{
            {Columna::Sistema, "La columna «sistema» no tiene un valor válido: «bifásico»."},
            {Columna::Conductor, "La columna «conductor» no tiene un valor válido: «oro»."},
            {Columna::Ducto,
             "La columna «ducto» no tiene un valor válido: «barro». Se aceptan: PVC, "
             "Aluminio, Acero, EMT, IMC, RMC, tubo conduit, pared delgada, pared gruesa, "
             "galvanizado, PVC-40, PVC-80, PVC cédula 40, PVC cédula 80, solas o juntas si dicen "
             "un mismo ducto, como «tubo conduit galvanizado» o «conduit de PVC»."},
            {Columna::Corriente, "La columna «corriente» no tiene un número: «30 A»."},
            {Columna::Voltaje, "La columna «voltaje» está vacía."},
            {Columna::Fp, "La columna «fp» no tiene un número: «nan»."},
            {Columna::Longitud, "La columna «longitud» no tiene un número: «1,2,3»."},
        }));
    EXPECT_EQ(
        Errores({"A", "3", "cu", "pvc", "30", "220", "0,9", "10", "", "x"}),
        (std::vector<ErrorCelda>{
            {std::nullopt, "La fila tiene una celda fuera de las columnas del encabezado: «x»."}}));
    const Encabezado conCalibre = De({"circuito", "sistema", "conductor", "ducto", "corriente",
                                      "voltaje", "fp", "longitud", "calibre"});
    const FilaLeida fila =
        LeerFila({"A", "3", "cu", "pvc", "30", "220", "0.9", "10", "5/0"}, conCalibre, Punto);
    EXPECT_EQ(std::get<std::vector<ErrorCelda>>(fila).at(0),
              (ErrorCelda{Columna::Calibre,
                          "La columna «calibre» no tiene un calibre de la tabla: «5/0»."}));
    EXPECT_EQ(std::get<engine::Alimentador>(
                  LeerFila({"A", "3", "cu", "pvc", "30", "220", "0.9", "10", "Automático"},
                           conCalibre, Punto))
                  .calibre,
              std::nullopt);
}

// Sizes and conduits in the forms designers write them.
TEST(LeerFila, ReadsSizesAndConduitsAsDesignersWriteThem) {
    const Encabezado e = De({"circuito", "sistema", "conductor", "ducto", "corriente", "voltaje",
                             "fp", "longitud", "calibre"});
    const std::pair<const char*, const char*> calibres[] = {
        {"4/0 AWG", "4/0"},   {"#10", "10"},      {"No. 10", "10"}, {"10 AWG", "10"},
        {"250 kcmil", "250"}, {"250 MCM", "250"}, {"Núm. 2", "2"},
    };
    for (const auto& [texto, calibre] : calibres) {
        const FilaLeida f =
            LeerFila({"A", "3", "cu", "pvc", "30", "220", "0.9", "10", texto}, e, Punto);
        ASSERT_TRUE(std::holds_alternative<engine::Alimentador>(f)) << texto;
        EXPECT_EQ(engine::Calibres[*std::get<engine::Alimentador>(f).calibre].nombre, calibre);
    }
    for (const char* texto : {"250 AWG", "4/0 kcmil", "# 5/0"}) {
        EXPECT_TRUE(std::holds_alternative<std::vector<ErrorCelda>>(
            LeerFila({"A", "3", "cu", "pvc", "30", "220", "0.9", "10", texto}, e, Punto)))
            << texto;
    }
    const std::pair<const char*, const char*> ductos[] = {
        {"EMT", "Acero"},          {"imc", "Acero"},           {"RMC", "Acero"},
        {"Tubo conduit", "Acero"}, {"pared delgada", "Acero"}, {"Pared gruesa", "Acero"},
        {"galvanizado", "Acero"},  {"PVC-40", "PVC"},          {"PVC cédula 40", "PVC"},
        {"PVC cédula 80", "PVC"},  {"aluminio", "Aluminio"},
    };
    for (const auto& [texto, ducto] : ductos) {
        const FilaLeida f =
            LeerFila({"A", "3", "cu", texto, "30", "220", "0.9", "10", ""}, e, Punto);
        ASSERT_TRUE(std::holds_alternative<engine::Alimentador>(f)) << texto;
        EXPECT_EQ(engine::Ductos[std::get<engine::Alimentador>(f).ducto].nombre, ducto);
    }
}

// A conduit as designers write it, by the words it holds: each word or phrase the column
// takes alone, together where they name one conduit, among words that name nothing ("de",
// "tubo"). "Tubo conduit" is steel unless a material is named beside it. Words that name
// two conduits, or a word of none, are refused with the list of the words taken.
TEST(LeerFila, ReadsAConduitByTheWordsItHolds) {
    const Encabezado e =
        De({"circuito", "sistema", "conductor", "ducto", "corriente", "voltaje", "fp", "longitud"});
    const auto conducto =
        [&](const char* texto) -> std::optional<std::pair<std::string, std::string>> {
        const FilaLeida f = LeerFila({"A", "3", "cu", texto, "30", "220", "0.9", "10"}, e, Punto);
        const auto* a = std::get_if<engine::Alimentador>(&f);
        if (a == nullptr) {
            return std::nullopt;
        }
        return std::pair{std::string(engine::Ductos[a->ducto].nombre),
                         a->tubo ? std::string(engine::Tubos[*a->tubo].nombre) : ""};
    };
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(conducto("Tubo conduit galvanizado"), (P{"Acero", ""}));
    EXPECT_EQ(conducto("tubo conduit pared gruesa"), (P{"Acero", "RMC"}));
    EXPECT_EQ(conducto("conduit de PVC"), (P{"PVC", ""}));
    EXPECT_EQ(conducto("tubo conduit de aluminio"), (P{"Aluminio", ""}));
    EXPECT_EQ(conducto("Tubo PVC cédula 80"), (P{"PVC", "PVC-80"}));
    EXPECT_EQ(conducto("PVC 40"), (P{"PVC", "PVC-40"}));
    EXPECT_EQ(conducto("EMT pared delgada"), (P{"Acero", "EMT"}));
    EXPECT_EQ(conducto("PVC pared gruesa"), std::nullopt);
    EXPECT_EQ(conducto("EMT RMC"), std::nullopt);
    EXPECT_EQ(conducto("conduit"), std::nullopt);
    EXPECT_EQ(conducto("conduit flexible"), std::nullopt);
}

// A column in % takes "3%" and "3 %" as 3; any other column refuses a percent, naming it.
TEST(LeerFila, APercentIsANumberOnlyInAColumnInPercent) {
    const Encabezado e = De({"circuito", "sistema", "conductor", "ducto", "corriente", "voltaje",
                             "fp", "longitud", "regulacion_max", "continua"});
    for (const char* regulacion : {"3%", "3 %", " 2,5 % "}) {
        const FilaLeida f = LeerFila(
            {"A", "3", "cu", "pvc", "30", "220", "0,9", "10", regulacion, "50 %"}, e, Coma);
        ASSERT_TRUE(std::holds_alternative<engine::Alimentador>(f)) << regulacion;
        EXPECT_EQ(std::get<engine::Alimentador>(f).regulacionMaxima,
                  std::string_view(regulacion).find("2,5") != std::string_view::npos ? 2.5 : 3);
        EXPECT_EQ(std::get<engine::Alimentador>(f).continua, engine::Decimal(50));
    }
    EXPECT_EQ(Errores({"A", "3", "cu", "pvc", "30 %", "220", "0,9", "10"}),
              (std::vector<ErrorCelda>{{Columna::Corriente, "La columna «corriente» tiene un "
                                                            "porcentaje, «30 %», y no es una "
                                                            "columna en %."}}));
}

// The conduit of the whole feeder: its type by name, or by the words of `ducto`, its trade
// size as written or by its metric designator; yes and no as people write them.
TEST(LeerFila, ReadsTheConduitTheNeutralAndTheTree) {
    const Encabezado e =
        De({"circuito", "sistema", "conductor", "ducto", "corriente", "voltaje", "fp", "longitud",
            "Tipo de tubo", "Tamaño tubo", "Neutro", "Transformador", "Alimentado desde"});
    const auto leer = [&](const char* ducto, const char* tubo, const char* tamano,
                          const char* neutro = "", const char* transformador = "") {
        return LeerFila({"A", "3", "cu", ducto, "30", "220", "0.9", "10", tubo, tamano, neutro,
                         transformador, "TG"},
                        e, Punto);
    };
    const struct {
        const char *ducto, *tubo, *tamano;
        std::optional<std::string_view> tuboLeido;
        std::optional<std::string_view> tamanoLeido;
    } casos[] = {
        {"acero", "", "", std::nullopt, std::nullopt},
        {"EMT", "", "", "EMT", std::nullopt},
        {"pared gruesa", "", "automático", "RMC", std::nullopt},
        {"PVC cédula 80", "", "", "PVC-80", std::nullopt},
        {"pvc", "pvc 40", "2 1/2", "PVC-40", "2-1/2"},
        {"acero", "imc", "2-1/2\"", "IMC", "2-1/2"},
        {"acero", "RMC", "63", "RMC", "2-1/2"},
        {"acero", "EMT", "1-1/4 pulg", "EMT", "1-1/4"},
        {"acero", "emt", "1/2", "EMT", "1/2"},
    };
    for (const auto& c : casos) {
        const FilaLeida f = leer(c.ducto, c.tubo, c.tamano);
        ASSERT_TRUE(std::holds_alternative<engine::Alimentador>(f)) << c.tubo << c.tamano;
        const engine::Alimentador& a = std::get<engine::Alimentador>(f);
        EXPECT_EQ(a.tubo ? std::optional(engine::Tubos[*a.tubo].nombre) : std::nullopt, c.tuboLeido)
            << c.ducto << " " << c.tubo;
        EXPECT_EQ(a.tamanoTubo ? std::optional(engine::TamanosTubo[*a.tamanoTubo].comercial)
                               : std::nullopt,
                  c.tamanoLeido)
            << c.tamano;
    }
    EXPECT_EQ(std::get<engine::Alimentador>(leer("pvc", "", "", "Sí")).neutro, true);
    EXPECT_EQ(std::get<engine::Alimentador>(leer("pvc", "", "", "no")).neutro, false);
    for (const auto& [tubo, tamano, neutro, transformador, columna] :
         {std::tuple{"PVC-60", "", "", "", Columna::Tubo},
          {"", "2 1/3", "", "", Columna::TamanoTubo},
          {"", "7", "", "", Columna::TamanoTubo},
          {"", "", "quizá", "", Columna::Neutro},
          {"", "", "", "tal vez", Columna::Transformador}}) {
        const FilaLeida f = leer("pvc", tubo, tamano, neutro, transformador);
        ASSERT_TRUE(std::holds_alternative<std::vector<ErrorCelda>>(f)) << tubo << tamano;
        EXPECT_EQ(std::get<std::vector<ErrorCelda>>(f).front().columna, columna);
    }
}

TEST(FilaVacia, IsEveryCellBlank) {
    EXPECT_TRUE(FilaVacia({}));
    EXPECT_TRUE(FilaVacia({"", " ", "\t"}));
    EXPECT_FALSE(FilaVacia({"", "x"}));
}

// The columns of the load and its device, as designers write them: insulation names with
// or without hyphens in any case, yes and no in Spanish, the location by its name.
TEST(LeerFila, ReadsTheLoadItsInsulationAndItsDevice) {
    const Encabezado e = De({"circuito", "sistema", "conductor", "ducto", "Potencia (kW)",
                             "voltaje", "fp", "longitud", "continua", "aislamiento", "ubicacion",
                             "terminales", "dispositivo_100", "proteccion"});
    const auto leer = [&](std::vector<std::string> resto) {
        std::vector<std::string> celdas{"A", "3", "cu", "pvc", "12,5", "480", "0,9", "10"};
        celdas.insert(celdas.end(), resto.begin(), resto.end());
        return LeerFila(celdas, e, Coma);
    };
    const auto a =
        std::get<engine::Alimentador>(leer({"40", "thw ls", "Seca", "60", "Sí", "Automático"}));
    EXPECT_FALSE(a.corriente);
    EXPECT_EQ(a.potenciaKw, *engine::Decimal::Leer("12.5"));
    EXPECT_EQ(a.continua, engine::Decimal(40));
    EXPECT_EQ(engine::Aislamientos[a.aislamiento].nombre, "THW-LS");
    EXPECT_FALSE(a.mojado);
    EXPECT_EQ(a.terminales, 60);
    EXPECT_TRUE(a.dispositivo100);
    EXPECT_FALSE(a.proteccion);
    // The empty cells stand for their defaults.
    const auto b = std::get<engine::Alimentador>(leer({"", "", "", "", "", ""}));
    EXPECT_FALSE(b.continua);
    EXPECT_EQ(engine::Aislamientos[b.aislamiento].nombre, "THW");
    EXPECT_TRUE(b.mojado);
    EXPECT_EQ(b.terminales, 75);
    EXPECT_FALSE(b.dispositivo100);
    EXPECT_EQ(std::get<engine::Alimentador>(leer({"", "XHHW2", "", "", "no", "112,5"})).proteccion,
              *engine::Decimal::Leer("112.5"));
    const auto malas = std::get<std::vector<ErrorCelda>>(leer({"", "THHN-X", "húmeda", "", "tal"}));
    ASSERT_EQ(malas.size(), 3u);
    EXPECT_EQ(malas[0],
              (ErrorCelda{Columna::Aislamiento,
                          "La columna «aislamiento» no tiene un valor válido: «THHN-X»."}));
    EXPECT_EQ(malas[1].columna, Columna::Ubicacion);
    EXPECT_EQ(malas[2].columna, Columna::Dispositivo100);
}

// A row gives its load one way and its continuous part one way: none, or two, is an error
// that names the columns. A header without any load column is refused.
TEST(LeerFila, OneLoadAndOneContinuousPart) {
    const Encabezado e = De({"circuito", "sistema", "conductor", "ducto", "corriente", "kVA",
                             "voltaje", "fp", "longitud", "continua", "corriente_continua"});
    const auto errores = [&](std::vector<std::string> celdas) {
        const FilaLeida f = LeerFila(celdas, e, Punto);
        const auto* lista = std::get_if<std::vector<ErrorCelda>>(&f);
        return lista ? *lista : std::vector<ErrorCelda>{};
    };
    EXPECT_EQ(errores({"A", "3", "cu", "pvc", "30", "25", "480", "0.9", "10"}),
              (std::vector<ErrorCelda>{{Columna::PotenciaKva,
                                        "La fila da a la vez «corriente» y «potencia_kva»: sólo "
                                        "una de «corriente», «potencia_kw», «potencia_kva» "
                                        "puede darse."}}));
    EXPECT_EQ(
        errores({"A", "3", "cu", "pvc", "", " ", "480", "0.9", "10"}),
        (std::vector<ErrorCelda>{{Columna::Corriente, "La fila no da su carga: una de «corriente», "
                                                      "«potencia_kw», «potencia_kva»."}}));
    EXPECT_EQ(errores({"A", "3", "cu", "pvc", "30", "", "480", "0.9", "10", "50", "12"}),
              (std::vector<ErrorCelda>{
                  {Columna::CorrienteContinua,
                   "La fila da a la vez «continua» y «corriente_continua»: sólo una de "
                   "«continua», «corriente_continua» puede darse."}}));
    EXPECT_TRUE(errores({"A", "3", "cu", "pvc", "", "25", "480", "0.9", "10", "", "12"}).empty());
    EXPECT_EQ(std::get<std::string>(LeerEncabezado({"circuito", "sistema", "conductor", "ducto",
                                                    "voltaje", "fp", "longitud"}))
                  .substr(0, 242),
              "faltan columnas obligatorias en el encabezado: corriente (o potencia_kw, o "
              "potencia_kva, o motor_hp en un cuadro de motores). El encabezado tiene «circuito», "
              "«sistema», «conductor», «ducto», «voltaje», «fp», «longitud». Se leen ");
    // A schedule of motors gives each load by its rating.
    EXPECT_TRUE(std::holds_alternative<Encabezado>(LeerEncabezado(
        {"circuito", "sistema", "conductor", "ducto", "voltaje", "fp", "longitud", "HP"})));
}

// A motor's row: its rating as people write it, its type by the trade's words, its nameplate;
// its load columns stay empty, and a motor column without a rating belongs to no motor.
TEST(LeerFila, AMotorsRow) {
    const Encabezado e = De({"circuito", "sistema", "conductor", "ducto", "corriente", "voltaje",
                             "fp", "longitud", "motor_hp", "motor_tipo", "motor_corriente_placa",
                             "motor_factor_servicio", "motor_elevacion", "continua"});
    const auto leer = [&](std::vector<std::string> celdas) { return LeerFila(celdas, e, Coma); };
    const auto motor = [&](std::vector<std::string> celdas) {
        return std::get<engine::Alimentador>(leer(std::move(celdas))).motor;
    };
    const auto m = motor({"B-1", "3", "cu", "pvc", "", "460", "0,85", "20", "7½", "Inducción",
                          "13,5", "1,15", "40"});
    ASSERT_TRUE(m);
    EXPECT_EQ(engine::PotenciasMotor[m->potencia].nombre, "7 1/2");
    EXPECT_EQ(m->tipo, engine::TipoMotor::JaulaDeArdilla);
    EXPECT_EQ(m->corrientePlaca, *engine::Decimal::Leer("13.5"));
    EXPECT_EQ(m->factorServicio, *engine::Decimal::Leer("1.15"));
    EXPECT_EQ(m->elevacion, engine::Decimal(40));
    EXPECT_EQ(
        motor({"B-2", "3", "cu", "pvc", "", "460", "0,85", "20", "0,5", "rotor devanado"})->tipo,
        engine::TipoMotor::RotorDevanado);
    EXPECT_EQ(motor({"B-3", "3", "cu", "pvc", "", "460", "0,85", "20", "1 1/2", "síncrono"})->tipo,
              engine::TipoMotor::Sincrono);
    EXPECT_FALSE(motor({"A-1", "3", "cu", "pvc", "30", "460", "0,85", "20"}));

    const auto errores = [&](std::vector<std::string> celdas) {
        const FilaLeida f = leer(std::move(celdas));
        const auto* lista = std::get_if<std::vector<ErrorCelda>>(&f);
        return lista ? *lista : std::vector<ErrorCelda>{};
    };
    EXPECT_EQ(errores({"B-4", "3", "cu", "pvc", "14", "460", "0,85", "20", "10"}),
              (std::vector<ErrorCelda>{
                  {Columna::Corriente,
                   "La columna «corriente» debe quedar vacía en la fila de un motor: su carga es "
                   "la corriente a plena carga de las tablas de motores, por «motor_hp»."}}));
    const auto once = errores({"B-5", "3", "cu", "pvc", "", "460", "0,85", "20", "11 hp"});
    ASSERT_EQ(once.size(), 1u);
    EXPECT_EQ(once[0].columna, Columna::MotorHp);
    EXPECT_NE(once[0].mensaje.find("«11 hp»"), std::string::npos) << once[0].mensaje;
    EXPECT_NE(once[0].mensaje.find("7 1/2, 10, 15"), std::string::npos) << once[0].mensaje;
    EXPECT_EQ(
        errores({"B-6", "3", "cu", "pvc", "", "460", "0,85", "20", "10", "diésel"}).front().columna,
        Columna::MotorTipo);
    EXPECT_EQ(errores({"A-2", "3", "cu", "pvc", "30", "460", "0,85", "20", "", "", "13"}),
              (std::vector<ErrorCelda>{
                  {Columna::MotorCorrientePlaca,
                   "La columna «motor_corriente_placa» es de un motor, y la fila no da su "
                   "potencia en «motor_hp»."}}));
    EXPECT_EQ(
        errores({"B-7", "3", "cu", "pvc", "", "460", "0,85", "20", "10", "", "-3"}).front().columna,
        Columna::MotorCorrientePlaca);
}
