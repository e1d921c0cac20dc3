#include "schedule/project_file.h"

#include "engine/decimal.h"
#include "engine/sqlite_handles.h"
#include "schedule/replace_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <memory>

namespace schedule {
namespace {

using engine::Base;
using engine::Consulta;

using Tipo = Cuadro::ColumnaArchivo::Tipo;

// The project's data, each under its key in the table "proyecto".

// A crafted file (a view with a runaway query in place of a table) is stopped, not waited
// for: a sound file of 100,000 feeders is read in far fewer steps.
constexpr int PasosPorLlamada = 10000;
constexpr int LlamadasMaximas = 100000;

// The statements of the schema, built from the input columns: each typed, numbers as REAL.
std::string Esquema() {
    std::string alimentadores = "CREATE TABLE alimentadores (orden INTEGER PRIMARY KEY";
    for (const DescripcionColumna& c : Columnas) {
        alimentadores += ", " + std::string(c.nombre) + (c.numerica() ? " REAL" : " TEXT");
    }
    alimentadores += ");";
    return "CREATE TABLE proyecto (clave TEXT PRIMARY KEY, valor TEXT NOT NULL);" + alimentadores +
           "CREATE TABLE columnas_extra (columna INTEGER PRIMARY KEY, titulo TEXT NOT NULL, "
           "posicion INTEGER NOT NULL);"
           "CREATE TABLE celdas_extra (alimentador INTEGER NOT NULL, columna INTEGER NOT NULL, "
           "texto TEXT NOT NULL, PRIMARY KEY (alimentador, columna));"
           "CREATE TABLE celdas_no_leidas (alimentador INTEGER NOT NULL, columna TEXT NOT NULL, "
           "texto TEXT NOT NULL, motivo TEXT NOT NULL, PRIMARY KEY (alimentador, columna));";
}

class Escritor {
public:
    explicit Escritor(sqlite3* base) : base_(base) {}

    bool Ejecutar(const std::string& sql) {
        return sqlite3_exec(base_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    Consulta Preparar(const std::string& sql) {
        sqlite3_stmt* crudo = nullptr;
        sqlite3_prepare_v2(base_, sql.c_str(), -1, &crudo, nullptr);
        return Consulta(crudo);
    }

    // Binds the texts in order and runs the statement once; they live until it has run.
    bool Insertar(sqlite3_stmt* consulta, std::initializer_list<std::string_view> valores) {
        sqlite3_reset(consulta);
        int n = 0;
        for (const std::string_view valor : valores) {
            sqlite3_bind_text(consulta, ++n, valor.data(), static_cast<int>(valor.size()),
                              SQLITE_STATIC);
        }
        return sqlite3_step(consulta) == SQLITE_DONE;
    }

private:
    sqlite3* base_;
};

bool EscribirProyecto(Escritor& e, const Cuadro& cuadro) {
    Consulta clave = e.Preparar("INSERT INTO proyecto VALUES (?1, ?2)");
    for (const CampoProyecto& c : CamposProyecto) {
        if (!e.Insertar(clave.get(), {c.clave, cuadro.proyecto.*c.campo})) {
            return false;
        }
    }
    // The user's other columns, where they stand among all the columns.
    Consulta extra = e.Preparar("INSERT INTO columnas_extra VALUES (?1, ?2, ?3)");
    const std::vector<Cuadro::ColumnaArchivo> columnas = Disposicion(cuadro);
    for (std::size_t p = 0; p < columnas.size(); ++p) {
        if (columnas[p].tipo == Tipo::Otra &&
            !e.Insertar(extra.get(), {std::to_string(columnas[p].indice), columnas[p].titulo,
                                      std::to_string(p)})) {
            return false;
        }
    }
    return true;
}

// One feeder: its typed inputs, a cell that could not be read with its reason, and its
// cells of the other columns. The texts stay alive until the row is written.
bool EscribirFila(Escritor& e, sqlite3_stmt* fila, sqlite3_stmt* noLeida, sqlite3_stmt* extra,
                  std::size_t orden, const Cuadro::Fila& f) {
    const std::string numero = std::to_string(orden);
    sqlite3_reset(fila);
    sqlite3_bind_int64(fila, 1, static_cast<sqlite3_int64>(orden));
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        const int n = static_cast<int>(c) + 2;
        const std::string& texto = f.entradas[c];
        if (!f.errores[c].empty()) {
            if (!e.Insertar(noLeida, {numero, Columnas[c].nombre, texto, f.errores[c]})) {
                return false;
            }
            sqlite3_bind_null(fila, n);
        } else if (texto.empty()) {
            sqlite3_bind_null(fila, n);
        } else if (double valor = 0;
                   Columnas[c].numerica() &&
                   std::from_chars(texto.data(), texto.data() + texto.size(), valor).ec ==
                       std::errc()) {
            sqlite3_bind_double(fila, n, valor);
        } else {
            sqlite3_bind_text(fila, n, texto.data(), static_cast<int>(texto.size()), SQLITE_STATIC);
        }
    }
    for (std::size_t i = 0; i < f.otras.size(); ++i) {
        if (!f.otras[i].empty() && !e.Insertar(extra, {numero, std::to_string(i), f.otras[i]})) {
            return false;
        }
    }
    return sqlite3_step(fila) == SQLITE_DONE;
}

std::optional<std::string> Escribir(sqlite3* base, const Cuadro& cuadro, const Avance& avance) {
    Escritor e(base);
    // The file is a temporary one until it is whole: no journal, and no flushing of its
    // own, since it is put on the disk once, before it is renamed.
    if (!e.Ejecutar("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                    "PRAGMA application_id = " +
                    std::to_string(IdAplicacion) +
                    "; PRAGMA user_version = " + std::to_string(VersionEsquema) + ";") ||
        !e.Ejecutar("BEGIN;" + Esquema()) || !EscribirProyecto(e, cuadro)) {
        return std::string(sqlite3_errmsg(base));
    }
    std::string marcas;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        marcas += ", ?" + std::to_string(c + 2);
    }
    Consulta fila = e.Preparar("INSERT INTO alimentadores VALUES (?1" + marcas + ")");
    Consulta noLeida = e.Preparar("INSERT INTO celdas_no_leidas VALUES (?1, ?2, ?3, ?4)");
    Consulta extra = e.Preparar("INSERT INTO celdas_extra VALUES (?1, ?2, ?3)");
    for (std::size_t i = 0; i < cuadro.filas.size(); ++i) {
        if (avance && !avance(i, cuadro.filas.size())) {
            return std::string("se detuvo");
        }
        if (!EscribirFila(e, fila.get(), noLeida.get(), extra.get(), i + 1, cuadro.filas[i])) {
            return std::string(sqlite3_errmsg(base));
        }
    }
    if (!e.Ejecutar("COMMIT;")) {
        return std::string(sqlite3_errmsg(base));
    }
    return std::nullopt;
}

// Reading a project file, read-only, step by step.
class Lector {
public:
    explicit Lector(const std::filesystem::path& archivo) : archivo_(archivo) {}

    std::optional<std::string> Abrir() {
        std::error_code error;
        if (!std::filesystem::is_regular_file(archivo_, error)) {
            return std::string("no existe o no es un archivo");
        }
        sqlite3* crudo = nullptr;
        const int abierto =
            sqlite3_open_v2(archivo_.c_str(), &crudo, SQLITE_OPEN_READONLY, nullptr);
        base_.reset(crudo);
        if (abierto != SQLITE_OK) {
            return Danado();
        }
        sqlite3_db_config(base_.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(base_.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_progress_handler(
            base_.get(), PasosPorLlamada,
            [](void* contador) { return ++*static_cast<int*>(contador) > LlamadasMaximas ? 1 : 0; },
            &llamadas_);
        const auto id = Entero("PRAGMA application_id");
        const auto version = Entero("PRAGMA user_version");
        if (!id || !version) {
            return Danado();
        }
        if (*id != IdAplicacion) {
            return std::string("no es un proyecto de alimentadores");
        }
        if (*version > VersionEsquema) {
            return "es de la versión " + std::to_string(*version) +
                   " del formato de proyecto, y este programa lee hasta la versión " +
                   std::to_string(VersionEsquema) + "; ábralo con una versión más nueva";
        }
        for (const char* tabla :
             {"proyecto", "alimentadores", "columnas_extra", "celdas_extra", "celdas_no_leidas"}) {
            if (!EsTabla(tabla)) {
                return Danado();
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> LeerProyecto(Cuadro& cuadro) {
        Consulta c = Preparar("SELECT clave, valor FROM proyecto");
        while (c && sqlite3_step(c.get()) == SQLITE_ROW) {
            const std::string clave = Texto(c.get(), 0);
            for (const CampoProyecto& k : CamposProyecto) {
                if (clave == k.clave) {
                    cuadro.proyecto.*k.campo = Texto(c.get(), 1);
                }
            }
        }
        return Terminado(c);
    }

    // The other columns, placed among the inputs where they stood.
    std::optional<std::string> LeerColumnas(Cuadro& cuadro) {
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            cuadro.columnas.push_back({Tipo::Entrada, c, std::string(Columnas[c].nombre)});
        }
        Consulta c = Preparar("SELECT titulo, posicion FROM columnas_extra ORDER BY columna");
        while (c && sqlite3_step(c.get()) == SQLITE_ROW) {
            const auto posicion = static_cast<std::size_t>(
                std::max<sqlite3_int64>(0, sqlite3_column_int64(c.get(), 1)));
            const std::size_t en = std::min(posicion, cuadro.columnas.size());
            cuadro.columnas.insert(cuadro.columnas.begin() + static_cast<long>(en),
                                   {Tipo::Otra, cuadro.otras.size(), Texto(c.get(), 0)});
            cuadro.otras.push_back(Texto(c.get(), 0));
        }
        return Terminado(c);
    }

    std::optional<std::string> LeerFilas(Cuadro& cuadro, const Avance& avance) {
        const auto total = Entero("SELECT count(*) FROM alimentadores");
        // The inputs this file's schema has; one an earlier schema lacks stays empty.
        std::string columnas;
        std::vector<std::size_t> leidas;
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            if (TieneColumna(Columnas[c].nombre)) {
                columnas += ", " + std::string(Columnas[c].nombre);
                leidas.push_back(c);
            }
        }
        Consulta c = Preparar("SELECT orden" + columnas + " FROM alimentadores ORDER BY orden");
        std::map<sqlite3_int64, std::size_t> filaDeOrden;
        while (c && sqlite3_step(c.get()) == SQLITE_ROW) {
            if (avance &&
                !avance(cuadro.filas.size(), static_cast<std::size_t>(total.value_or(0)))) {
                return std::string("se detuvo");
            }
            Cuadro::Fila fila;
            fila.otras.resize(cuadro.otras.size());
            for (std::size_t i = 0; i < leidas.size(); ++i) {
                fila.entradas[leidas[i]] = Celda(c.get(), static_cast<int>(i) + 1);
            }
            filaDeOrden[sqlite3_column_int64(c.get(), 0)] = cuadro.filas.size();
            cuadro.filas.push_back(std::move(fila));
        }
        if (auto error = Terminado(c)) {
            return error;
        }
        return LeerCeldas(cuadro, filaDeOrden);
    }

private:
    // The cells kept apart: those that could not be read, and those of the other columns.
    std::optional<std::string> LeerCeldas(Cuadro& cuadro,
                                          const std::map<sqlite3_int64, std::size_t>& filaDeOrden) {
        Consulta c = Preparar("SELECT alimentador, columna, texto, motivo FROM celdas_no_leidas");
        while (c && sqlite3_step(c.get()) == SQLITE_ROW) {
            const auto fila = filaDeOrden.find(sqlite3_column_int64(c.get(), 0));
            const std::string columna = Texto(c.get(), 1);
            for (std::size_t col = 0; col < Columnas.size(); ++col) {
                if (fila != filaDeOrden.end() && columna == Columnas[col].nombre) {
                    cuadro.filas[fila->second].entradas[col] = Texto(c.get(), 2);
                    cuadro.filas[fila->second].errores[col] = Texto(c.get(), 3);
                }
            }
        }
        if (auto error = Terminado(c)) {
            return error;
        }
        c = Preparar("SELECT alimentador, columna, texto FROM celdas_extra");
        while (c && sqlite3_step(c.get()) == SQLITE_ROW) {
            const auto fila = filaDeOrden.find(sqlite3_column_int64(c.get(), 0));
            const auto columna = static_cast<std::size_t>(sqlite3_column_int64(c.get(), 1));
            if (fila != filaDeOrden.end() && columna < cuadro.otras.size()) {
                cuadro.filas[fila->second].otras[columna] = Texto(c.get(), 2);
            }
        }
        return Terminado(c);
    }

    Consulta Preparar(const std::string& sql) {
        sqlite3_stmt* crudo = nullptr;
        sqlite3_prepare_v2(base_.get(), sql.c_str(), -1, &crudo, nullptr);
        return Consulta(crudo);
    }

    std::optional<sqlite3_int64> Entero(const std::string& sql) {
        Consulta c = Preparar(sql);
        if (!c || sqlite3_step(c.get()) != SQLITE_ROW) {
            return std::nullopt;
        }
        return sqlite3_column_int64(c.get(), 0);
    }

    bool EsTabla(const std::string& nombre) {
        return Entero("SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = '" +
                      nombre + "'") == 1;
    }

    bool TieneColumna(std::string_view nombre) {
        return Entero("SELECT count(*) FROM pragma_table_info('alimentadores') WHERE name = '" +
                      std::string(nombre) + "'") == 1;
    }

    static std::string Texto(sqlite3_stmt* c, int columna) {
        const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(c, columna));
        return texto
                   ? std::string(texto, static_cast<std::size_t>(sqlite3_column_bytes(c, columna)))
                   : std::string();
    }

    // A typed cell as the schedule keeps it: a number as its shortest plain decimal.
    static std::string Celda(sqlite3_stmt* c, int columna) {
        switch (sqlite3_column_type(c, columna)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            if (const auto d = engine::Decimal::DeReal(sqlite3_column_double(c, columna))) {
                return d->Texto();
            }
            break;
        default:
            break;
        }
        return Texto(c, columna);
    }

    std::optional<std::string> Terminado(const Consulta& c) {
        const int codigo = sqlite3_errcode(base_.get());
        if (!c || (codigo != SQLITE_OK && codigo != SQLITE_DONE && codigo != SQLITE_ROW)) {
            return Danado();
        }
        return std::nullopt;
    }

    std::string Danado() const {
        return "está dañado o no es un proyecto de alimentadores (" +
               std::string(base_ ? sqlite3_errmsg(base_.get()) : "no se pudo abrir") + ")";
    }

    std::filesystem::path archivo_;
    Base base_;
    int llamadas_ = 0;
};

} // namespace

std::variant<Cuadro, std::string> LeerProyecto(const std::filesystem::path& archivo,
                                               const Avance& avance) {
    Lector lector(archivo);
    Cuadro cuadro;
    cuadro.origen = Origen::Proyecto;
    // Its numbers are plain decimals.
    cuadro.formato.delimitador = ',';
    cuadro.formato.marca = {Marca::Punto, false};
    if (auto error = lector.Abrir()) {
        return *error;
    }
    if (auto error = lector.LeerProyecto(cuadro)) {
        return *error;
    }
    if (auto error = lector.LeerColumnas(cuadro)) {
        return *error;
    }
    if (auto error = lector.LeerFilas(cuadro, avance)) {
        return *error;
    }
    return cuadro;
}

std::optional<std::string>
GuardarProyecto(const Cuadro& cuadro, const std::filesystem::path& archivo, const Avance& avance) {
    ArchivoTemporal temporal(archivo);
    if (!temporal.creado()) {
        return std::string("no se puede escribir en su carpeta");
    }
    std::optional<std::string> error;
    {
        sqlite3* crudo = nullptr;
        const int abierto = sqlite3_open_v2(temporal.ruta().c_str(), &crudo,
                                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        Base base(crudo);
        error = abierto == SQLITE_OK ? Escribir(base.get(), cuadro, avance)
                                     : std::optional<std::string>(sqlite3_errmsg(crudo));
        if (!error && sqlite3_close(base.release()) != SQLITE_OK) {
            error = "no se pudo cerrar";
        }
    }
    if (!error && !temporal.Confirmar()) {
        error = "no se pudo reemplazar";
    }
    return error;
}

} // namespace schedule
