#include "schedule_window/feeder_model.h"

#include "engine/defaults.h"
#include "engine/numeric_text.h"
#include "engine/raceways.h"
#include "schedule/csv_reader.h"
#include "schedule/record.h"
#include "schedule/text.h"

#include <QBrush>
#include <QColor>
#include <QUndoCommand>

#include <algorithm>
#include <sstream>

using schedule::Columna;
using schedule::Columnas;
using schedule::ColumnasResultado;

namespace {

constexpr std::size_t Observaciones = schedule::Indice(schedule::ColumnaResultado::Observaciones);

// A refused cell, and a given size that fails the limit or the ampacity.
const QColor ColorInvalido(255, 205, 205);
const QColor ColorExcede(255, 225, 160);

// An empty optional cell shows what it stands for, dimmed.
const QColor ColorPorOmision(120, 120, 120);

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

// A cell as kept: its text, and why it cannot be read, if it cannot.
struct CeldaGuardada {
    std::string texto;
    std::string error;

    bool operator==(const CeldaGuardada&) const = default;
};

} // namespace

class ModeloAlimentadores::CambiarCelda : public QUndoCommand {
public:
    CambiarCelda(ModeloAlimentadores& m, int fila, ModeloAlimentadores::Vista vista,
                 CeldaGuardada antes, CeldaGuardada despues)
        : QUndoCommand(QStringLiteral("Editar celda")), m_(m), fila_(fila), vista_(vista),
          antes_(std::move(antes)), despues_(std::move(despues)) {}
    void redo() override { Poner(despues_); }
    void undo() override { Poner(antes_); }

private:
    void Poner(const CeldaGuardada& celda) {
        if (vista_.tipo == ModeloAlimentadores::Tipo::Entrada) {
            m_.PonerEntrada(fila_, vista_.indice, celda.texto, celda.error);
        } else {
            m_.PonerOtra(fila_, vista_.indice, celda.texto);
        }
    }
    ModeloAlimentadores& m_;
    int fila_;
    ModeloAlimentadores::Vista vista_;
    CeldaGuardada antes_, despues_;
};

// Rows put in at `fila` (or, undone, taken out).
class ModeloAlimentadores::PonerFilasComando : public QUndoCommand {
public:
    PonerFilasComando(ModeloAlimentadores& m, int fila, std::vector<schedule::Cuadro::Fila> filas,
                      const QString& texto)
        : QUndoCommand(texto), m_(m), fila_(fila), filas_(std::move(filas)) {}
    void redo() override { m_.PonerFilas(fila_, filas_); }
    void undo() override { m_.QuitarFilas(fila_, static_cast<int>(filas_.size())); }

private:
    ModeloAlimentadores& m_;
    int fila_;
    std::vector<schedule::Cuadro::Fila> filas_;
};

// Rows taken out, each a run of neighbours, last run first so that the positions hold.
class ModeloAlimentadores::BorrarFilasComando : public QUndoCommand {
public:
    BorrarFilasComando(ModeloAlimentadores& m, std::vector<int> filas)
        : QUndoCommand(QStringLiteral("Eliminar filas")), m_(m), filas_(std::move(filas)) {
        std::sort(filas_.begin(), filas_.end());
    }
    void redo() override {
        quitadas_.clear();
        for (auto it = filas_.rbegin(); it != filas_.rend(); ++it) {
            quitadas_.push_back(m_.QuitarFilas(*it, 1).front());
        }
    }
    void undo() override {
        for (std::size_t i = 0; i < filas_.size(); ++i) {
            m_.PonerFilas(filas_[i], {quitadas_[filas_.size() - 1 - i]});
        }
    }

private:
    ModeloAlimentadores& m_;
    std::vector<int> filas_;
    std::vector<schedule::Cuadro::Fila> quitadas_;
};

class ModeloAlimentadores::MoverFilaComando : public QUndoCommand {
public:
    MoverFilaComando(ModeloAlimentadores& m, int fila, int destino)
        : QUndoCommand(QStringLiteral("Mover fila")), m_(m), fila_(fila), destino_(destino) {}
    void redo() override { Mover(fila_, destino_); }
    void undo() override { Mover(destino_, fila_); }

private:
    void Mover(int de, int a) { m_.PonerFilas(a, m_.QuitarFilas(de, 1)); }
    ModeloAlimentadores& m_;
    int fila_, destino_;
};

class ModeloAlimentadores::CambiarCampo : public QUndoCommand {
public:
    CambiarCampo(ModeloAlimentadores& m, std::string schedule::DatosProyecto::*campo,
                 std::string antes, std::string despues, const QString& texto)
        : QUndoCommand(texto), m_(m), campo_(campo), antes_(std::move(antes)),
          despues_(std::move(despues)) {}
    void redo() override { m_.PonerCampo(campo_, despues_); }
    void undo() override { m_.PonerCampo(campo_, antes_); }

private:
    ModeloAlimentadores& m_;
    std::string schedule::DatosProyecto::*campo_;
    std::string antes_, despues_;
};

ModeloAlimentadores::ModeloAlimentadores(QObject* parent)
    : QAbstractTableModel(parent), pila_(this) {}

std::optional<ModeloAlimentadores::Carga>
ModeloAlimentadores::Preparar(schedule::Cuadro cuadro, const std::filesystem::path& carpetaTablas,
                              const engine::Separadores& sep,
                              const std::function<bool(std::size_t)>& seguir) {
    Carga carga;
    auto lectura = engine::LeerTablas(carpetaTablas);
    if (const auto* aviso = std::get_if<engine::Aviso>(&lectura)) {
        carga.errorTablas = aviso->texto;
    } else {
        carga.tablas = std::get<engine::TablasConductores>(std::move(lectura));
    }
    auto dimensionadas =
        schedule::DimensionarCuadro(cuadro, carga.tablas, carga.errorTablas, sep, seguir);
    if (!dimensionadas) {
        return std::nullopt;
    }
    carga.resultados.reserve(dimensionadas->size());
    for (schedule::FilaDimensionada& d : *dimensionadas) {
        carga.resultados.push_back(ConCeldas(std::move(d), sep));
    }
    carga.cuadro = std::move(cuadro);
    return carga;
}

void ModeloAlimentadores::Cargar(Carga carga) {
    beginResetModel();
    cuadro_ = std::move(carga.cuadro);
    tablas_ = std::move(carga.tablas);
    errorTablas_ = std::move(carga.errorTablas);
    resultados_ = std::move(carga.resultados);
    pila_.clear();
    AplicarArbol(false);
    endResetModel();
}

// The inputs first, then the results beside them, then the file's other columns.
ModeloAlimentadores::Vista ModeloAlimentadores::VistaDe(int columna) const {
    const auto c = static_cast<std::size_t>(columna);
    const std::size_t otras = cuadro_.otras.size();
    if (c == 0) {
        return {Tipo::Entrada, 0};
    }
    if (c <= otras) {
        return {Tipo::Otra, c - 1};
    }
    if (c < otras + Columnas.size()) {
        return {Tipo::Entrada, c - otras};
    }
    return {Tipo::Resultado,
            schedule::Indice(schedule::ResultadosEnVentana[c - otras - Columnas.size()])};
}

int ModeloAlimentadores::ColumnaDe(Vista v) const {
    const std::size_t otras = cuadro_.otras.size();
    switch (v.tipo) {
    case Tipo::Entrada:
        return static_cast<int>(v.indice == 0 ? 0 : otras + v.indice);
    case Tipo::Otra:
        return static_cast<int>(1 + v.indice);
    case Tipo::Resultado:
        break;
    }
    const auto& orden = schedule::ResultadosEnVentana;
    const auto lugar =
        std::find(orden.begin(), orden.end(), static_cast<schedule::ColumnaResultado>(v.indice));
    return static_cast<int>(otras + Columnas.size() + (lugar - orden.begin()));
}

bool ModeloAlimentadores::Opcional(int columna) const {
    const Vista v = VistaDe(columna);
    return v.tipo == Tipo::Entrada && Columnas[v.indice].ventana == schedule::EnVentana::SiSeUsa;
}

bool ModeloAlimentadores::EnUso(int columna) const {
    const Vista v = VistaDe(columna);
    return v.tipo != Tipo::Entrada || std::any_of(cuadro_.filas.begin(), cuadro_.filas.end(),
                                                  [&](const schedule::Cuadro::Fila& f) {
                                                      return !f.entradas[v.indice].empty();
                                                  });
}

int ModeloAlimentadores::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(cuadro_.filas.size());
}

int ModeloAlimentadores::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0
                           : static_cast<int>(Columnas.size() + cuadro_.otras.size() +
                                              ColumnasResultado.size());
}

ModeloAlimentadores::Instantanea ModeloAlimentadores::Foto() const {
    return {std::make_shared<const schedule::Cuadro>(cuadro_), tablas_, errorTablas_,
            separadores()};
}

engine::Separadores ModeloAlimentadores::separadores() const {
    return {local_.decimalPoint().toStdString(), ""};
}

ModeloAlimentadores::Resultado ModeloAlimentadores::ConCeldas(schedule::FilaDimensionada d,
                                                              const engine::Separadores& sep) {
    Resultado r;
    static_cast<schedule::FilaDimensionada&>(r) = std::move(d);
    r.propias = schedule::CeldasDeResultado(r.leida, r.dimensionado, sep);
    r.celdas = r.propias;
    return r;
}

ModeloAlimentadores::Resultado
ModeloAlimentadores::Dimensionar(const schedule::Cuadro::Fila& fila) const {
    const engine::Separadores sep = separadores();
    return ConCeldas(schedule::DimensionarFila(fila, tablas_, errorTablas_, sep,
                                               schedule::NormaDe(cuadro_.proyecto)),
                     sep);
}

void ModeloAlimentadores::AplicarArbol(bool avisar) {
    const engine::Separadores sep = separadores();
    const auto arbol = schedule::ArbolDelCuadro(
        cuadro_,
        [this](std::size_t i) -> const schedule::FilaDimensionada& { return resultados_[i]; }, sep);
    // Only the rows whose place changed, or that were sized again, are written and shown anew:
    // an edit touches its row and the feeders below it.
    for (std::size_t f = 0; f < resultados_.size(); ++f) {
        Resultado& r = resultados_[f];
        if (r.lugar == arbol[f]) {
            continue;
        }
        r.celdas = r.propias;
        schedule::AplicarArbol(r.celdas, arbol[f], sep);
        r.lugar = arbol[f];
        if (avisar) {
            const int fila = static_cast<int>(f);
            emit dataChanged(index(fila, 0), index(fila, columnCount() - 1));
        }
    }
}

QString ModeloAlimentadores::TextoVisible(const schedule::Cuadro::Fila& fila,
                                          std::size_t columna) const {
    const std::string& texto = fila.entradas[columna];
    const bool numero = Columnas[columna].numerica() && fila.errores[columna].empty();
    return Q(numero ? schedule::ConMarca(texto, MarcaLocal().marca) : texto);
}

schedule::MarcaDecimal ModeloAlimentadores::MarcaLocal() const {
    return {local_.decimalPoint() == QStringLiteral(",") ? schedule::Marca::Coma
                                                         : schedule::Marca::Punto,
            false};
}

QVariant ModeloAlimentadores::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid()) {
        return {};
    }
    const auto fila = static_cast<std::size_t>(indice.row());
    const Vista v = VistaDe(indice.column());
    switch (papel) {
    case Qt::DisplayRole:
        return Texto(fila, v);
    case Qt::EditRole:
        // A number typed over a default starts from an empty cell.
        return PorOmision(fila, v).isEmpty() ? Texto(fila, v) : QVariant(QString());
    case Qt::ForegroundRole:
        return PorOmision(fila, v).isEmpty() ? QVariant() : QBrush(ColorPorOmision);
    case RolColumna:
        return v.tipo == Tipo::Entrada ? QVariant(static_cast<int>(v.indice)) : QVariant();
    case Qt::ToolTipRole:
        return Ayuda(fila, v);
    case Qt::BackgroundRole:
        return Fondo(fila, v);
    case Qt::TextAlignmentRole:
        return Alineacion(fila, v);
    default:
        return {};
    }
}

QVariant ModeloAlimentadores::Texto(std::size_t fila, Vista v) const {
    switch (v.tipo) {
    case Tipo::Entrada:
        if (const QString omision = PorOmision(fila, v); !omision.isEmpty()) {
            return omision;
        }
        return TextoVisible(cuadro_.filas[fila], v.indice);
    case Tipo::Otra:
        return Q(cuadro_.filas[fila].otras[v.indice]);
    case Tipo::Resultado:
        return Q(resultados_[fila].celdas[v.indice].texto);
    }
    return {};
}

// What an empty optional input stands for: its default, but no share of the load continuous
// where its current is given instead.
QString ModeloAlimentadores::PorOmision(std::size_t fila, Vista v) const {
    const auto& entradas = cuadro_.filas[fila].entradas;
    if (v.tipo != Tipo::Entrada || !entradas[v.indice].empty() ||
        (v.indice == static_cast<std::size_t>(Columna::Continua) &&
         !entradas[static_cast<std::size_t>(Columna::CorrienteContinua)].empty())) {
        return {};
    }
    const auto c = static_cast<Columna>(v.indice);
    // The neutral and the conduit go by the row's system and conduit: the row's own default.
    if (const auto* a = std::get_if<engine::Alimentador>(&resultados_[fila].leida)) {
        if (c == Columna::Neutro) {
            return engine::ConNeutro(*a) ? QStringLiteral("sí") : QStringLiteral("no");
        }
        if (c == Columna::Tubo) {
            const std::string_view tubo =
                engine::Tubos[a->tubo.value_or(engine::TuboPorOmision(a->ducto))].nombre;
            return QString::fromUtf8(tubo.data(), static_cast<qsizetype>(tubo.size()));
        }
    }
    if (Columnas[v.indice].numerica()) {
        return Q(schedule::ConMarca(schedule::TextoPorOmision(c), MarcaLocal().marca));
    }
    return Q(schedule::TextoPorOmision(c));
}

QStringList ModeloAlimentadores::Mensajes(std::size_t fila, Vista v) const {
    QStringList textos;
    for (const schedule::ErrorCelda& e : resultados_[fila].errores) {
        if (v.tipo == Tipo::Entrada && e.columna &&
            static_cast<std::size_t>(*e.columna) == v.indice) {
            textos << Q(e.mensaje);
        }
    }
    const auto& lugar = resultados_[fila].lugar;
    if (lugar && lugar->error && v.tipo == Tipo::Entrada &&
        v.indice == static_cast<std::size_t>(Columna::AlimentadoDesde)) {
        textos << Q(*lugar->error);
    }
    return textos;
}

// A given size that fails the limit or the ampacity marks the size and the remarks.
bool ModeloAlimentadores::Excede(std::size_t fila, Vista v) const {
    const auto& d = resultados_[fila].dimensionado;
    const bool excede = d && (d->excedeRegulacion || d->excedeAmpacidad);
    return excede &&
           ((v.tipo == Tipo::Entrada && v.indice == static_cast<std::size_t>(Columna::Calibre)) ||
            (v.tipo == Tipo::Resultado && v.indice == Observaciones));
}

QVariant ModeloAlimentadores::Ayuda(std::size_t fila, Vista v) const {
    if (const QStringList textos = Mensajes(fila, v); !textos.isEmpty()) {
        return textos.join(QLatin1Char('\n'));
    }
    // A text that runs long is read whole; a given size that fails says why.
    if (Excede(fila, v)) {
        return Q(resultados_[fila].celdas[Observaciones].texto);
    }
    if (v.tipo == Tipo::Resultado && schedule::ColumnasResultado[v.indice].larga) {
        return Q(resultados_[fila].celdas[v.indice].texto);
    }
    if (const QString omision = PorOmision(fila, v); !omision.isEmpty()) {
        return QStringLiteral("Vacía: %1").arg(omision);
    }
    return {};
}

QVariant ModeloAlimentadores::Fondo(std::size_t fila, Vista v) const {
    if (!Mensajes(fila, v).isEmpty()) {
        return QBrush(ColorInvalido);
    }
    if (Excede(fila, v)) {
        return QBrush(ColorExcede);
    }
    return {};
}

QVariant ModeloAlimentadores::Alineacion(std::size_t fila, Vista v) const {
    if ((v.tipo == Tipo::Entrada && Columnas[v.indice].numerica()) ||
        (v.tipo == Tipo::Resultado && resultados_[fila].celdas[v.indice].numero)) {
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant ModeloAlimentadores::headerData(int seccion, Qt::Orientation orientacion,
                                         int papel) const {
    if (papel != Qt::DisplayRole) {
        return {};
    }
    if (orientacion == Qt::Vertical) {
        return seccion + 1;
    }
    const Vista v = VistaDe(seccion);
    switch (v.tipo) {
    case Tipo::Entrada:
        return Q(std::string(Columnas[v.indice].titulo.ventana));
    case Tipo::Otra:
        return Q(cuadro_.otras[v.indice]);
    case Tipo::Resultado:
        return Q(std::string(ColumnasResultado[v.indice].titulo.ventana));
    }
    return {};
}

Qt::ItemFlags ModeloAlimentadores::flags(const QModelIndex& indice) const {
    const Qt::ItemFlags base = QAbstractTableModel::flags(indice);
    return VistaDe(indice.column()).tipo == Tipo::Resultado ? base : base | Qt::ItemIsEditable;
}

bool ModeloAlimentadores::setData(const QModelIndex& indice, const QVariant& valor, int papel) {
    if (!indice.isValid() || papel != Qt::EditRole) {
        return false;
    }
    const Vista v = VistaDe(indice.column());
    // Choosing what a cell already shows, its default among them, changes nothing.
    if (valor.toString().trimmed() == Texto(static_cast<std::size_t>(indice.row()), v).toString()) {
        return true;
    }
    const auto fila = static_cast<std::size_t>(indice.row());
    CeldaGuardada antes, despues;
    if (v.tipo == Tipo::Entrada) {
        const schedule::Cuadro::Fila& actual = cuadro_.filas[fila];
        antes = {actual.entradas[v.indice], actual.errores[v.indice]};
        schedule::Cuadro::Fila editada = actual;
        schedule::PonerCelda(editada, static_cast<Columna>(v.indice),
                             valor.toString().trimmed().toStdString(), MarcaLocal());
        despues = {editada.entradas[v.indice], editada.errores[v.indice]};
    } else if (v.tipo == Tipo::Otra) {
        antes.texto = cuadro_.filas[fila].otras[v.indice];
        despues.texto = valor.toString().toStdString();
    } else {
        return false;
    }
    if (antes != despues) {
        pila_.push(new CambiarCelda(*this, indice.row(), v, antes, despues));
    }
    return true;
}

schedule::Cuadro::Fila ModeloAlimentadores::FilaNueva() const {
    return schedule::FilaNueva(cuadro_);
}

void ModeloAlimentadores::AgregarFila(int fila, schedule::Cuadro::Fila nueva,
                                      const QString& texto) {
    nueva.otras.resize(cuadro_.otras.size());
    pila_.push(new PonerFilasComando(*this, fila, {std::move(nueva)}, texto));
}

void ModeloAlimentadores::DuplicarFilas(const std::vector<int>& filas) {
    if (filas.empty()) {
        return;
    }
    std::vector<schedule::Cuadro::Fila> copias;
    for (int f : filas) {
        copias.push_back(cuadro_.filas[static_cast<std::size_t>(f)]);
    }
    const int despues = *std::max_element(filas.begin(), filas.end()) + 1;
    pila_.push(
        new PonerFilasComando(*this, despues, std::move(copias), QStringLiteral("Duplicar filas")));
}

void ModeloAlimentadores::BorrarFilas(const std::vector<int>& filas) {
    if (!filas.empty()) {
        pila_.push(new BorrarFilasComando(*this, filas));
    }
}

void ModeloAlimentadores::MoverFila(int fila, int destino) {
    if (fila != destino && destino >= 0 && destino < rowCount()) {
        pila_.push(new MoverFilaComando(*this, fila, destino));
    }
}

ModeloAlimentadores::Pegado ModeloAlimentadores::Pegar(int fila, const std::string& texto) {
    std::istringstream entrada(texto);
    auto apertura = schedule::LectorCsv::Abrir(entrada);
    auto& lector = *std::get<std::unique_ptr<schedule::LectorCsv>>(apertura);
    std::vector<std::vector<std::string>> bloque;
    std::vector<std::string> celdas;
    while (lector.Siguiente(celdas)) {
        if (!schedule::FilaVacia(celdas)) {
            bloque.push_back(std::move(celdas));
        }
    }
    Pegado pegado;
    std::vector<std::optional<Vista>> destinos = DestinosPorNombre(bloque, pegado.omitidas);
    const bool conEncabezado = !destinos.empty();
    if (!conEncabezado) {
        for (int c = 0; c < columnCount(); ++c) {
            destinos.push_back(VistaDe(c));
        }
    }
    // A pasted block has one decimal mark, decided from its numbers as a file's is.
    schedule::DecisionMarca decision;
    for (std::size_t f = conEncabezado ? 1 : 0; f < bloque.size(); ++f) {
        for (std::size_t i = 0; i < bloque[f].size() && i < destinos.size(); ++i) {
            if (destinos[i] && destinos[i]->tipo == Tipo::Entrada &&
                Columnas[destinos[i]->indice].numerica()) {
                decision.Contar(bloque[f][i]);
            }
        }
    }
    const schedule::MarcaDecimal marca = decision.Decidir(MarcaLocal().marca);
    std::vector<schedule::Cuadro::Fila> filas;
    for (std::size_t f = conEncabezado ? 1 : 0; f < bloque.size(); ++f) {
        schedule::Cuadro::Fila nueva;
        nueva.otras.resize(cuadro_.otras.size());
        for (std::size_t i = 0; i < bloque[f].size() && i < destinos.size(); ++i) {
            // The result columns are computed, not pasted.
            if (destinos[i] && destinos[i]->tipo == Tipo::Entrada) {
                schedule::PonerCelda(nueva, static_cast<Columna>(destinos[i]->indice), bloque[f][i],
                                     marca);
            } else if (destinos[i] && destinos[i]->tipo == Tipo::Otra) {
                nueva.otras[destinos[i]->indice] = bloque[f][i];
            }
        }
        filas.push_back(std::move(nueva));
    }
    if (!filas.empty()) {
        pila_.push(new PonerFilasComando(*this, fila, filas, QStringLiteral("Pegar filas")));
    }
    pegado.filas = static_cast<int>(filas.size());
    return pegado;
}

// The column each cell of a pasted block goes to, when its first line names columns as a
// file's header does: the inputs by their names and other names, the file's other columns
// by theirs. None when the first line is no header.
std::vector<std::optional<ModeloAlimentadores::Vista>>
ModeloAlimentadores::DestinosPorNombre(const std::vector<std::vector<std::string>>& bloque,
                                       std::vector<std::string>& omitidas) const {
    if (bloque.empty()) {
        return {};
    }
    const std::vector<std::string>& titulos = bloque.front();
    const schedule::Encabezado e = schedule::EncabezadoParcial(titulos);
    std::vector<std::optional<Vista>> destinos(titulos.size());
    int nombradas = 0;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (e.posicion[c]) {
            destinos[*e.posicion[c]] = Vista{Tipo::Entrada, c};
            ++nombradas;
        }
    }
    if (nombradas < 2) {
        return {};
    }
    for (const std::size_t i : e.sinUso) {
        for (std::size_t o = 0; o < cuadro_.otras.size(); ++o) {
            if (schedule::Normalizar(titulos[i]) == schedule::Normalizar(cuadro_.otras[o])) {
                destinos[i] = Vista{Tipo::Otra, o};
            }
        }
        if (!destinos[i] && !schedule::SinBlancos(titulos[i]).empty()) {
            omitidas.push_back(titulos[i]);
        }
    }
    return destinos;
}

QString ModeloAlimentadores::Copiar(const std::vector<int>& filas) const {
    QString texto;
    for (int f : filas) {
        for (int c = 0; c < columnCount(); ++c) {
            // An empty cell stays empty, whatever default it shows.
            QString celda = data(index(f, c), Qt::EditRole).toString();
            if (celda.contains(QLatin1Char('\t')) || celda.contains(QLatin1Char('\n')) ||
                celda.contains(QLatin1Char('"'))) {
                celda = QLatin1Char('"') +
                        celda.replace(QLatin1String("\""), QLatin1String("\"\"")) +
                        QLatin1Char('"');
            }
            texto += (c > 0 ? QStringLiteral("\t") : QString()) + celda;
        }
        texto += QLatin1Char('\n');
    }
    return texto;
}

void ModeloAlimentadores::CambiarEncabezado(std::string schedule::DatosProyecto::*campo,
                                            const std::string& valor, const QString& texto) {
    if (cuadro_.proyecto.*campo != valor) {
        pila_.push(new CambiarCampo(*this, campo, cuadro_.proyecto.*campo, valor, texto));
    }
}

void ModeloAlimentadores::CambiarArchivo(schedule::Origen origen,
                                         const schedule::FormatoCsv& formato) {
    cuadro_.origen = origen;
    cuadro_.formato = formato;
}

void ModeloAlimentadores::PonerEntrada(int fila, std::size_t columna, const std::string& texto,
                                       const std::string& error) {
    const auto f = static_cast<std::size_t>(fila);
    cuadro_.filas[f].entradas[columna] = texto;
    cuadro_.filas[f].errores[columna] = error;
    resultados_[f] = Dimensionar(cuadro_.filas[f]);
    AplicarArbol();
}

void ModeloAlimentadores::PonerOtra(int fila, std::size_t columna, const std::string& texto) {
    cuadro_.filas[static_cast<std::size_t>(fila)].otras[columna] = texto;
    const int c = ColumnaDe({Tipo::Otra, columna});
    emit dataChanged(index(fila, c), index(fila, c));
}

void ModeloAlimentadores::PonerFilas(int fila, const std::vector<schedule::Cuadro::Fila>& filas) {
    beginInsertRows({}, fila, fila + static_cast<int>(filas.size()) - 1);
    cuadro_.filas.insert(cuadro_.filas.begin() + fila, filas.begin(), filas.end());
    std::vector<Resultado> nuevos;
    for (const auto& f : filas) {
        nuevos.push_back(Dimensionar(f));
    }
    resultados_.insert(resultados_.begin() + fila, nuevos.begin(), nuevos.end());
    endInsertRows();
    AplicarArbol();
}

std::vector<schedule::Cuadro::Fila> ModeloAlimentadores::QuitarFilas(int fila, int cuantas) {
    beginRemoveRows({}, fila, fila + cuantas - 1);
    const auto inicio = cuadro_.filas.begin() + fila;
    std::vector<schedule::Cuadro::Fila> quitadas(inicio, inicio + cuantas);
    cuadro_.filas.erase(inicio, inicio + cuantas);
    resultados_.erase(resultados_.begin() + fila, resultados_.begin() + fila + cuantas);
    endRemoveRows();
    AplicarArbol();
    return quitadas;
}

void ModeloAlimentadores::PonerCampo(std::string schedule::DatosProyecto::*campo,
                                     const std::string& valor) {
    cuadro_.proyecto.*campo = valor;
    // The remarks cite the clauses of the project's code edition.
    if (campo == &schedule::DatosProyecto::norma) {
        for (std::size_t f = 0; f < cuadro_.filas.size(); ++f) {
            resultados_[f] = Dimensionar(cuadro_.filas[f]);
        }
    }
    // The total regulation's limit marks the paths past it; the source of the fault current
    // gives every feeder its figures.
    const auto& campos = schedule::CamposProyecto;
    const bool deFuente =
        std::any_of(campos.begin() + schedule::PrimerCampoDeFuente, campos.end(),
                    [campo](const schedule::CampoProyecto& c) { return c.campo == campo; });
    if (campo == &schedule::DatosProyecto::norma ||
        campo == &schedule::DatosProyecto::regulacionTotal || deFuente) {
        AplicarArbol();
    }
    emit encabezadoCambiado();
}
