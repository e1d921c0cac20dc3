#include "schedule/decimal_mark.h"

#include <gtest/gtest.h>

#include <vector>

using namespace schedule;

namespace {

// The cells of a file or a pasted block read under the mark they decide, each as its plain
// decimal or "!" and why not: "!otra" (the mark fewer cells show), "!empate", "!no",
// "!cifras".
std::vector<std::string> Leer(const std::vector<std::string>& celdas, Marca porOmision) {
    DecisionMarca decision;
    for (const std::string& c : celdas) {
        decision.Contar(c);
    }
    const MarcaDecimal marca = decision.Decidir(porOmision);
    std::vector<std::string> leidas;
    for (const std::string& c : celdas) {
        const auto leido = LeerNumero(c, marca);
        if (const auto* n = std::get_if<Numero>(&leido)) {
            leidas.push_back(n->texto);
            continue;
        }
        switch (std::get<FallaNumero>(leido)) {
        case FallaNumero::NoEsNumero:
            leidas.push_back("!no");
            break;
        case FallaNumero::OtraMarca:
            leidas.push_back("!otra");
            break;
        case FallaNumero::Empate:
            leidas.push_back("!empate");
            break;
        case FallaNumero::DemasiadasCifras:
            leidas.push_back("!cifras");
            break;
        }
    }
    return leidas;
}

} // namespace

TEST(IndicioDe, AMarkShowsItselfByTheDigitsAfterItOrByStandingLast) {
    const std::pair<const char*, Indicio> casos[] = {
        {"0,9", Indicio::Coma},      {"1.200,5", Indicio::Coma},  {"1,2345", Indicio::Coma},
        {"5,", Indicio::Coma},       {"0.85", Indicio::Punto},    {"1,200.5", Indicio::Punto},
        {"1.200", Indicio::Ninguno}, {"1,200", Indicio::Ninguno}, {"1.200.000", Indicio::Ninguno},
        {"30", Indicio::Ninguno},    {"30 A", Indicio::Ninguno},  {"a,b", Indicio::Ninguno},
        {"1.5,5", Indicio::Ambos},   {" -0,5 ", Indicio::Coma},
    };
    for (const auto& [celda, indicio] : casos) {
        EXPECT_EQ(IndicioDe(celda), indicio) << celda;
    }
}

// Files (the mark by default is the delimiter's: ";" or tab the comma, "," the point) and
// pasted blocks or typed cells in es_MX and en_US (point) and es_CO (comma).
TEST(LeerNumero, OneMarkForAFileOrABlock) {
    const struct {
        const char* caso;
        std::vector<std::string> celdas;
        Marca porOmision;
        std::vector<std::string> leidas;
    } casos[] = {
        {"archivo ; con coma decimal",
         {"0,9", "1.200", "1.200,5", "32", "-1,5", ",5", "5,", "1.200.000"},
         Marca::Coma,
         {"0.9", "1200", "1200.5", "32", "-1.5", "0.5", "5", "1200000"}},
        {"archivo , con punto decimal",
         {"0.85", "1,200", "1,200.5", "+12", "1.200"},
         Marca::Punto,
         {"0.85", "1200", "1200.5", "12", "1.200"}},
        {"archivo ; sin celda que decida", {"1.200", "30"}, Marca::Coma, {"1200", "30"}},
        {"archivo , sin celda que decida", {"1,200", "30"}, Marca::Punto, {"1200", "30"}},
        {"es_CO, celda escrita", {"1.200"}, Marca::Coma, {"1200"}},
        {"es_MX, celda escrita", {"1,200"}, Marca::Punto, {"1200"}},
        {"en_US, celda escrita", {"1,200.5"}, Marca::Punto, {"1200.5"}},
        {"es_MX, bloque pegado con coma decimal",
         {"0,9", "1.200", "240"},
         Marca::Punto,
         {"0.9", "1200", "240"}},
        {"es_CO, bloque pegado con punto decimal",
         {"0.9", "1,200", "240"},
         Marca::Coma,
         {"0.9", "1200", "240"}},
        {"agrupación que no es de a tres",
         {"0,9", "0,5", "2,25", "1,75", "1.20.0", "1,2,3", "12.34.567", "1234.567,8", "1.2345,6"},
         Marca::Coma,
         {"0.9", "0.5", "2.25", "1.75", "!otra", "!no", "!otra", "!no", "!no"}},
        {"archivo , con un millón agrupado mal",
         {"0.5", "1.200.000"},
         Marca::Punto,
         {"0.5", "!no"}},
        {"archivo que mezcla marcas",
         {"0,9", "0,85", "1.5", "30"},
         Marca::Punto,
         {"0.9", "0.85", "!otra", "30"}},
        {"empate",
         {"0,9", "1.5", "1.200", "30"},
         Marca::Coma,
         {"!empate", "!empate", "!empate", "30"}},
        {"demasiadas cifras",
         {"1234567890123456", "123456789012345", "0.1234567890123450"},
         Marca::Punto,
         {"!cifras", "123456789012345", "0.1234567890123450"}},
        {"no son números",
         {"30 A", "", "-", "1e3", "nan", "0x10", "1 200"},
         Marca::Punto,
         {"!no", "!no", "!no", "!no", "!no", "!no", "!no"}},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Leer(c.celdas, c.porOmision), c.leidas) << c.caso;
    }
}

TEST(MarcaPorDelimitador, SemicolonAndTabWriteTheCommaAndCommaThePoint) {
    EXPECT_EQ(MarcaPorDelimitador(';'), Marca::Coma);
    EXPECT_EQ(MarcaPorDelimitador('\t'), Marca::Coma);
    EXPECT_EQ(MarcaPorDelimitador(','), Marca::Punto);
    EXPECT_EQ(DelimitadorPorMarca(Marca::Coma), ';');
    EXPECT_EQ(DelimitadorPorMarca(Marca::Punto), ',');
}

// A number written with a mark that is not its delimiter's shows it, so that reading the
// file back decides the same mark: "1,500" alone in a "," file would be 1500.
TEST(ConMarca, ShowsTheMarkWhereTheFileCouldNotTellIt) {
    EXPECT_EQ(ConMarca("1200.5", Marca::Coma), "1200,5");
    EXPECT_EQ(ConMarca("1.5", Marca::Coma, true), "1,5");
    EXPECT_EQ(ConMarca("1.500", Marca::Coma), "1,500");
    EXPECT_EQ(ConMarca("1.500", Marca::Coma, true), "1,5000");
    EXPECT_EQ(ConMarca("30", Marca::Coma, true), "30");
    EXPECT_EQ(Leer({ConMarca("1.500", Marca::Coma, true)}, Marca::Punto),
              std::vector<std::string>{"1.5000"});
}
