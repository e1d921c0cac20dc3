#include "schedule/columns.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace schedule;

namespace {

Encabezado De(const std::vector<std::string>& nombres) {
    return std::get<Encabezado>(LeerEncabezado(nombres));
}

} // namespace

TEST(LeerEncabezado, FindsColumnsByNameAndNamesTheMissingOnes) {
    const Encabezado e = De({"Notas", "CIRCUITO", "sistema", "Conductor", "Ducto", "Corriente",
                             "Voltaje", "F P", "Longitud", "Calibre", "Regulación_máx"});
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::Circuito)], 1u);
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::Fp)], 7u);
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::RegulacionMax)], 10u);
    EXPECT_FALSE(e.posicion[static_cast<std::size_t>(Columna::Paralelo)]);
    const auto falta = LeerEncabezado({"circuito", "sistema", "ducto", "corriente", "voltaje"});
    // The message lists what the header has, and the names each missing column is read by.
    EXPECT_EQ(std::get<std::string>(falta),
              "faltan columnas obligatorias en el encabezado: conductor, fp, longitud. El "
              "encabezado tiene «circuito», «sistema», «ducto», «corriente», «voltaje». Se leen "
              "por estos nombres, sin importar mayúsculas, acentos ni unidades; conductor: "
              "«conductor»; fp: «fp», «Factor de potencia», «cos φ»; longitud: «longitud», "
              "«Longitud (m)», «distancia»");
}

// Headers as people write them: units, dots, joining words and abbreviations do not matter,
// and other names stand in for an input whose own name no column has.
TEST(LeerEncabezado, ForgivesTheWaysPeopleWriteHeaders) {
    const Encabezado e = De({"Tablero",
                             "Sistema",
                             "Conductor",
                             "Ducto",
                             "Corriente (A)",
                             "Tensión [V]",
                             "F. de P.",
                             "Long. (m)",
                             "Regulación máx. (%)",
                             "Conjuntos",
                             "Temperatura",
                             "Conductores portadores",
                             "Calibre (AWG/kcmil)",
                             "Potencia (kW)",
                             "kVA",
                             "Continua (%)",
                             "Corriente continua [A]",
                             "Aislamiento",
                             "Ubicación",
                             "Terminales (°C)",
                             "Dispositivo 100",
                             "Interruptor (A)",
                             "Neutro",
                             "Calibre neutro",
                             "Neutro portador",
                             "Tipo de tubo",
                             "Tamaño tubo",
                             "Alimentado por",
                             "Transformador",
                             "Capacidad interruptiva",
                             "kVA del transformador",
                             "Z del transformador",
                             "HP",
                             "Tipo de motor",
                             "Corriente de placa (A)",
                             "Factor de servicio",
                             "Elevación de temperatura (°C)",
                             "Notas"});
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        EXPECT_EQ(e.posicion[c], c) << Columnas[c].nombre;
    }
    EXPECT_EQ(e.sinUso, std::vector<std::size_t>{37});
    EXPECT_EQ(AvisoSinUso(e), "Columnas que no se usan: «Notas».");
    for (const char* fp : {"F.P.", "FP", "fp", "Factor de potencia", "cos φ", "F P"}) {
        const Encabezado f = De(
            {"circuito", "sistema", "conductor", "ducto", "corriente", "voltaje", fp, "distancia"});
        EXPECT_EQ(f.posicion[static_cast<std::size_t>(Columna::Fp)], 6u) << fp;
    }
}

// A synonym serves only when no column has the input's own name; two synonyms of one
// input, without it, are refused by name. Before, "temperatura" and "conjuntos" passed
// through unread and the defaults were used in silence.
TEST(LeerEncabezado, SynonymsGiveWayToTheOwnNameAndMayNotBeTwo) {
    const Encabezado e = De({"Circuito", "Tablero", "sistema", "conductor", "ducto", "corriente",
                             "voltaje", "fp", "longitud", "Temperatura"});
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::Circuito)], 0u);
    EXPECT_EQ(e.sinUso, std::vector<std::size_t>{1});
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::TemperaturaAmbiente)], 9u);
    EXPECT_EQ(
        std::get<std::string>(LeerEncabezado({"tablero", "alimentador", "sistema", "conductor",
                                              "ducto", "corriente", "voltaje", "fp", "longitud"})),
        "las columnas «tablero» y «alimentador» nombran las dos la columna «circuito»; "
        "deje una");
}

// The result columns keep the places scripts read them by: the earlier ones first, those a
// later version added after the remarks.
TEST(ColumnasResultado, KeepTheirPlacesInTheOutput) {
    std::vector<std::string_view> nombres;
    for (const DescripcionResultado& r : ColumnasResultado) {
        nombres.push_back(r.nombre);
    }
    EXPECT_EQ(nombres, (std::vector<std::string_view>{"calibre_caida",
                                                      "calibre_ampacidad",
                                                      "calibre_elegido",
                                                      "mm2",
                                                      "rige",
                                                      "caida_v",
                                                      "regulacion",
                                                      "voltaje_final",
                                                      "ampacidad",
                                                      "observaciones",
                                                      "corriente_calc",
                                                      "proteccion_elegida",
                                                      "neutro_elegido",
                                                      "tierra",
                                                      "tubos",
                                                      "tubo_elegido",
                                                      "relleno",
                                                      "regulacion_total",
                                                      "especificacion",
                                                      "icc_inicio_ka",
                                                      "icc_final_ka",
                                                      "capacidad_interruptiva_elegida",
                                                      "sobrecarga_max",
                                                      "desconectador_min"}));
}

// The window shows the total regulation beside the feeder's own and the remarks, which run
// long, last; the record's table keeps the figures a reviewer checks, in the same order.
TEST(ColumnasResultado, TheWindowAndTheRecordTakeTheirOrderFromTheTable) {
    using R = ColumnaResultado;
    EXPECT_EQ(ResultadosEnVentana.back(), R::Observaciones);
    const auto lugar = [](R r) {
        return std::find(ResultadosEnVentana.begin(), ResultadosEnVentana.end(), r) -
               ResultadosEnVentana.begin();
    };
    EXPECT_EQ(lugar(R::RegulacionTotal), lugar(R::Regulacion) + 1);
    std::vector<std::string_view> tabla;
    for (const R r : ResultadosEnTabla) {
        tabla.push_back(Descripcion(r).titulo.corto);
    }
    EXPECT_EQ(tabla, (std::vector<std::string_view>{"Cal. caída", "Cal. amp.", "Cal. elegido",
                                                    "mm²", "Rige", "Caída (V)", "Reg. (%)",
                                                    "Reg. total (%)", "V final (V)", "Amp. (A)",
                                                    "I calc. (A)", "Prot. (A)", "Relleno (%)"}));
}

// A refusal of the sizing marks the cell of the input it names: every input the sizing
// can refuse has its column.
TEST(ColumnaDe, EveryInputOfTheSizingHasItsColumn) {
    for (int d = 0; d <= static_cast<int>(engine::Dato::TamanoTubo); ++d) {
        const auto dato = static_cast<engine::Dato>(d);
        EXPECT_EQ(Descripcion(ColumnaDe(dato)).dato, dato) << d;
    }
    EXPECT_EQ(ColumnaDe(engine::Dato::FactorPotencia), Columna::Fp);
    EXPECT_EQ(ColumnaDe(engine::Dato::Juegos), Columna::Paralelo);
}

// The defaults the help tells are the tables' own: each conduit material's first type, the
// engine's defaults, the choices of the editors.
TEST(TextoPorOmision, TellsTheTablesDefaults) {
    EXPECT_EQ(TextoPorOmision(Columna::Tubo), "PVC-40 en PVC, RMC en acero y aluminio");
    EXPECT_EQ(TextoPorOmision(Columna::RegulacionMax), "3");
    EXPECT_EQ(TextoPorOmision(Columna::Ubicacion), "mojada");
    EXPECT_EQ(TextoPorOmision(Columna::Aislamiento), "THW");
    EXPECT_EQ(TextoPorOmision(Columna::Terminales), "75");
    EXPECT_EQ(TextoPorOmision(Columna::Voltaje), "");
    EXPECT_EQ(OpcionesDe(Columna::Terminales), (std::vector<std::string>{"60", "75"}));
    EXPECT_EQ(OpcionesDe(Columna::Neutro), (std::vector<std::string>{"no", "sí"}));
    EXPECT_EQ(OpcionesDe(Columna::Proteccion).front(), "automático");
    EXPECT_EQ(OpcionesDe(Columna::Proteccion)[1], "15");
    EXPECT_TRUE(OpcionesDe(Columna::Longitud).empty());
    EXPECT_NE(AyudaDeColumnas().find("tubo (PVC-40 en PVC, RMC en acero y aluminio)"),
              std::string::npos);
}

// Every title the program writes for an input (the window's caption on one line, the
// workbook's header, the record's short form) and its own name, written as a header, read
// as that input; every name and written title of a result read as the results of an earlier
// sizing, which no input takes. Before, "Regulación máxima (%)" and "Conjuntos en paralelo"
// were left unread, and "Neutro (AWG/kcmil)" was read as the input "neutro".
TEST(LeerEncabezado, ReadsBackEveryTitleTheProgramWrites) {
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        const Titulo& t = Columnas[c].titulo;
        for (const std::string& titulo : {std::string(Columnas[c].nombre), EnUnaLinea(t.ventana),
                                          std::string(t.libro), std::string(t.corto)}) {
            const Encabezado e = EncabezadoParcial({"Otra", titulo});
            EXPECT_EQ(e.posicion[c], 1u) << titulo;
            EXPECT_TRUE(e.resultados.empty()) << titulo;
        }
    }
    for (const DescripcionResultado& r : ColumnasResultado) {
        std::vector<std::string> titulos{std::string(r.nombre), EnUnaLinea(r.titulo.ventana),
                                         std::string(r.titulo.libro)};
        if (r.memoria != EnMemoria::Ninguna) {
            titulos.emplace_back(r.titulo.corto);
        }
        for (const std::string& titulo : titulos) {
            const Encabezado e = EncabezadoParcial({titulo});
            EXPECT_EQ(e.resultados, std::vector<std::size_t>{0}) << titulo;
            EXPECT_TRUE(std::none_of(e.posicion.begin(), e.posicion.end(), [](const auto& p) {
                return p.has_value();
            })) << titulo;
        }
    }
    EXPECT_EQ(EnUnaLinea("Para-\nlelo"), "Paralelo");
    EXPECT_EQ(EnUnaLinea("Corriente\ncalc. (A)"), "Corriente calc. (A)");
}

// Spanish schedules number their circuits, and give the load as "Carga" with its unit.
TEST(LeerEncabezado, ReadsTheHeadersOfSpanishSchedules) {
    for (const char* circuito : {"No. Circuito", "N° Circuito", "Nº Circuito", "Circuito No.",
                                 "Núm. circuito", "# circuito", "Número de circuito"}) {
        EXPECT_EQ(
            EncabezadoParcial({circuito}).posicion[static_cast<std::size_t>(Columna::Circuito)], 0u)
            << circuito;
    }
    const Encabezado e = EncabezadoParcial({"Carga (kW)", "Carga (kVA)", "Carga (A)", "Carga"});
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::PotenciaKw)], 0u);
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::PotenciaKva)], 1u);
    EXPECT_EQ(e.posicion[static_cast<std::size_t>(Columna::Corriente)], 2u);
    // Without its unit, a load names none of the three.
    EXPECT_EQ(e.sinUso, std::vector<std::size_t>{3});
    // A header that is only the word of a number stays a header of its own.
    EXPECT_EQ(EncabezadoParcial({"No."}).sinUso, std::vector<std::size_t>{0});
}
