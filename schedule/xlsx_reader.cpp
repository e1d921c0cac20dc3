#include "schedule/xlsx_reader.h"

#include "engine/decimal.h"
#include "engine/numeric_text.h"
#include "schedule/text.h"
#include "schedule/workbook.h"

#include <pugixml.hpp>
#include <zip.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace schedule {
namespace {

// A part of the zip, whole, or none if it is missing or cannot be read.
class Zip {
public:
    explicit Zip(std::string_view bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* fuente = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (fuente != nullptr) {
            zip_ = zip_open_from_source(fuente, ZIP_RDONLY, &error);
            if (zip_ == nullptr) {
                zip_source_free(fuente);
            }
        }
        zip_error_fini(&error);
    }
    ~Zip() {
        if (zip_ != nullptr) {
            zip_discard(zip_);
        }
    }
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    bool abierto() const { return zip_ != nullptr; }

    std::optional<std::string> Parte(const std::string& nombre) {
        zip_stat_t estado;
        if (zip_stat(zip_, nombre.c_str(), 0, &estado) != 0 || !(estado.valid & ZIP_STAT_SIZE) ||
            estado.size > TamanoMaximo) {
            return std::nullopt;
        }
        zip_file_t* parte = zip_fopen(zip_, nombre.c_str(), 0);
        if (parte == nullptr) {
            return std::nullopt;
        }
        std::string texto(static_cast<std::size_t>(estado.size), '\0');
        const zip_int64_t leidos = zip_fread(parte, texto.data(), texto.size());
        zip_fclose(parte);
        if (leidos != static_cast<zip_int64_t>(texto.size())) {
            return std::nullopt;
        }
        return texto;
    }

private:
    // A part larger than this is no schedule's: a crafted zip is not inflated into memory.
    static constexpr zip_uint64_t TamanoMaximo = 512u * 1024 * 1024;
    zip_t* zip_ = nullptr;
};

// An element's name without its namespace prefix: some writers write "x:row".
std::string_view Local(const pugi::xml_node& nodo) {
    const std::string_view nombre = nodo.name();
    const auto dos = nombre.find(':');
    return dos == std::string_view::npos ? nombre : nombre.substr(dos + 1);
}

pugi::xml_node Hijo(const pugi::xml_node& nodo, std::string_view nombre) {
    for (pugi::xml_node h : nodo.children()) {
        if (Local(h) == nombre) {
            return h;
        }
    }
    return {};
}

template <typename F> void CadaHijo(const pugi::xml_node& nodo, std::string_view nombre, F f) {
    for (pugi::xml_node h : nodo.children()) {
        if (Local(h) == nombre) {
            f(h);
        }
    }
}

// The text of a string item: its "t", or the "t" of each of its runs.
std::string TextoDe(const pugi::xml_node& item) {
    std::string texto;
    for (pugi::xml_node h : item.children()) {
        if (Local(h) == "t") {
            texto += h.text().get();
        } else if (Local(h) == "r") {
            texto += Hijo(h, "t").text().get();
        }
    }
    return texto;
}

std::optional<pugi::xml_document> Xml(Zip& zip, const std::string& nombre) {
    const auto parte = zip.Parte(nombre);
    if (!parte) {
        return std::nullopt;
    }
    pugi::xml_document doc;
    if (!doc.load_buffer(parte->data(), parte->size())) {
        return std::nullopt;
    }
    return doc;
}

// Whether a number format has a character `es` accepts outside quotes and brackets, where
// its codes are: "[Red]" and "\"m\"" name no month.
template <typename Pred> bool TieneCodigo(std::string_view codigo, Pred es) {
    bool comillas = false;
    int corchetes = 0;
    for (const char c : codigo) {
        if (c == '"') {
            comillas = !comillas;
        } else if (!comillas && c == '[') {
            ++corchetes;
        } else if (!comillas && c == ']') {
            --corchetes;
        } else if (!comillas && corchetes == 0 && es(c)) {
            return true;
        }
    }
    return false;
}

// Whether a number format shows a date: the built-in date formats, or a format of its own
// with day, month or year.
bool EsFormatoFecha(int id, std::string_view codigo) {
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || TieneCodigo(codigo, [](char c) {
               return c == 'd' || c == 'D' || c == 'y' || c == 'Y' || c == 'm' || c == 'M';
           });
}

// Whether a number format shows a percent: the built-in "0%" and "0.00%", or a format of
// its own with a percent sign.
bool EsFormatoPorciento(int id, std::string_view codigo) {
    return id == 9 || id == 10 || TieneCodigo(codigo, [](char c) { return c == '%'; });
}

// What each cell style shows a number as.
struct Estilo {
    bool fecha = false;
    bool porciento = false;
};

std::vector<Estilo> Estilos(Zip& zip) {
    std::vector<Estilo> estilos;
    const auto xml = Xml(zip, "xl/styles.xml");
    if (!xml) {
        return estilos;
    }
    const pugi::xml_node hoja = xml->document_element();
    std::map<int, std::string> propios;
    CadaHijo(Hijo(hoja, "numFmts"), "numFmt", [&](pugi::xml_node f) {
        propios[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").as_string();
    });
    CadaHijo(Hijo(hoja, "cellXfs"), "xf", [&](pugi::xml_node xf) {
        const int id = xf.attribute("numFmtId").as_int();
        const std::string codigo = propios.count(id) ? propios[id] : "";
        estilos.push_back({EsFormatoFecha(id, codigo), EsFormatoPorciento(id, codigo)});
    });
    return estilos;
}

// A date serial as ISO 8601: days since the epoch of the workbook's date system, and the
// time of day when there is one. The 1900 system counts a 29 February 1900 that was not.
std::string FechaIso(double serie, bool sistema1904) {
    long long dias = static_cast<long long>(std::floor(serie));
    const double fraccion = serie - static_cast<double>(dias);
    // Days from 1970-01-01 of each epoch: 1904-01-01, and 1899-12-30 (1899-12-31 before
    // the false leap day).
    dias += sistema1904 ? -24107 : (dias < 61 ? -25568 : -25569);
    // Civil date from days (Howard Hinnant's algorithm).
    dias += 719468;
    const long long era = (dias >= 0 ? dias : dias - 146096) / 146097;
    const long long doe = dias - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    const auto cifras = [](long long n, std::size_t ancho) {
        std::string t = std::to_string(n);
        return std::string(t.size() < ancho ? ancho - t.size() : 0, '0') + t;
    };
    std::string fecha = cifras(y, 4) + "-" + cifras(m, 2) + "-" + cifras(d, 2);
    const long long segundos = std::llround(fraccion * 86400);
    if (segundos > 0 && segundos < 86400) {
        fecha += "T" + cifras(segundos / 3600, 2) + ":" + cifras(segundos / 60 % 60, 2) + ":" +
                 cifras(segundos % 60, 2);
    }
    return fecha;
}

// A cell of the sheet: its text, whether it was a number and shown as a percent, whether
// it is a formula without its value, and why it cannot be read.
struct CeldaLibro {
    std::string texto;
    bool numero = false;
    bool porciento = false;
    bool formula = false;
    std::string error;
};
using FilaLibro = std::vector<CeldaLibro>;

// The rows of a sheet, and what each row's reading tells the reader.
struct Hoja {
    std::vector<FilaLibro> filas;
    std::vector<std::vector<std::string>> avisos;
};

// "AB12" to 27, the column's position from 0.
std::optional<std::size_t> ColumnaDe(std::string_view referencia) {
    std::size_t columna = 0;
    std::size_t letras = 0;
    for (const char c : referencia) {
        if (c < 'A' || c > 'Z') {
            break;
        }
        columna = columna * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letras > 3) {
            return std::nullopt; // beyond XFD, the last column a sheet has
        }
    }
    return letras == 0 ? std::nullopt : std::optional(columna - 1);
}

struct Libro {
    std::vector<std::string> compartidas;
    std::vector<Estilo> estilos;
    bool sistema1904 = false;
};

CeldaLibro LeerCelda(const pugi::xml_node& c, const Libro& libro) {
    const std::string_view tipo = c.attribute("t").as_string();
    const pugi::xml_node v = Hijo(c, "v");
    const pugi::xml_node f = Hijo(c, "f");
    CeldaLibro celda;
    if (tipo == "inlineStr") {
        celda.texto = TextoDe(Hijo(c, "is"));
        return celda;
    }
    if (!v || (f && std::string_view(v.text().get()).empty())) {
        if (f) {
            celda.texto = "=" + std::string(f.text().get());
            celda.formula = true;
            celda.error = "tiene una fórmula sin valor calculado";
        }
        return celda;
    }
    const std::string valor = v.text().get();
    if (tipo == "s") {
        const auto i = static_cast<std::size_t>(v.text().as_ullong(~0ull));
        celda.texto = i < libro.compartidas.size() ? libro.compartidas[i] : "";
    } else if (tipo == "b") {
        celda.texto = valor == "1" ? "VERDADERO" : "FALSO";
    } else if (tipo == "str" || tipo == "e") {
        celda.texto = valor;
    } else {
        double numero = 0;
        const auto [fin, error] =
            std::from_chars(valor.data(), valor.data() + valor.size(), numero);
        const auto s = static_cast<std::size_t>(c.attribute("s").as_uint());
        const Estilo estilo = s < libro.estilos.size() ? libro.estilos[s] : Estilo{};
        if (error != std::errc() || !std::isfinite(numero)) {
            celda.texto = valor;
        } else if (estilo.fecha && std::fabs(numero) < 3e6) {
            celda.texto = FechaIso(numero, libro.sistema1904);
        } else if (const auto d = engine::Decimal::DeReal(numero)) {
            celda.texto = d->Texto();
            celda.numero = true;
            celda.porciento = estilo.porciento;
        } else {
            celda.texto = engine::TextoQuinceCifras(numero);
        }
    }
    return celda;
}

// "J6" to its column and its row, both from 0.
std::optional<std::pair<std::size_t, std::size_t>> Celda(std::string_view referencia) {
    const auto columna = ColumnaDe(referencia);
    const std::size_t digitos = referencia.find_first_of("0123456789");
    std::size_t fila = 0;
    if (!columna || digitos == std::string_view::npos ||
        std::from_chars(referencia.data() + digitos, referencia.data() + referencia.size(), fila)
                .ec != std::errc() ||
        fila == 0 || fila > 1048576) {
        return std::nullopt;
    }
    return std::pair{*columna, fila - 1};
}

// A cell merged over several rows shows its value in each of them, as Excel shows it: the
// value is read in each row it covers, and the rows below the first are told so.
void LeerCombinadas(const pugi::xml_document& xml, Hoja& hoja) {
    CadaHijo(Hijo(xml.document_element(), "mergeCells"), "mergeCell", [&](pugi::xml_node m) {
        const std::string rango = m.attribute("ref").as_string();
        const std::size_t dos = rango.find(':');
        const auto desde = Celda(std::string_view(rango).substr(0, dos));
        const auto hasta = dos == std::string::npos
                               ? std::nullopt
                               : Celda(std::string_view(rango).substr(dos + 1));
        if (!desde || !hasta || hasta->second <= desde->second ||
            desde->second >= hoja.filas.size() ||
            desde->first >= hoja.filas[desde->second].size()) {
            return;
        }
        const auto [columna, primera] = *desde;
        const CeldaLibro valor = hoja.filas[primera][columna];
        if (valor.texto.empty()) {
            return;
        }
        const std::size_t ultima = std::min(hasta->second, hoja.filas.size() - 1);
        for (std::size_t f = primera + 1; f <= ultima; ++f) {
            FilaLibro& fila = hoja.filas[f];
            fila.resize(std::max(fila.size(), columna + 1));
            fila[columna] = valor;
            hoja.avisos[f].push_back("La celda " + LetrasDeColumna(columna) +
                                     std::to_string(f + 1) + " es parte de la combinada " + rango +
                                     ": se lee con su valor, " + Comillas(valor.texto) + ".");
        }
    });
}

// The rows of a sheet, in order; a row absent from the sheet is an empty one.
Hoja LeerHoja(const pugi::xml_document& xml, const Libro& libro) {
    Hoja hoja;
    std::vector<FilaLibro>& filas = hoja.filas;
    const pugi::xml_node datos = Hijo(xml.document_element(), "sheetData");
    std::size_t siguiente = 1;
    CadaHijo(datos, "row", [&](pugi::xml_node fila) {
        std::size_t numero = fila.attribute("r").as_ullong(siguiente);
        if (numero < siguiente || numero > siguiente + 1000000) {
            numero = siguiente; // rows out of order are read where they stand
        }
        filas.resize(numero - 1);
        FilaLibro celdas;
        std::size_t columna = 0;
        CadaHijo(fila, "c", [&](pugi::xml_node c) {
            if (const auto col = ColumnaDe(c.attribute("r").as_string())) {
                columna = *col;
            }
            if (columna >= celdas.size()) {
                celdas.resize(columna + 1);
            }
            celdas[columna++] = LeerCelda(c, libro);
        });
        filas.push_back(std::move(celdas));
        siguiente = numero + 1;
    });
    hoja.avisos.resize(filas.size());
    LeerCombinadas(xml, hoja);
    return hoja;
}

// The workbook's sheets in order, each by its name and its path in the zip.
std::vector<std::pair<std::string, std::string>> RutasDeLasHojas(Zip& zip, Libro& libro) {
    std::vector<std::pair<std::string, std::string>> hojas;
    const auto cuaderno = Xml(zip, "xl/workbook.xml");
    const auto relaciones = Xml(zip, "xl/_rels/workbook.xml.rels");
    if (!cuaderno || !relaciones) {
        return hojas;
    }
    const pugi::xml_node raiz = cuaderno->document_element();
    libro.sistema1904 = Hijo(raiz, "workbookPr").attribute("date1904").as_bool();
    std::map<std::string, std::string> destinos;
    CadaHijo(relaciones->document_element(), "Relationship", [&](pugi::xml_node r) {
        const std::string destino = r.attribute("Target").as_string();
        destinos[r.attribute("Id").as_string()] =
            destino.starts_with('/') ? destino.substr(1) : "xl/" + destino;
    });
    CadaHijo(Hijo(raiz, "sheets"), "sheet", [&](pugi::xml_node hoja) {
        for (pugi::xml_attribute a : hoja.attributes()) {
            const std::string_view nombre = a.name();
            if (nombre.ends_with(":id") && destinos.count(a.value())) {
                hojas.emplace_back(hoja.attribute("name").as_string(), destinos[a.value()]);
                break;
            }
        }
    });
    return hojas;
}

// The path of the sheet named `nombre`, whatever its case and accents; none if there is none.
std::optional<std::string> RutaDe(const std::vector<std::pair<std::string, std::string>>& hojas,
                                  std::string_view nombre) {
    for (const auto& [hoja, ruta] : hojas) {
        if (Normalizar(hoja) == Normalizar(nombre)) {
            return ruta;
        }
    }
    return std::nullopt;
}

std::vector<std::string> Textos(const FilaLibro& fila) {
    std::vector<std::string> textos;
    for (const CeldaLibro& c : fila) {
        textos.push_back(c.texto);
    }
    return textos;
}

// Whether a row names the circuit and a load column, as the header does.
bool EsEncabezado(const FilaLibro& fila) {
    const Encabezado e = EncabezadoParcial(Textos(fila));
    const bool carga = std::any_of(Columnas.begin(), Columnas.end(), [&](const auto& d) {
        return d.carga && e.posicion[static_cast<std::size_t>(&d - Columnas.data())];
    });
    return e.posicion[static_cast<std::size_t>(Columna::Circuito)] && carga;
}

// The decimal mark of the number columns' text cells, as their cells show it.
MarcaDecimal MarcaDelTexto(const std::vector<FilaLibro>& filas, std::size_t encabezado,
                           const Encabezado& e) {
    DecisionMarca decision;
    for (std::size_t f = encabezado + 1; f < filas.size(); ++f) {
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            const auto& p = e.posicion[c];
            if (Columnas[c].numerica() && p && *p < filas[f].size() && !filas[f][*p].numero) {
                decision.Contar(filas[f][*p].texto);
            }
        }
    }
    return decision.Decidir(Marca::Punto);
}

// An input cell of the sheet put into the row: a number as it was, a percent shown as one
// as the percent it shows in a column in %, text in a number column under the text's mark.
void PonerCeldaDelLibro(Cuadro::Fila& fila, Columna columna, const CeldaLibro& celda,
                        MarcaDecimal marcaTexto) {
    const auto c = static_cast<std::size_t>(columna);
    const std::string nombre = "La columna «" + std::string(Columnas[c].nombre) + "» ";
    if (!celda.error.empty()) {
        fila.entradas[c] = celda.texto;
        fila.errores[c] = nombre + celda.error + ": «" + celda.texto + "».";
    } else if (const auto valor = engine::Decimal::Leer(celda.texto);
               celda.numero && celda.porciento && valor) {
        // Excel keeps 3 % as 0.03 and shows it as 3 %: the column is given what it shows.
        const std::string porciento = (*valor * engine::Decimal(100)).Texto();
        fila.entradas[c] = porciento;
        fila.errores[c].clear();
        if (!Columnas[c].porciento) {
            fila.errores[c] =
                nombre + "tiene un porcentaje, «" + porciento + " %», y no es una columna en %.";
        }
    } else if (Columnas[c].numerica() && !celda.numero) {
        PonerCelda(fila, columna, celda.texto, marcaTexto);
    }
}

// The schedule of the rows under the header: numbers as they were, text in a number column
// with the mark the text cells show; each row with its number in the sheet, a formula
// without its value among its other cells marked, and what its merged cells tell.
std::variant<Cuadro, std::string> CuadroDeLaHoja(const Hoja& hoja) {
    const std::vector<FilaLibro>& filas = hoja.filas;
    std::size_t h = 0;
    while (h < filas.size() && !EsEncabezado(filas[h])) {
        ++h;
    }
    if (h == filas.size()) {
        return std::string("ninguna fila tiene las columnas «circuito» y «corriente» (o "
                           "«potencia_kw», o «potencia_kva»)");
    }
    auto leido = LeerEncabezado(Textos(filas[h]));
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        return *mensaje;
    }
    const Encabezado& e = std::get<Encabezado>(leido);
    const MarcaDecimal marcaTexto = MarcaDelTexto(filas, h, e);
    Cuadro cuadro = CuadroDelEncabezado(e);
    cuadro.origen = Origen::Libro;
    // Its numbers are plain decimals.
    cuadro.formato.delimitador = ',';
    cuadro.formato.marca = {Marca::Punto, false};
    for (std::size_t f = h + 1; f < filas.size(); ++f) {
        const std::vector<std::string> textos = Textos(filas[f]);
        if (FilaVacia(textos)) {
            continue;
        }
        Cuadro::Fila fila = FilaDelArchivo(cuadro, textos, {Marca::Punto, false});
        fila.numero = f + 1;
        fila.avisos = hoja.avisos[f];
        for (std::size_t i = 0; i < cuadro.columnas.size() && i < filas[f].size(); ++i) {
            const Cuadro::ColumnaArchivo& col = cuadro.columnas[i];
            if (col.tipo == Cuadro::ColumnaArchivo::Tipo::Entrada) {
                PonerCeldaDelLibro(fila, static_cast<Columna>(col.indice), filas[f][i], marcaTexto);
            } else if (col.tipo == Cuadro::ColumnaArchivo::Tipo::Otra && filas[f][i].formula) {
                fila.formulas.push_back(col.indice);
            }
        }
        cuadro.filas.push_back(std::move(fila));
    }
    return cuadro;
}

// The project's fields from the sheet "Proyecto" the program writes, and the decimal mark
// its texts write numbers with: each label in the first column, its value beside it, until
// the summary after the empty row.
void ProyectoDeLaHoja(const Hoja& hoja, Cuadro& cuadro) {
    for (const FilaLibro& fila : hoja.filas) {
        if (fila.empty() || SinBlancos(fila[0].texto).empty()) {
            break;
        }
        const std::string etiqueta = Normalizar(fila[0].texto);
        const std::string valor = fila.size() > 1 ? fila[1].texto : "";
        for (const CampoProyecto& campo : CamposProyecto) {
            if (etiqueta == Normalizar(campo.etiqueta)) {
                cuadro.proyecto.*campo.campo = valor;
            }
        }
        if (etiqueta == Normalizar(EtiquetaMarcaDecimal) && valor.size() == 1) {
            const Marca marca = valor == "," ? Marca::Coma : Marca::Punto;
            cuadro.formato.marca = {marca, false};
            cuadro.formato.delimitador = DelimitadorPorMarca(marca);
        }
    }
}

} // namespace

std::variant<Cuadro, std::string> LeerLibro(std::string_view bytes) {
    const std::string danado = "no es un libro de Excel (.xlsx) o está dañado";
    Zip zip(bytes);
    if (!zip.abierto()) {
        return danado;
    }
    Libro libro;
    const auto hojas = RutasDeLasHojas(zip, libro);
    auto ruta = RutaDe(hojas, "Alimentadores");
    if (!ruta && !hojas.empty()) {
        ruta = hojas.front().second;
    }
    const auto hoja = ruta ? Xml(zip, *ruta) : std::nullopt;
    if (!hoja) {
        return danado;
    }
    if (const auto compartidas = Xml(zip, "xl/sharedStrings.xml")) {
        CadaHijo(compartidas->document_element(), "si",
                 [&](pugi::xml_node si) { libro.compartidas.push_back(TextoDe(si)); });
    }
    libro.estilos = Estilos(zip);
    auto leido = CuadroDeLaHoja(LeerHoja(*hoja, libro));
    // A workbook the program wrote carries its project on the sheet "Proyecto".
    const auto rutaProyecto = RutaDe(hojas, "Proyecto");
    const auto proyecto = rutaProyecto ? Xml(zip, *rutaProyecto) : std::nullopt;
    if (auto* cuadro = std::get_if<Cuadro>(&leido); cuadro && proyecto) {
        ProyectoDeLaHoja(LeerHoja(*proyecto, libro), *cuadro);
    }
    return leido;
}

std::string LetrasDeColumna(std::size_t columna) {
    std::string letras;
    for (std::size_t n = columna + 1; n > 0; n = (n - 1) / 26) {
        letras.insert(letras.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letras;
}

std::variant<Cuadro, std::string> LeerLibro(const std::filesystem::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada || std::filesystem::is_directory(archivo)) {
        return std::string("no se puede abrir");
    }
    const std::string bytes{std::istreambuf_iterator<char>(entrada), {}};
    return LeerLibro(std::string_view(bytes));
}

} // namespace schedule
