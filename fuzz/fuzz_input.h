// Reading a fuzzer's bytes as the values a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzz {

class Bytes {
public:
    Bytes(const std::uint8_t* datos, std::size_t tamano) : datos_(datos), resto_(tamano) {}

    std::uint8_t Byte() {
        if (resto_ == 0) {
            return 0;
        }
        --resto_;
        return *datos_++;
    }
    double Double() {
        std::uint8_t crudo[sizeof(double)] = {};
        for (auto& b : crudo) {
            b = Byte();
        }
        double valor;
        std::memcpy(&valor, crudo, sizeof valor);
        return valor;
    }
    // A text of up to `maximo` bytes, its length given by the first byte.
    std::string Texto(std::size_t maximo = 32) {
        std::string texto;
        const std::size_t largo = Byte() % (maximo + 1);
        for (std::size_t i = 0; i < largo && resto_ > 0; ++i) {
            texto += static_cast<char>(Byte());
        }
        return texto;
    }

private:
    const std::uint8_t* datos_;
    std::size_t resto_;
};

[[noreturn]] inline void Falla(const char* que, const std::string& detalle) {
    std::fprintf(stderr, "%s: %s\n", que, detalle.c_str());
    std::abort();
}

} // namespace fuzz
