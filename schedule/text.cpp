#include "schedule/text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace schedule {
namespace {

// Windows-1252 bytes 0x80 to 0x9F, which differ from Latin-1.
constexpr std::array<char16_t, 32> Cp1252{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AgregarUtf8(std::string& texto, char32_t codigo) {
    if (codigo < 0x80) {
        texto += static_cast<char>(codigo);
    } else if (codigo < 0x800) {
        texto += static_cast<char>(0xC0 | (codigo >> 6));
        texto += static_cast<char>(0x80 | (codigo & 0x3F));
    } else {
        texto += static_cast<char>(0xE0 | (codigo >> 12));
        texto += static_cast<char>(0x80 | ((codigo >> 6) & 0x3F));
        texto += static_cast<char>(0x80 | (codigo & 0x3F));
    }
}

// The base letter of a lower-case Latin-1 letter with an accent, or the letter itself.
char SinAcento(char32_t codigo) {
    // From U+00E0 (à) to U+00FF (ÿ); the division sign, no letter, has no base ("-").
    constexpr std::string_view Bases = "aaaaaaaceeeeiiiidnooooo-ouuuuyty";
    if (codigo >= 0xC0 && codigo <= 0xDE && codigo != 0xD7) {
        codigo += 0x20; // the upper-case letters stand 0x20 below their lower case
    }
    if (codigo >= 0xE0 && codigo <= 0xFF && Bases[codigo - 0xE0] != '-') {
        return Bases[codigo - 0xE0];
    }
    return 0;
}

// Words that join the others and name nothing.
constexpr std::array<std::string_view, 10> Enlaces{"de",  "del", "la",  "las", "el",
                                                   "los", "en",  "por", "y",   "a"};

struct Palabra {
    std::string texto;      // normalised
    bool abreviada = false; // cut short with a dot
};

// The units in brackets that tell one column from another: a load in kW or in kVA.
constexpr std::array<std::string_view, 2> UnidadesQueNombran{"kw", "kva"};

// The words of a header, without the joining words and without what stands in brackets or
// parentheses, but for a unit that names the column.
std::vector<Palabra> Palabras(std::string_view texto) {
    std::vector<Palabra> palabras;
    std::string actual, unidad;
    int dentro = 0;
    const auto cerrar = [&](bool abreviada) {
        const std::string normal = Normalizar(actual);
        if (!normal.empty() && std::find(Enlaces.begin(), Enlaces.end(), normal) == Enlaces.end()) {
            palabras.push_back({normal, abreviada});
        }
        actual.clear();
    };
    for (const char c : texto) {
        if (c == '(' || c == '[') {
            cerrar(false);
            ++dentro;
            unidad.clear();
        } else if (c == ')' || c == ']') {
            dentro = std::max(0, dentro - 1);
            const std::string normal = Normalizar(unidad);
            if (std::find(UnidadesQueNombran.begin(), UnidadesQueNombran.end(), normal) !=
                UnidadesQueNombran.end()) {
                palabras.push_back({normal, false});
            }
        } else if (dentro > 0) {
            unidad += c;
        } else if (c == '.') {
            cerrar(true);
        } else if (c == ' ' || c == '_' || c == '-' || c == '\t' || c == '/') {
            cerrar(false);
        } else {
            actual += c;
        }
    }
    cerrar(false);
    return palabras;
}

std::string Juntas(const std::vector<Palabra>& palabras) {
    std::string juntas;
    for (const Palabra& p : palabras) {
        juntas += p.texto;
    }
    return juntas;
}

} // namespace

bool MismoNombre(std::string_view encabezado, std::string_view nombre) {
    const std::vector<Palabra> de = Palabras(encabezado);
    const std::vector<Palabra> a = Palabras(nombre);
    if (de.empty()) {
        return false;
    }
    if (Juntas(de) == Juntas(a)) {
        return true;
    }
    if (de.size() != a.size()) {
        return false;
    }
    for (std::size_t i = 0; i < de.size(); ++i) {
        const bool igual = de[i].texto == a[i].texto;
        const bool empieza = de[i].abreviada && a[i].texto.starts_with(de[i].texto);
        if (!igual && !empieza) {
            return false;
        }
    }
    return true;
}

bool ValidadorUtf8::Agregar(std::string_view bloque) {
    for (const char c : bloque) {
        const auto b = static_cast<unsigned char>(c);
        if (!valido_) {
            return false;
        }
        if (pendientes_ > 0) {
            if ((b & 0xC0) != 0x80) {
                valido_ = false;
                return false;
            }
            codigo_ = (codigo_ << 6) | (b & 0x3F);
            if (--pendientes_ == 0 && (codigo_ < minimo_ || codigo_ > 0x10FFFF ||
                                       (codigo_ >= 0xD800 && codigo_ <= 0xDFFF))) {
                valido_ = false;
            }
        } else if (b < 0x80) {
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            pendientes_ = 1, minimo_ = 0x80, codigo_ = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            pendientes_ = 2, minimo_ = 0x800, codigo_ = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            pendientes_ = 3, minimo_ = 0x10000, codigo_ = b & 0x07;
        } else {
            valido_ = false;
        }
    }
    return valido_;
}

std::string DesdeWindows1252(std::string_view bytes) {
    std::string texto;
    texto.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AgregarUtf8(texto, b >= 0x80 && b < 0xA0 ? Cp1252[b - 0x80] : b);
    }
    return texto;
}

namespace {

// The text in Windows-1252; a character the code page lacks is given to `faltante`, which
// writes what stands for it, or says false to give up.
template <typename Faltante>
std::optional<std::string> EnWindows1252(std::string_view utf8, Faltante faltante) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t codigo = b;
        std::size_t largo = 1;
        if (b >= 0xF0 && i + 3 < utf8.size()) {
            codigo = ((b & 0x07) << 18) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 12) |
                     ((static_cast<unsigned char>(utf8[i + 2]) & 0x3F) << 6) |
                     (static_cast<unsigned char>(utf8[i + 3]) & 0x3F);
            largo = 4;
        } else if (b >= 0xE0 && i + 2 < utf8.size()) {
            codigo = ((b & 0x0F) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6) |
                     (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
            largo = 3;
        } else if (b >= 0xC0 && i + 1 < utf8.size()) {
            codigo = ((b & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
            largo = 2;
        }
        i += largo;
        const auto c1 = std::find(Cp1252.begin(), Cp1252.end(), static_cast<char16_t>(codigo));
        if (codigo <= 0xFFFF && c1 != Cp1252.end()) {
            bytes += static_cast<char>(0x80 + (c1 - Cp1252.begin()));
        } else if (codigo < 0x80 || (codigo >= 0xA0 && codigo <= 0xFF)) {
            bytes += static_cast<char>(codigo);
        } else if (!faltante(codigo, bytes)) {
            return std::nullopt;
        }
    }
    return bytes;
}

} // namespace

std::optional<std::string> HaciaWindows1252(std::string_view utf8) {
    return EnWindows1252(utf8, [](char32_t, std::string&) { return false; });
}

std::string HaciaWindows1252Parecido(std::string_view utf8) {
    return *EnWindows1252(utf8, [](char32_t codigo, std::string& bytes) {
        bytes += codigo == 0x2192 ? "->" : codigo == 0x2265 ? ">=" : codigo == 0x2264 ? "<=" : "?";
        return true;
    });
}

std::string_view SinBlancos(std::string_view texto) {
    const auto blanco = [](char c) { return c == ' ' || c == '\t'; };
    while (!texto.empty() && blanco(texto.front())) {
        texto.remove_prefix(1);
    }
    while (!texto.empty() && blanco(texto.back())) {
        texto.remove_suffix(1);
    }
    return texto;
}

std::string_view SinNumeral(std::string_view encabezado) {
    // As Normalizar leaves them: the letters without their accents, the signs as they are.
    constexpr std::array<std::string_view, 12> Numerales{
        "no", "no.", "n°", "nº", "n.°", "n.º", "num", "num.", "numero", "nro", "nro.", "#"};
    const auto numeral = [&](std::string_view palabra) {
        return std::find(Numerales.begin(), Numerales.end(), Normalizar(palabra)) !=
               Numerales.end();
    };
    std::string_view texto = SinBlancos(encabezado);
    const std::size_t primero = texto.find(' ');
    if (primero != std::string_view::npos && numeral(texto.substr(0, primero))) {
        texto = SinBlancos(texto.substr(primero + 1));
    }
    const std::size_t ultimo = texto.rfind(' ');
    if (ultimo != std::string_view::npos && numeral(texto.substr(ultimo + 1))) {
        texto = SinBlancos(texto.substr(0, ultimo));
    }
    return texto;
}

std::string Comillas(std::string_view texto) {
    std::string citado(texto);
    std::replace(citado.begin(), citado.end(), '|', '/');
    return "«" + citado + "»";
}

std::string Normalizar(std::string_view utf8) {
    std::string nombre;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b == ' ' || b == '_' || b == '\t') {
            continue;
        }
        if (b < 0x80) {
            nombre += static_cast<char>(b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b);
            continue;
        }
        // A two-byte letter of Latin-1 loses its accent; anything else is kept as it is.
        if ((b & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const char32_t codigo =
                ((b & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
            if (const char base = SinAcento(codigo)) {
                nombre += base;
                ++i;
                continue;
            }
        }
        nombre += static_cast<char>(b);
    }
    return nombre;
}

} // namespace schedule
