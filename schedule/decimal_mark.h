// The decimal mark of a schedule's numbers. A file, or a block pasted from a spreadsheet,
// has one: it is decided from the numbers themselves, and the other mark may then only
// group thousands. So "1.200" in a file of decimal commas is 1200, never 1.2.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace schedule {

enum class Marca { Punto, Coma };

char Caracter(Marca marca);

// What a file delimited by `delimitador` writes when its numbers show no mark: a
// spreadsheet that saves ";" or tabs writes the decimal comma, one that saves "," the
// decimal point.
Marca MarcaPorDelimitador(char delimitador);
// The delimiter a new file takes for numbers with `marca`: the same rule the other way.
char DelimitadorPorMarca(Marca marca);

// What a cell shows of its decimal mark. A "," shows a decimal comma when it is followed by
// other than exactly three digits (0,9), or stands after a "." (1.200,5); "." likewise.
// "1.200" shows none: it may be 1.2, or 1200 with a thousands separator.
enum class Indicio { Ninguno, Punto, Coma, Ambos };
Indicio IndicioDe(std::string_view celda);

// The mark of a file or block: the one that more of its cells show. `empate` when as many
// cells show each: then no cell that shows a mark, or may hold a thousands separator, can
// be read.
struct MarcaDecimal {
    Marca marca = Marca::Punto;
    bool empate = false;

    bool operator==(const MarcaDecimal&) const = default;
};

// Counts the cells that show each mark, then decides.
class DecisionMarca {
public:
    void Contar(std::string_view celda);
    // `porOmision` when no cell shows a mark: the delimiter's for a file, the user's
    // locale for a window.
    MarcaDecimal Decidir(Marca porOmision) const;

private:
    std::size_t punto_ = 0;
    std::size_t coma_ = 0;
};

// A number cell read: its value as a plain decimal text ("-1200.5": "." as decimal point,
// no grouping, no blanks around), which engine::Decimal reads exactly.
struct Numero {
    std::string texto;
};

// Why a cell is not a number under the mark.
enum class FallaNumero {
    NoEsNumero,       // not a plain decimal, or its grouping is not by threes
    OtraMarca,        // it shows the mark that fewer cells show
    Empate,           // as many cells show each mark, and this one may be either
    DemasiadasCifras, // more than 15 significant digits
};

// The number in `celda` (blanks around are ignored): an optional sign, digits, and the
// decimal mark; the other mark may group the integer part by threes after one to three
// leading digits.
std::variant<Numero, FallaNumero> LeerNumero(std::string_view celda, MarcaDecimal marca);

// A plain decimal text written with `marca`, without grouping: "1200.5" to "1200,5".
// `mostrarla` writes three decimals as four ("1.5000" for "1.500"), so that the cell shows
// its mark: a file whose mark is not its delimiter's is then read back the same.
std::string ConMarca(std::string_view numero, Marca marca, bool mostrarla = false);

} // namespace schedule
