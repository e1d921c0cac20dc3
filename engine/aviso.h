// What a calculation has to tell the user, beside its report lines.
#pragma once

#include <string>

namespace engine {

struct Aviso {
    enum class Tipo {
        Rechazo,     // the combination has no conductor data (aluminium, size "14")
        ErrorDatos,  // a conductor table file cannot be read as expected
        FallaCalculo // the inputs give no finite result
    };
    Tipo tipo;
    std::string texto;

    bool operator==(const Aviso&) const = default;
};

} // namespace engine
