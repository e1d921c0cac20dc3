// The conductor tables the engine tests read once, and a size's name for their messages.
#pragma once

#include "engine/conductor_table.h"
#include "engine/conductors.h"

#include <optional>
#include <string>

inline const engine::TablasConductores& Tablas() {
    static const engine::TablasConductores tablas =
        std::get<engine::TablasConductores>(engine::LeerTablas(CARPETA_TABLAS));
    return tablas;
}

inline std::string Nombre(const std::optional<std::size_t>& calibre) {
    return calibre ? std::string(engine::Calibres[*calibre].nombre) : "ninguno";
}
