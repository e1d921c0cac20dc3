// The schedule of feeders as a table model: the input cells the user edits, the other
// columns of the file, and each row's results, sized again whenever the row changes.
#pragma once

#include "engine/sizing.h"
#include "schedule/schedule_file.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ModeloAlimentadores : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY(ModeloAlimentadores)

public:
    explicit ModeloAlimentadores(QObject* parent = nullptr);

    // What the sizing gave a row, and its result columns as shown.
    struct Resultado : schedule::FilaDimensionada {
        std::vector<schedule::Celda> propias;   // the row's own results
        std::vector<schedule::Celda> celdas;    // with its place in the tree of feeders
        std::optional<schedule::EnArbol> lugar; // that place, once applied
    };
    // A schedule made ready to be shown: the tables read and every row sized, without the
    // model, so that a worker thread may do it while the window goes on.
    struct Carga {
        schedule::Cuadro cuadro;
        engine::TablasConductores tablas;
        std::optional<std::string> errorTablas;
        std::vector<Resultado> resultados;
    };
    // Told the rows sized so far; false stops the sizing, and nothing is given.
    static std::optional<Carga> Preparar(schedule::Cuadro cuadro,
                                         const std::filesystem::path& carpetaTablas,
                                         const engine::Separadores& sep,
                                         const std::function<bool(std::size_t)>& seguir = {});
    void Cargar(Carga carga);
    // The schedule as it stands, with the tables and separators it is sized with: what a
    // worker thread reads while the window goes on, untouched by any later edit.
    struct Instantanea {
        std::shared_ptr<const schedule::Cuadro> cuadro;
        engine::TablasConductores tablas;
        std::optional<std::string> errorTablas;
        engine::Separadores sep;
    };
    Instantanea Foto() const;
    const schedule::Cuadro& cuadro() const { return cuadro_; }
    // The conductor tables the rows are sized with, and why they could not be read, if
    // they could not.
    const engine::TablasConductores& tablas() const { return tablas_; }
    const std::optional<std::string>& errorDeTablas() const { return errorTablas_; }
    // The separators the rows' numbers are shown with: the locale's decimal mark, no grouping.
    engine::Separadores separadores() const;
    QUndoStack& pila() { return pila_; }
    const QUndoStack& pila() const { return pila_; }

    // What a view column shows: the circuit, the file's other columns beside it, the
    // other inputs, then the results, the remarks last.
    enum class Tipo { Entrada, Otra, Resultado };
    struct Vista {
        Tipo tipo;
        std::size_t indice; // in Columnas, in the other columns, or in ColumnasResultado

        bool operator==(const Vista&) const = default;
    };
    Vista VistaDe(int columna) const;
    int ColumnaDe(Vista vista) const;
    // The inputs the column table shows only while some row fills them: a view may leave
    // one out while no row uses it.
    bool Opcional(int columna) const;
    bool EnUso(int columna) const;
    // The role that tells an input cell's place in Columnas, for its editor.
    static constexpr int RolColumna = Qt::UserRole;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    // An edit of a cell becomes a command on the undo stack.
    bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override;

    // The user's row commands, each undoable.
    void AgregarFila(int fila, schedule::Cuadro::Fila nueva, const QString& texto);
    void DuplicarFilas(const std::vector<int>& filas);
    void BorrarFilas(const std::vector<int>& filas);
    void MoverFila(int fila, int destino);
    // Rows copied from a spreadsheet, tab-separated, with decimal commas or points,
    // inserted before `fila`: by the names of a first line that names columns, else in the
    // view's column order.
    struct Pegado {
        int filas = 0;
        std::vector<std::string> omitidas; // the columns of the first line not known here
    };
    Pegado Pegar(int fila, const std::string& texto);
    // The rows as tab-separated text, as the view shows them but for the defaults of the
    // empty cells, which stay empty.
    QString Copiar(const std::vector<int>& filas) const;
    // The project's data, undoable.
    void CambiarEncabezado(std::string schedule::DatosProyecto::*campo, const std::string& valor,
                           const QString& texto);
    // The file the schedule now belongs to, once saved to it: not a change of the schedule.
    void CambiarArchivo(schedule::Origen origen, const schedule::FormatoCsv& formato);

    // A row new to the schedule: the main window's defaults.
    schedule::Cuadro::Fila FilaNueva() const;

    const Resultado& resultado(int fila) const {
        return resultados_[static_cast<std::size_t>(fila)];
    }

signals:
    void encabezadoCambiado();

private:
    // The undo commands, the only ones that change the schedule, through the steps below.
    class CambiarCelda;
    class PonerFilasComando;
    class BorrarFilasComando;
    class MoverFilaComando;
    class CambiarCampo;

    void PonerEntrada(int fila, std::size_t columna, const std::string& texto,
                      const std::string& error);
    void PonerOtra(int fila, std::size_t columna, const std::string& texto);
    void PonerFilas(int fila, const std::vector<schedule::Cuadro::Fila>& filas);
    std::vector<schedule::Cuadro::Fila> QuitarFilas(int fila, int cuantas);
    void PonerCampo(std::string schedule::DatosProyecto::*campo, const std::string& valor);

    // What data() gives for each role of a cell.
    QVariant Texto(std::size_t fila, Vista v) const;
    QVariant Ayuda(std::size_t fila, Vista v) const;
    QVariant Fondo(std::size_t fila, Vista v) const;
    QVariant Alineacion(std::size_t fila, Vista v) const;
    QString PorOmision(std::size_t fila, Vista v) const;
    // The messages about an input cell, and whether a given size fails in this cell.
    QStringList Mensajes(std::size_t fila, Vista v) const;
    bool Excede(std::size_t fila, Vista v) const;

    // A row's sizing with its result columns, as the view shows them.
    static Resultado ConCeldas(schedule::FilaDimensionada dimensionada,
                               const engine::Separadores& sep);
    Resultado Dimensionar(const schedule::Cuadro::Fila& fila) const;
    // Every row's place in the tree of feeders, after any change to one of them; the rows
    // whose place changed are told to the views unless the whole model is being reset.
    void AplicarArbol(bool avisar = true);
    std::vector<std::optional<Vista>>
    DestinosPorNombre(const std::vector<std::vector<std::string>>& bloque,
                      std::vector<std::string>& omitidas) const;
    // A cell's text as the user sees it: numbers with the locale's decimal separator.
    QString TextoVisible(const schedule::Cuadro::Fila& fila, std::size_t columna) const;
    // The decimal mark of what the user types: the locale's.
    schedule::MarcaDecimal MarcaLocal() const;

    schedule::Cuadro cuadro_;
    std::vector<Resultado> resultados_;
    engine::TablasConductores tablas_;
    std::optional<std::string> errorTablas_;
    QUndoStack pila_;
    QLocale local_;
};
