#include "schedule/workbook.h"

#include "schedule/writers.h"

#include <iterator>

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
    std::vector<FilaDimensionada> dimensionadas;
    dimensionadas.reserve(cuadro.filas.size());
    for (const Cuadro::Fila& fila : cuadro.filas) {
        dimensionadas.push_back(DimensionarFila(fila, tablas, errorTablas, sep, norma));
    }
    const std::vector<EnArbol> arbol = ArbolDelCuadro(cuadro, dimensionadas, sep);
    for (std::size_t i = 0; i < cuadro.filas.size(); ++i) {
        const FilaDimensionada& d = dimensionadas[i];
        std::vector<Celda> celdas =
            CeldasDeEntrada(CeldasDelArchivo(cuadro, columnas, cuadro.filas[i]), e, marca);
        std::vector<Celda> resultado = CeldasDeResultado(d.leida, d.dimensionado, sep);
        AplicarArbol(resultado, arbol[i], sep);
        std::move(resultado.begin(), resultado.end(), std::back_inserter(celdas));
        libro->Fila(celdas);
    }
    std::vector<std::string> notas = NotasDelMetodo(norma);
    if (auto sinUso = AvisoSinUso(e)) {
        notas.push_back(*sinUso);
    }
    return libro->Terminar(notas);
}

} // namespace schedule
