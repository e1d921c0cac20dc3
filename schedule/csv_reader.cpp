#include "schedule/csv_reader.h"

#include "schedule/text.h"

#include <csv.h>

#include <algorithm>
#include <array>

namespace schedule {
namespace {

constexpr std::size_t Bloque = 64 * 1024;
constexpr std::string_view MarcaUtf8 = "\xEF\xBB\xBF";

// Cells are carried through as written: no blank is trimmed.
int NingunBlanco(unsigned char) {
    return 0;
}

// The delimiter of the first record: the one of ";", tab and "," it holds most outside
// quotes, in that order of preference.
char Delimitador(std::string_view inicio) {
    std::array<std::size_t, 3> cuentas{};
    constexpr std::array<char, 3> Candidatos{';', '\t', ','};
    bool entreComillas = false;
    for (const char c : inicio) {
        if (c == '"') {
            entreComillas = !entreComillas;
        } else if (!entreComillas && (c == '\n' || c == '\r')) {
            break;
        } else if (!entreComillas) {
            for (std::size_t i = 0; i < Candidatos.size(); ++i) {
                cuentas[i] += c == Candidatos[i] ? 1 : 0;
            }
        }
    }
    const auto mayor = std::max_element(cuentas.begin(), cuentas.end());
    return *mayor == 0 ? ',' : Candidatos[static_cast<std::size_t>(mayor - cuentas.begin())];
}

// The line end of the first line, outside quotes; CRLF when there is none.
std::string FinDeLinea(std::string_view inicio) {
    bool entreComillas = false;
    for (std::size_t i = 0; i < inicio.size(); ++i) {
        if (inicio[i] == '"') {
            entreComillas = !entreComillas;
        } else if (!entreComillas && inicio[i] == '\n') {
            return i > 0 && inicio[i - 1] == '\r' ? "\r\n" : "\n";
        }
    }
    return "\r\n";
}

// Whether the stream's last byte ends a line; the stream is left at its start.
bool TerminaEnSalto(std::istream& entrada) {
    entrada.clear();
    entrada.seekg(0, std::ios::end);
    if (entrada.tellg() <= 0) {
        entrada.seekg(0);
        return true;
    }
    entrada.seekg(-1, std::ios::end);
    const bool salto = entrada.get() == '\n';
    entrada.clear();
    entrada.seekg(0);
    return salto;
}

} // namespace

std::variant<std::unique_ptr<LectorCsv>, std::string> LectorCsv::Abrir(std::istream& entrada) {
    ValidadorUtf8 validador;
    std::string inicio;
    std::string bloque(Bloque, '\0');
    while (entrada.read(bloque.data(), static_cast<std::streamsize>(bloque.size())) ||
           entrada.gcount() > 0) {
        const std::string_view leido(bloque.data(), static_cast<std::size_t>(entrada.gcount()));
        if (inicio.size() < Bloque) {
            inicio += leido.substr(0, Bloque - inicio.size());
        }
        if (!validador.Agregar(leido) && inicio.size() >= Bloque) {
            break; // not UTF-8: the rest need not be looked at
        }
    }
    if (entrada.bad()) {
        return std::string("no se pudo leer");
    }
    entrada.clear();
    entrada.seekg(0);
    if (!entrada) {
        return std::string("no se pudo leer");
    }
    const bool windows1252 = !validador.Terminar();
    const bool bom = std::string_view(inicio).starts_with(MarcaUtf8) && !windows1252;
    const std::string_view sinMarca =
        bom ? std::string_view(inicio).substr(MarcaUtf8.size()) : std::string_view(inicio);
    auto lector =
        std::unique_ptr<LectorCsv>(new LectorCsv(entrada, Delimitador(sinMarca), windows1252));
    lector->bom_ = bom;
    lector->finDeLinea_ = FinDeLinea(sinMarca);
    lector->saltoFinal_ = TerminaEnSalto(entrada);
    if (!entrada) {
        return std::string("no se pudo leer");
    }
    return lector;
}

LectorCsv::LectorCsv(std::istream& entrada, char delimitador, bool windows1252)
    : entrada_(entrada), delimitador_(delimitador), windows1252_(windows1252),
      parser_(std::make_unique<csv_parser>()) {
    csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI);
    csv_set_delim(parser_.get(), static_cast<unsigned char>(delimitador));
    csv_set_space_func(parser_.get(), NingunBlanco);
}

LectorCsv::~LectorCsv() {
    csv_free(parser_.get());
}

bool LectorCsv::Siguiente(std::vector<std::string>& celdas) {
    while (listos_.empty() && !fin_ && !error_) {
        fin_ = !Alimentar();
    }
    if (listos_.empty()) {
        return false;
    }
    celdas = std::move(listos_.front());
    listos_.pop_front();
    ++fila_;
    return true;
}

// Hands the parser the next block; false once the file is over, or at a fault, which
// error_ then tells.
bool LectorCsv::Alimentar() {
    const auto campo = [](void* texto, std::size_t largo, void* lector) {
        static_cast<LectorCsv*>(lector)->actual_.emplace_back(static_cast<const char*>(texto),
                                                              largo);
    };
    const auto registro = [](int, void* lector) {
        auto* l = static_cast<LectorCsv*>(lector);
        l->listos_.push_back(std::move(l->actual_));
        l->actual_.clear();
    };
    std::string bloque(Bloque, '\0');
    entrada_.read(bloque.data(), static_cast<std::streamsize>(bloque.size()));
    bloque.resize(static_cast<std::size_t>(entrada_.gcount()));
    if (entrada_.bad()) {
        error_ = "no se pudo leer después de la línea " + std::to_string(linea_);
        return false;
    }
    if (bloque.empty()) {
        if (csv_fini(parser_.get(), campo, registro, this) != 0) {
            const auto fila = fila_ + static_cast<long>(listos_.size()) + 1;
            error_ = "la fila " + std::to_string(fila) + " abre comillas que no se cierran";
        }
        return false;
    }
    if (inicio_ && !windows1252_ && std::string_view(bloque).starts_with(MarcaUtf8)) {
        bloque.erase(0, MarcaUtf8.size());
    }
    inicio_ = false;
    if (windows1252_) {
        bloque = DesdeWindows1252(bloque);
    }
    const std::size_t leidos =
        csv_parse(parser_.get(), bloque.data(), bloque.size(), campo, registro, this);
    linea_ += std::count(bloque.begin(), bloque.begin() + static_cast<long>(leidos), '\n');
    if (leidos != bloque.size()) {
        error_ = "la línea " + std::to_string(linea_) +
                 " tiene comillas mal cerradas o texto junto a unas comillas";
        return false;
    }
    return true;
}

} // namespace schedule
