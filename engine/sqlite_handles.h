// A connection and a prepared statement that close themselves on every path out.
#pragma once

#include <sqlite3.h>

#include <memory>

namespace engine {

struct CerrarBase {
    void operator()(sqlite3* base) const { sqlite3_close_v2(base); }
};
struct FinalizarConsulta {
    void operator()(sqlite3_stmt* consulta) const { sqlite3_finalize(consulta); }
};
using Base = std::unique_ptr<sqlite3, CerrarBase>;
using Consulta = std::unique_ptr<sqlite3_stmt, FinalizarConsulta>;

} // namespace engine
