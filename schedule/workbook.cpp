#include "schedule/workbook.h"

#include "schedule/writers.h"

namespace schedule {

std::optional<std::string> ExportarLibro(const Cuadro& cuadro,
                                         const engine::TablasConductores& tablas,
                                         const std::optional<std::string>& errorTablas,
                                         const std::filesystem::path& archivo) {
    const std::vector<Cuadro::ColumnaArchivo> columnas = Disposicion(cuadro);
    std::vector<std::string> nombres;
    for (const Cuadro::ColumnaArchivo& col : columnas) {
        nombres.push_back(col.titulo);
    }
    // The file's own header, as the command reads it.
    auto leido = LeerEncabezado(nombres);
    const Encabezado e = std::holds_alternative<Encabezado>(leido) ? std::get<Encabezado>(leido)
                                                                   : EncabezadoCanonico();
    auto libro = EscritorXlsx::Abrir(archivo);
    if (!libro) {
        return std::string("no se pudo crear el libro");
    }
    for (std::string_view columna : ColumnasResultado) {
        nombres.emplace_back(columna);
    }
    libro->Encabezado(nombres);
    const MarcaDecimal marca = cuadro.formato.marca;
    const engine::Separadores sep{std::string(1, Caracter(marca.marca)), ""};
    const engine::Norma norma = NormaDe(cuadro.proyecto);
    for (const Cuadro::Fila& fila : cuadro.filas) {
        const FilaDimensionada d = DimensionarFila(fila, tablas, errorTablas, sep, norma);
        libro->Fila(CeldasDeSalida(CeldasDelArchivo(cuadro, columnas, fila), e, marca, d.leida,
                                   d.dimensionado, sep));
    }
    std::vector<std::string> notas = NotasDelMetodo(norma);
    if (auto sinUso = AvisoSinUso(e)) {
        notas.push_back(*sinUso);
    }
    return libro->Terminar(notas);
}

} // namespace schedule
