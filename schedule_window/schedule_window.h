// The schedule window: many feeders in one table, sized as they are typed, kept in a project
// file or in the CSV or workbook they came from, exported to a workbook and to a
// calculation record.
#pragma once

#include "schedule_window/calculation_record.h"
#include "schedule_window/feeder_model.h"
#include "toolkit/schedule_module.h"

#include <QMainWindow>

#include <array>
#include <QString>

class QAction;
class QComboBox;
class QDoubleSpinBox;
class QDateEdit;
class QLineEdit;
class QTableView;
class QLabel;
class QLayout;

class VentanaAlimentadores : public QMainWindow, public Alimentadores {
    Q_OBJECT
    Q_DISABLE_COPY(VentanaAlimentadores)

public:
    // `carpetaTablas` holds the conductor tables, as for the main window.
    explicit VentanaAlimentadores(const QString& carpetaTablas, QWidget* parent = nullptr);
    ~VentanaAlimentadores() override;

    ModeloAlimentadores& modelo() { return *modelo_; }
    const QString& archivo() const { return archivo_; }
    bool modificado() const { return !modelo_->pila().isClean(); }

    // Each tells the user, with a message, what went wrong, and returns false. A file is
    // opened by its kind: a project (.alim), a workbook (.xlsx) or a CSV. A schedule is
    // saved as a project (.alim) or as a CSV, by the name's extension.
    bool Abrir(const QString& archivo) override;
    bool GuardarEn(const QString& archivo);
    bool ExportarXlsx(const QString& archivo);
    bool ExportarPdf(const QString& archivo);

    // A feeder brought from elsewhere, added as the last row and selected.
    void AgregarAlimentador(schedule::Cuadro::Fila fila);

    QMainWindow& Ventana() override { return *this; }
    bool PuedeCerrar() override;
    void AgregarDeLaCalculadora(const engine::Entrada& entrada) override;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void createHeader();
    void createTable();
    void createMenu();
    void connectHandlers();
    void FitToScreen();

    void Nuevo_Click();
    void Abrir_Click();
    bool Guardar_Click();
    bool GuardarComo_Click();
    void ExportarExcel_Click();
    void ExportarPdf_Click();
    void Imprimir_Click();
    void AgregarFila_Click();
    void DuplicarFilas_Click();
    void EliminarFilas_Click();
    void MoverFila_Click(int paso);
    void Copiar_Click();
    void Pegar_Click();

    // A new schedule, saved the way the user's spreadsheet saves: numbers with the locale's
    // decimal mark, and the delimiter that goes with it.
    ModeloAlimentadores::Carga Nuevo() const;
    void Empezar(ModeloAlimentadores::Carga carga, const QString& archivo);
    void AjustarColumnas();
    // The inputs of the load's parts and its device show where a row uses them, or all.
    void MostrarColumnas();
    void MostrarEncabezado();
    // The source of the fault current: its group under the project's fields, its fields as
    // the project holds them, and the fields put in, or an entry refused that would give
    // the source in both forms.
    void CrearFuente(QWidget* cliente, QLayout* columna);
    void MostrarFuente();
    // Its status: the current at the service with the motors, its own and the motor rows'.
    void MostrarEstadoFuente();
    void ConfirmarFuente();
    // A project field being typed in counts as changed before the schedule is saved or let go.
    void ConfirmarCampos();
    // So does a cell being typed in, and both are in the schedule before any work reads it.
    void ConfirmarEdicion();
    void ActualizarTitulo();
    // The record of the schedule as it stood in `foto`, built on a worker thread: none if
    // cancelled.
    static std::optional<schedule::Memoria> Memoria(const ModeloAlimentadores::Instantanea& foto,
                                                    Progreso& progreso);
    // Once per schedule: a CSV keeps no project data; what the user chooses.
    enum class GuardarCsv { EnCsv, ComoProyecto, No };
    GuardarCsv CsvSinProyecto();
    std::vector<int> FilasElegidas() const;
    void Avisar(const QString& texto);

    // A child of the window, so that it outlives the view that shows it.
    ModeloAlimentadores* modelo_ = nullptr;
    QString carpetaTablas_;
    QString archivo_;           // the file the schedule was opened from or saved to
    bool avisoCsvDado_ = false; // the user was told a CSV keeps no project data

    struct Campos {
        QLineEdit* proyecto = nullptr;
        QLineEdit* elaboro = nullptr;
        QLineEdit* cedula = nullptr;
        QLineEdit* reviso = nullptr;
        QLineEdit* revision = nullptr;
        QDateEdit* fecha = nullptr;
        QComboBox* norma = nullptr; // the code edition the remarks and the record cite
        QDoubleSpinBox* regulacionTotal = nullptr; // the limit of the drop from the service, %
        // The source's fields, in the order of the project's from PrimerCampoDeFuente.
        std::array<QLineEdit*, schedule::CamposProyecto.size() - schedule::PrimerCampoDeFuente>
            fuente{};
        QLabel* estadoFuente = nullptr; // what the source lacks, or the current at the service
    } campos_;
    QTableView* tabla_ = nullptr;
    struct Acciones {
        QAction* nuevo = nullptr;
        QAction* abrir = nullptr;
        QAction* guardar = nullptr;
        QAction* guardarComo = nullptr;
        QAction* exportarExcel = nullptr;
        QAction* exportarPdf = nullptr;
        QAction* imprimir = nullptr;
        QAction* cerrar = nullptr;
        QAction* deshacer = nullptr;
        QAction* rehacer = nullptr;
        QAction* agregar = nullptr;
        QAction* duplicar = nullptr;
        QAction* eliminar = nullptr;
        QAction* subir = nullptr;
        QAction* bajar = nullptr;
        QAction* copiar = nullptr;
        QAction* pegar = nullptr;
        QAction* todasLasEntradas = nullptr;
    } acciones_;
};
