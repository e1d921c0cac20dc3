#include "engine/conductor_table.h"

#include "engine/sqlite_handles.h"

#include <memory>
#include <optional>
#include <string>
#include <system_error>

namespace engine {
namespace {

// The two columns of a conduit; none for an index outside Ductos.
std::optional<Ducto> DuctoDe(int indiceDucto) {
    if (indiceDucto < 0 || indiceDucto >= static_cast<int>(Ductos.size())) {
        return std::nullopt;
    }
    return Ductos[static_cast<std::size_t>(indiceDucto)];
}

// A sound table is read in a few hundred steps; this bound stops a crafted file (a view
// or trigger with a runaway query) from freezing the window.
constexpr int PasosPorLlamada = 1000;
constexpr int LlamadasMaximas = 10000;
constexpr int EsperaPorBloqueoMs = 250;

class Lector {
public:
    // `primerCalibre` is the size of the table's first row.
    Lector(std::filesystem::path archivo, std::string_view tabla, std::size_t primerCalibre)
        : archivo_(std::move(archivo)), nombre_("\"" + archivo_.string() + "\""), tabla_(tabla),
          primerCalibre_(primerCalibre) {}

    // The conductor of the table's row `fila` in the conduit `ducto`; none read for no conduit.
    std::variant<Conductor, Aviso> Leer(int fila, std::optional<Ducto> ducto) {
        Conductor conductor;
        auto aviso = Recorrer(fila, 1, [&](sqlite3_stmt* consulta, std::string_view calibre) {
            return ducto ? LeerConductor(consulta, *ducto, calibre, conductor) : std::nullopt;
        });
        if (aviso) {
            return *aviso;
        }
        return conductor;
    }

    // Every row the table must hold, in every conduit.
    std::variant<TablaConductores, Aviso> LeerTodo() {
        TablaConductores tabla;
        const auto filas = static_cast<int>(Calibres.size() - primerCalibre_);
        int fila = 0;
        auto aviso = Recorrer(0, filas, [&](sqlite3_stmt* consulta, std::string_view calibre) {
            auto& conductores = tabla.filas[primerCalibre_ + static_cast<std::size_t>(fila++)];
            conductores.emplace();
            for (std::size_t d = 0; d < Ductos.size(); ++d) {
                if (auto aviso = LeerConductor(consulta, Ductos[d], calibre, (*conductores)[d])) {
                    return aviso;
                }
            }
            return std::optional<Aviso>();
        });
        if (aviso) {
            return *aviso;
        }
        return tabla;
    }

private:
    // Opens the file and hands `cuantas` rows, from `primera` on in rowid order, to
    // `leerFila` with the caption of each row's size; the first fault met is returned.
    template <typename LeerFila>
    std::optional<Aviso> Recorrer(int primera, int cuantas, LeerFila leerFila) {
        if (auto aviso = Abrir()) {
            return aviso;
        }
        if (auto aviso = ComprobarTabla()) {
            return aviso;
        }
        const std::string sql =
            "SELECT * FROM \"" + std::string(tabla_) + "\" ORDER BY rowid LIMIT ?1 OFFSET ?2";
        sqlite3_stmt* crudo = nullptr;
        if (sqlite3_prepare_v2(base_.get(), sql.c_str(), -1, &crudo, nullptr) != SQLITE_OK) {
            return ErrorDeBase();
        }
        Consulta consulta(crudo);
        sqlite3_bind_int(consulta.get(), 1, cuantas);
        sqlite3_bind_int(consulta.get(), 2, primera);
        for (int fila = primera; fila < primera + cuantas; ++fila) {
            const std::string_view calibre =
                Calibres[primerCalibre_ + static_cast<std::size_t>(fila)].nombre;
            const int paso = sqlite3_step(consulta.get());
            if (paso == SQLITE_DONE) {
                return Error("La tabla \"" + std::string(tabla_) + "\" del archivo " + nombre_ +
                             " no tiene fila para el calibre " + std::string(calibre) +
                             " (necesita " + std::to_string(fila + 1) + " filas).");
            }
            if (paso != SQLITE_ROW) {
                return ErrorDeBase();
            }
            if (auto aviso = leerFila(consulta.get(), calibre)) {
                return aviso;
            }
        }
        return std::nullopt;
    }

    std::optional<Aviso> LeerConductor(sqlite3_stmt* consulta, const Ducto& ducto,
                                       std::string_view calibre, Conductor& conductor) {
        if (auto aviso =
                LeerNumero(consulta, ducto.columnaReactancia, calibre, conductor.ReactanciaTabla)) {
            return aviso;
        }
        return LeerNumero(consulta, ducto.columnaResistencia, calibre, conductor.ResistenciaTabla);
    }

    std::optional<Aviso> Abrir() {
        sqlite3* crudo = nullptr;
        // Read-only: a missing file is never created, and no journal is ever written.
        const int abierto =
            sqlite3_open_v2(archivo_.c_str(), &crudo, SQLITE_OPEN_READONLY, nullptr);
        base_.reset(crudo);
        if (abierto != SQLITE_OK) {
            return ErrorDeBase();
        }
        // A table being saved by another program is waited for a moment, not refused at once.
        sqlite3_busy_timeout(base_.get(), EsperaPorBloqueoMs);
        sqlite3_db_config(base_.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(base_.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_progress_handler(
            base_.get(), PasosPorLlamada,
            [](void* contador) { return ++*static_cast<int*>(contador) > LlamadasMaximas ? 1 : 0; },
            &llamadasDeProgreso_);
        return std::nullopt;
    }

    // Only a real table is read: a view could run any query the file's author wrote, and
    // the column metadata lookup answers for tables alone.
    std::optional<Aviso> ComprobarTabla() {
        const std::string tabla(tabla_);
        if (sqlite3_table_column_metadata(base_.get(), "main", tabla.c_str(), nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr) == SQLITE_OK) {
            return std::nullopt;
        }
        const int codigo = sqlite3_errcode(base_.get()) & 0xff;
        if (codigo != SQLITE_ERROR) {
            return ErrorDeBase();
        }
        if (auto aviso = EstadoDelArchivo()) {
            return *aviso;
        }
        return Error("El archivo " + nombre_ + " no contiene la tabla \"" + tabla + "\".");
    }

    std::optional<Aviso> LeerNumero(sqlite3_stmt* consulta, int columna, std::string_view calibre,
                                    double& valor) {
        if (columna >= sqlite3_column_count(consulta)) {
            return Error("La tabla \"" + std::string(tabla_) + "\" del archivo " + nombre_ +
                         " no tiene la columna " + std::to_string(columna) + ".");
        }
        const int tipo = sqlite3_column_type(consulta, columna);
        if (tipo != SQLITE_INTEGER && tipo != SQLITE_FLOAT) {
            return Error("En la tabla \"" + std::string(tabla_) + "\" del archivo " + nombre_ +
                         ", la columna " + std::to_string(columna) + " del calibre " +
                         std::string(calibre) + " no contiene un número.");
        }
        valor = sqlite3_column_double(consulta, columna);
        return std::nullopt;
    }

    // The plain reasons a file cannot be read, looked at only once reading it has failed.
    std::optional<Aviso> EstadoDelArchivo() const {
        std::error_code error;
        const auto estado = std::filesystem::status(archivo_, error);
        if (!std::filesystem::exists(estado)) {
            return Error("No se encuentra el archivo de la tabla de conductores " + nombre_ + ".");
        }
        if (std::filesystem::is_directory(estado)) {
            return Error("La tabla de conductores " + nombre_ +
                         " es una carpeta y no un archivo de datos.");
        }
        if (std::filesystem::file_size(archivo_, error) == 0 && !error) {
            return Error("El archivo de la tabla de conductores " + nombre_ + " está vacío.");
        }
        return std::nullopt;
    }

    Aviso ErrorDeBase() const {
        if (auto aviso = EstadoDelArchivo()) {
            return *aviso;
        }
        const int codigo = base_ ? sqlite3_errcode(base_.get()) & 0xff : SQLITE_CANTOPEN;
        switch (codigo) {
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return Error("El archivo " + nombre_ +
                         " no es una tabla de conductores válida o está dañado.");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Error("El archivo " + nombre_ +
                         " está bloqueado por otro programa; ciérrelo y vuelva a calcular.");
        case SQLITE_INTERRUPT:
            return Error("La lectura del archivo " + nombre_ +
                         " tarda demasiado; revise la tabla de conductores.");
        default:
            return Error("No se pudo leer el archivo " + nombre_ + ": " +
                         (base_ ? sqlite3_errmsg(base_.get()) : "no se pudo abrir") + ".");
        }
    }

    static Aviso Error(std::string texto) { return {Aviso::Tipo::ErrorDatos, std::move(texto)}; }

    std::filesystem::path archivo_;
    std::string nombre_;
    std::string_view tabla_;
    std::size_t primerCalibre_;
    Base base_;
    int llamadasDeProgreso_ = 0;
};

} // namespace

std::variant<TablaConductores, Aviso> LeerTabla(Material material,
                                                const std::filesystem::path& carpeta) {
    const TablaMaterial& tabla = TablaDe(material);
    return Lector(carpeta / tabla.archivo, tabla.tabla, tabla.primerCalibre).LeerTodo();
}

std::variant<Conductor, Aviso> LeerConductor(Material material, int indiceDucto, int indiceCalibre,
                                             const std::filesystem::path& carpeta) {
    const TablaMaterial& tabla = TablaDe(material);
    if (indiceCalibre < 0 || indiceCalibre >= static_cast<int>(Calibres.size())) {
        return Aviso{Aviso::Tipo::ErrorDatos, "No hay un calibre de conductor elegido."};
    }
    const auto calibre = static_cast<std::size_t>(indiceCalibre);
    if (calibre < tabla.primerCalibre) {
        return Aviso{Aviso::Tipo::Rechazo, std::string(tabla.rechazo)};
    }
    // A table's rows start at its first size.
    Lector lector(carpeta / tabla.archivo, tabla.tabla, tabla.primerCalibre);
    return lector.Leer(static_cast<int>(calibre - tabla.primerCalibre), DuctoDe(indiceDucto));
}

std::variant<TablasConductores, Aviso> LeerTablas(const std::filesystem::path& carpeta) {
    TablasConductores tablas;
    for (std::size_t m = 0; m < Materiales.size(); ++m) {
        auto lectura = LeerTabla(static_cast<Material>(m), carpeta);
        if (auto* aviso = std::get_if<Aviso>(&lectura)) {
            return std::move(*aviso);
        }
        tablas[m] = std::get<TablaConductores>(std::move(lectura));
    }
    return tablas;
}

} // namespace engine
