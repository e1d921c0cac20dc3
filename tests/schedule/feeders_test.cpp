#include "schedule/feeders.h"
#include "schedule/text.h"

#include <gtest/gtest.h>

using namespace schedule;

namespace {

Encabezado De(const std::vector<std::string>& nombres) {
    return std::get<Encabezado>(LeerEncabezado(nombres));
}

const std::vector<std::string> Nombres{"Circuito",  "Sistema", "Conductor", "Ducto",
                                       "Corriente", "Voltaje", "FP",        "Longitud"};

std::vector<ErrorCelda> Errores(const std::vector<std::string>& celdas, bool coma = true) {
    const FilaLeida fila = LeerFila(celdas, De(Nombres), coma);
    const auto* errores = std::get_if<std::vector<ErrorCelda>>(&fila);
    return errores ? *errores : std::vector<ErrorCelda>{};
}

} // namespace

TEST(Normalizar, IgnoresCaseAccentsSpacesAndUnderscores) {
    EXPECT_EQ(Normalizar("Regulación Máx"), "regulacionmax");
    EXPECT_EQ(Normalizar("REGULACION_MAX"), "regulacionmax");
    EXPECT_EQ(Normalizar("MONOFÁSICO"), "monofasico");
    EXPECT_EQ(Normalizar("Temperatura  Ambiente"), "temperaturaambiente");
    EXPECT_EQ(Normalizar("Año ÜÑ"), "anoun");
    EXPECT_EQ(Normalizar("1/0"), "1/0");
    EXPECT_EQ(Normalizar("Ω×÷"), "Ω×÷");
}

TEST(LeerEncabezado, FindsColumnsByNameAndNamesTheMissingOnes) {
    const Encabezado e = De({"Notas", "CIRCUITO", "sistema", "Conductor", "Ducto", "Corriente",
                             "Voltaje", "F P", "Longitud", "Calibre", "Regulación_máx"});
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::Circuito)], 1u);
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::Fp)], 7u);
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::RegulacionMax)], 10u);
    EXPECT_FALSE(e.posicion[static_cast<std::size_t>(Columna::Paralelo)]);
    const auto falta = LeerEncabezado({"circuito", "sistema", "ducto", "corriente", "voltaje"});
    EXPECT_EQ(std::get<std::string>(falta),
              "faltan columnas obligatorias en el encabezado: conductor, fp, longitud");
}

TEST(NumeroEstricto, TakesOnlyPlainDecimals) {
    const struct {
        const char* texto;
        bool coma;
        std::optional<double> valor;
    } casos[] = {
        {"30", false, 30},   {" 30 ", false, 30},   {"0.85", false, 0.85}, {"0,85", true, 0.85},
        {".5", false, 0.5},  {"5.", false, 5},      {"-2", false, -2},     {"+2", false, 2},
        {"0,85", false, {}}, {"1,234.5", true, {}}, {"1.234,5", true, {}}, {"1 234", true, {}},
        {"30 A", false, {}}, {"", false, {}},       {"  ", false, {}},     {"nan", false, {}},
        {"inf", false, {}},  {"1e3", false, {}},    {".", false, {}},      {"-", false, {}},
        {"0x10", false, {}}, {"1E400", false, {}},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(NumeroEstricto(c.texto, c.coma), c.valor) << '"' << c.texto << '"';
    }
    EXPECT_FALSE(NumeroEstricto(std::string(400, '9'), false));
}

TEST(LeerFila, ReadsChoicesWhateverTheirCaseAndAccents) {
    const FilaLeida fila = LeerFila(
        {"A-1", "MONOFÁSICO", "al", "Acero", "32,5", "220", "0,85", "60"}, De(Nombres), true);
    const auto& a = std::get<engine::Alimentador>(fila);
    EXPECT_EQ(a.sistema, engine::Sistema::Monofasico);
    EXPECT_EQ(a.material, engine::Material::Aluminio);
    EXPECT_EQ(a.ducto, 2u);
    EXPECT_EQ(a.corriente, 32.5);
    EXPECT_EQ(a.factorPotencia, 0.85);
    EXPECT_EQ(a.regulacionMaxima, 3);
    EXPECT_EQ(a.juegos, 1);
    EXPECT_EQ(a.temperaturaAmbiente, 30);
    EXPECT_EQ(a.conductoresDucto, 3);
    EXPECT_FALSE(a.calibre);
    EXPECT_EQ(std::get<engine::Alimentador>(
                  LeerFila({"B", "3", "Cu", "pvc", "1", "1", "1", "1"}, De(Nombres), false))
                  .sistema,
              engine::Sistema::Trifasico);
}

// Every cell that cannot be read is told, naming its column and its text.
TEST(LeerFila, NamesEveryBadCell) {
    EXPECT_EQ(Errores({"A", "bifásico", "oro", "barro", "30 A", "", "nan", "1.000,5"}),
              (std::vector<ErrorCelda>{
                  {Columna::Sistema, "La columna «sistema» no tiene un valor válido: «bifásico»."},
                  {Columna::Conductor, "La columna «conductor» no tiene un valor válido: «oro»."},
                  {Columna::Ducto, "La columna «ducto» no tiene un valor válido: «barro»."},
                  {Columna::Corriente, "La columna «corriente» no tiene un número: «30 A»."},
                  {Columna::Voltaje, "La columna «voltaje» está vacía."},
                  {Columna::Fp, "La columna «fp» no tiene un número: «nan»."},
                  {Columna::Longitud, "La columna «longitud» no tiene un número: «1.000,5»."},
              }));
    EXPECT_EQ(
        Errores({"A", "3", "cu", "pvc", "30", "220", "0,9", "10", "", "x"}),
        (std::vector<ErrorCelda>{
            {std::nullopt, "La fila tiene una celda fuera de las columnas del encabezado: «x»."}}));
    const Encabezado conCalibre = De({"circuito", "sistema", "conductor", "ducto", "corriente",
                                      "voltaje", "fp", "longitud", "calibre"});
    const FilaLeida fila =
        LeerFila({"A", "3", "cu", "pvc", "30", "220", "0.9", "10", "5/0"}, conCalibre, false);
    EXPECT_EQ(std::get<std::vector<ErrorCelda>>(fila).at(0),
              (ErrorCelda{Columna::Calibre,
                          "La columna «calibre» no tiene un calibre de la tabla: «5/0»."}));
    EXPECT_EQ(std::get<engine::Alimentador>(
                  LeerFila({"A", "3", "cu", "pvc", "30", "220", "0.9", "10", "Automático"},
                           conCalibre, false))
                  .calibre,
              std::nullopt);
}
