#include "schedule/method_notes.h"
#include "schedule/workbook.h"

#include "schedule/record.h"
#include "schedule/writers.h"

#include <iterator>

namespace schedule {

std::vector<std::string> TitulosDelLibro(const Encabezado& encabezado) {
    std::vector<std::string> titulos = encabezado.nombres;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        const auto& posicion = encabezado.posicion[c];
        if (posicion && *posicion < titulos.size()) {
            titulos[*posicion] = std::string(Columnas[c].titulo.libro);
        }
    }
    for (auto r = encabezado.resultados.rbegin(); r != encabezado.resultados.rend(); ++r) {
        titulos.erase(titulos.begin() + static_cast<std::ptrdiff_t>(*r));
    }
    for (const DescripcionResultado& r : ColumnasResultado) {
        titulos.emplace_back(r.titulo.libro);
    }
    return titulos;
}

std::vector<Renglon> RenglonesDelLibro(const DatosProyecto& proyecto, const Resumen& resumen,
                                       const engine::Separadores& sep) {
    std::vector<Renglon> renglones = RenglonesProyecto(proyecto, sep);
    // The mark of the numbers its texts write, so that the workbook read back writes them so.
    renglones.push_back({std::string(EtiquetaMarcaDecimal), {sep.decimal, std::nullopt, {}}});
    renglones.push_back({"", {}});
    for (Renglon& r : RenglonesResumen(resumen, sep)) {
        renglones.push_back(std::move(r));
    }
    return renglones;
}

std::optional<std::string> ExportarLibro(const Cuadro& cuadro,
                                         const engine::TablasConductores& tablas,
                                         const std::optional<std::string>& errorTablas,
                                         const std::filesystem::path& archivo,
                                         const std::function<bool(std::size_t)>& avance) {
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
    libro->Encabezado(TitulosDelLibro(e));
    const MarcaDecimal marca = cuadro.formato.marca;
    const engine::Separadores sep{std::string(1, Caracter(marca.marca)), ""};
    const engine::Norma norma = NormaDe(cuadro.proyecto);
    const auto hechas = DimensionarCuadro(cuadro, tablas, errorTablas, sep, avance);
    if (!hechas) {
        return std::string("cancelado");
    }
    const std::vector<FilaDimensionada>& dimensionadas = *hechas;
    const std::vector<EnArbol> arbol = ArbolDelCuadro(cuadro, dimensionadas, sep);
    const double maximo = RegulacionTotalDe(cuadro.proyecto);
    Resumen resumen;
    resumen.Fuente(FuenteDelCuadro(cuadro, dimensionadas));
    for (std::size_t i = 0; i < cuadro.filas.size(); ++i) {
        const FilaDimensionada& d = dimensionadas[i];
        std::vector<Celda> celdas =
            CeldasDeEntrada(CeldasDelArchivo(cuadro, columnas, cuadro.filas[i]), e, marca);
        PonerValoresUsados(celdas, e, d.leida, d.dimensionado, sep);
        std::vector<Celda> resultado = CeldasDeResultado(d.leida, d.dimensionado, sep);
        AplicarArbol(resultado, arbol[i], sep);
        std::move(resultado.begin(), resultado.end(), std::back_inserter(celdas));
        libro->Fila(celdas, Falla(d.leida, d.dimensionado, arbol[i], maximo));
        resumen.Contar(cuadro.filas[i].entradas[static_cast<std::size_t>(Columna::Circuito)],
                       d.leida, d.dimensionado, arbol[i], maximo);
    }
    std::vector<std::string> notas = NotasDelMetodo(norma);
    if (auto sinUso = AvisoSinUso(e)) {
        notas.push_back(*sinUso);
    }
    return libro->Terminar(cuadro.proyecto.nombre, RenglonesDelLibro(cuadro.proyecto, resumen, sep),
                           notas);
}

} // namespace schedule
