#include "schedule/decimal_mark.h"

#include "engine/decimal.h"
#include "schedule/text.h"

namespace schedule {
namespace {

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

// Only a cell made of digits, signs and the two marks can be a number at all.
bool PuedeSerNumero(std::string_view t) {
    for (const char c : t) {
        if (!EsDigito(c) && c != '+' && c != '-' && c != '.' && c != ',') {
            return false;
        }
    }
    return !t.empty();
}

bool SoloCifras(std::string_view t) {
    for (const char c : t) {
        if (!EsDigito(c)) {
            return false;
        }
    }
    return true;
}

// The digits that carry the value: none of the zeros ahead of the first other digit, nor
// those after the last.
std::size_t CifrasSignificativas(std::string_view entera, std::string_view fraccion) {
    std::string_view cifras = entera;
    std::string todas;
    if (!fraccion.empty()) {
        todas.assign(entera).append(fraccion);
        cifras = todas;
    }
    const std::size_t primera = cifras.find_first_not_of('0');
    if (primera == std::string_view::npos) {
        return 0;
    }
    std::size_t ultima = cifras.size();
    if (!fraccion.empty()) {
        ultima = cifras.find_last_not_of('0') + 1;
    }
    return ultima - primera;
}

// Whether the mark at `i` shows itself as the decimal mark.
bool Muestra(std::string_view t, std::size_t i, char otra) {
    std::size_t cifras = 0;
    while (i + 1 + cifras < t.size() && EsDigito(t[i + 1 + cifras])) {
        ++cifras;
    }
    return cifras != 3 || t.substr(0, i).find(otra) != std::string_view::npos;
}

// Digits grouped by threes with `grupo` after one to three leading digits, or plain
// digits; the digits without the separators, or false.
bool ParteEntera(std::string_view t, char grupo, std::string& cifras) {
    if (t.find(grupo) == std::string_view::npos) {
        cifras = t;
        return true;
    }
    std::size_t bloque = 0;
    bool primero = true;
    for (const char c : t) {
        if (c == grupo) {
            if (bloque == 0 || bloque > 3 || (!primero && bloque != 3)) {
                return false;
            }
            primero = false;
            bloque = 0;
        } else {
            cifras += c;
            ++bloque;
        }
    }
    return bloque == 3;
}

} // namespace

char Caracter(Marca marca) {
    return marca == Marca::Coma ? ',' : '.';
}

Marca MarcaPorDelimitador(char delimitador) {
    return delimitador == ',' ? Marca::Punto : Marca::Coma;
}

char DelimitadorPorMarca(Marca marca) {
    return marca == Marca::Coma ? ';' : ',';
}

Indicio IndicioDe(std::string_view celda) {
    const std::string_view t = SinBlancos(celda);
    if (!PuedeSerNumero(t)) {
        return Indicio::Ninguno;
    }
    bool punto = false;
    bool coma = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '.') {
            punto = punto || Muestra(t, i, ',');
        } else if (t[i] == ',') {
            coma = coma || Muestra(t, i, '.');
        }
    }
    return punto && coma ? Indicio::Ambos
           : punto       ? Indicio::Punto
           : coma        ? Indicio::Coma
                         : Indicio::Ninguno;
}

void DecisionMarca::Contar(std::string_view celda) {
    switch (IndicioDe(celda)) {
    case Indicio::Punto:
        ++punto_;
        break;
    case Indicio::Coma:
        ++coma_;
        break;
    case Indicio::Ninguno:
    case Indicio::Ambos:
        break;
    }
}

MarcaDecimal DecisionMarca::Decidir(Marca porOmision) const {
    if (punto_ == 0 && coma_ == 0) {
        return {porOmision, false};
    }
    if (punto_ == coma_) {
        return {porOmision, true};
    }
    return {punto_ > coma_ ? Marca::Punto : Marca::Coma, false};
}

std::variant<Numero, FallaNumero> LeerNumero(std::string_view celda, MarcaDecimal marca) {
    std::string_view t = SinBlancos(celda);
    const Indicio indicio = IndicioDe(t);
    if (marca.empate && t.find_first_of(".,") != std::string_view::npos &&
        indicio != Indicio::Ambos) {
        return FallaNumero::Empate;
    }
    const Indicio otra = marca.marca == Marca::Coma ? Indicio::Punto : Indicio::Coma;
    if (indicio == otra) {
        return FallaNumero::OtraMarca;
    }
    Numero n;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        if (t.front() == '-') {
            n.texto = "-";
        }
        t.remove_prefix(1);
    }
    const char decimal = Caracter(marca.marca);
    const char grupo = marca.marca == Marca::Coma ? '.' : ',';
    const std::size_t separador = t.find(decimal);
    const std::string_view entera = t.substr(0, separador);
    const std::string_view fraccion =
        separador == std::string_view::npos ? std::string_view() : t.substr(separador + 1);
    std::string cifras;
    if (!PuedeSerNumero(t) || !ParteEntera(entera, grupo, cifras) || !SoloCifras(fraccion) ||
        !SoloCifras(cifras) || cifras.size() + fraccion.size() == 0) {
        return FallaNumero::NoEsNumero;
    }
    const std::size_t decimales = fraccion.find_last_not_of('0') + 1; // 0 when none is
    if (CifrasSignificativas(cifras, fraccion) > engine::Decimal::CifrasMaximas ||
        decimales > engine::Decimal::DecimalesMaximos) {
        return FallaNumero::DemasiadasCifras;
    }
    n.texto += cifras.empty() ? "0" : cifras;
    if (!fraccion.empty()) {
        n.texto += '.';
        n.texto += fraccion;
    }
    return n;
}

std::string ConMarca(std::string_view numero, Marca marca, bool mostrarla) {
    std::string texto(numero);
    if (const std::size_t punto = texto.find('.'); punto != std::string::npos) {
        texto[punto] = Caracter(marca);
        if (mostrarla && texto.size() - punto - 1 == 3) {
            texto += '0';
        }
    }
    return texto;
}

} // namespace schedule
