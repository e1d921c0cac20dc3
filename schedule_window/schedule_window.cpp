#include "schedule_window/schedule_window.h"

#include "schedule/replace_file.h"
#include "schedule/writers.h"
#include "schedule_window/calculation_record.h"
#include "schedule_window/feeder_delegate.h"
#include "toolkit/toolkit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <fstream>

namespace {

const QString FiltroCsv = QStringLiteral("Tablas CSV (*.csv);;Todos los archivos (*)");

std::filesystem::path Ruta(const QString& archivo) {
    return std::filesystem::path(archivo.toStdString());
}

// A new schedule, saved the way the user's spreadsheet saves: numbers with the locale's
// decimal mark, and the delimiter that goes with it.
schedule::Cuadro CuadroNuevo() {
    schedule::Cuadro cuadro;
    cuadro.marca = QLocale().decimalPoint() == QStringLiteral(",") ? schedule::Marca::Coma
                                                                   : schedule::Marca::Punto;
    cuadro.delimitador = schedule::DelimitadorPorMarca(cuadro.marca);
    return cuadro;
}

} // namespace

VentanaAlimentadores::VentanaAlimentadores(const QString& carpetaTablas, QWidget* parent)
    : QMainWindow(parent, Qt::Window), modelo_(new ModeloAlimentadores(this)),
      carpetaTablas_(carpetaTablas) {
    setObjectName(QStringLiteral("VentanaAlimentadores"));
    setAccessibleName(QStringLiteral("Alimentadores"));
    createHeader();
    createTable();
    createMenu();
    connectHandlers();
    Empezar(CuadroNuevo(), {});
    resize(1380, 640);
}

VentanaAlimentadores::~VentanaAlimentadores() {
    toolkit::DesconectarHijos(*this);
}

void VentanaAlimentadores::createHeader() {
    auto* cliente = new QWidget(this);
    auto* columna = new QVBoxLayout(cliente);
    auto* encabezado = new QFormLayout;
    const auto campo = [&](QLineEdit*& destino, const QString& nombre, const QString& etiqueta) {
        destino = new QLineEdit(cliente);
        destino->setObjectName(nombre);
        destino->setAccessibleName(etiqueta);
        encabezado->addRow(etiqueta + QStringLiteral(":"), destino);
    };
    campo(campos_.proyecto, QStringLiteral("proyecto"), QStringLiteral("Proyecto"));
    campo(campos_.elaboro, QStringLiteral("elaboro"), QStringLiteral("Elaboró"));
    campos_.fecha = new QDateEdit(cliente);
    campos_.fecha->setObjectName(QStringLiteral("fecha"));
    campos_.fecha->setAccessibleName(QStringLiteral("Fecha"));
    campos_.fecha->setCalendarPopup(true);
    encabezado->addRow(QStringLiteral("Fecha:"), campos_.fecha);
    columna->addLayout(encabezado);
    setCentralWidget(cliente);
}

void VentanaAlimentadores::createTable() {
    tabla_ = new QTableView(centralWidget());
    tabla_->setObjectName(QStringLiteral("tabla"));
    tabla_->setAccessibleName(QStringLiteral("Tabla de alimentadores"));
    tabla_->setModel(modelo_);
    tabla_->setItemDelegate(new DelegadoAlimentadores(tabla_));
    tabla_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    tabla_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabla_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tabla_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    tabla_->verticalHeader()->setDefaultSectionSize(tabla_->fontMetrics().height() + 8);
    centralWidget()->layout()->addWidget(tabla_);
}

void VentanaAlimentadores::createMenu() {
    const auto accion = [this](QMenu* menu, QAction*& destino, const QString& texto,
                               const QKeySequence& tecla = {}) {
        destino = menu->addAction(texto);
        destino->setShortcut(tecla);
        return destino;
    };
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    accion(archivo, acciones_.nuevo, QStringLiteral("&Nuevo"), QKeySequence::New);
    accion(archivo, acciones_.abrir, QStringLiteral("&Abrir…"), QKeySequence::Open);
    accion(archivo, acciones_.guardar, QStringLiteral("&Guardar"), QKeySequence::Save);
    accion(archivo, acciones_.guardarComo, QStringLiteral("Guardar &como…"),
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    archivo->addSeparator();
    accion(archivo, acciones_.exportarExcel, QStringLiteral("Exportar a &Excel…"),
           QKeySequence(Qt::CTRL | Qt::Key_E));
    accion(archivo, acciones_.exportarPdf, QStringLiteral("Exportar &memoria de cálculo (PDF)…"),
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    accion(archivo, acciones_.imprimir, QStringLiteral("&Imprimir…"), QKeySequence::Print);
    archivo->addSeparator();
    accion(archivo, acciones_.cerrar, QStringLiteral("&Cerrar"),
           QKeySequence(Qt::CTRL | Qt::Key_W));

    QMenu* editar = menuBar()->addMenu(QStringLiteral("&Editar"));
    acciones_.deshacer = modelo_->pila().createUndoAction(this, QStringLiteral("&Deshacer"));
    acciones_.deshacer->setShortcut(QKeySequence::Undo);
    acciones_.rehacer = modelo_->pila().createRedoAction(this, QStringLiteral("&Rehacer"));
    acciones_.rehacer->setShortcuts(QKeySequence::Redo);
    editar->addAction(acciones_.deshacer);
    editar->addAction(acciones_.rehacer);
    editar->addSeparator();
    accion(editar, acciones_.agregar, QStringLiteral("&Agregar fila"),
           QKeySequence(Qt::Key_Insert));
    accion(editar, acciones_.duplicar, QStringLiteral("D&uplicar filas"),
           QKeySequence(Qt::CTRL | Qt::Key_D));
    accion(editar, acciones_.eliminar, QStringLiteral("&Eliminar filas"),
           QKeySequence(Qt::Key_Delete));
    accion(editar, acciones_.subir, QStringLiteral("&Subir fila"),
           QKeySequence(Qt::ALT | Qt::Key_Up));
    accion(editar, acciones_.bajar, QStringLiteral("&Bajar fila"),
           QKeySequence(Qt::ALT | Qt::Key_Down));
    editar->addSeparator();
    accion(editar, acciones_.copiar, QStringLiteral("&Copiar filas"), QKeySequence::Copy);
    accion(editar, acciones_.pegar, QStringLiteral("&Pegar filas"), QKeySequence::Paste);
}

void VentanaAlimentadores::connectHandlers() {
    connect(acciones_.nuevo, &QAction::triggered, this, &VentanaAlimentadores::Nuevo_Click);
    connect(acciones_.abrir, &QAction::triggered, this, &VentanaAlimentadores::Abrir_Click);
    connect(acciones_.guardar, &QAction::triggered, this, &VentanaAlimentadores::Guardar_Click);
    connect(acciones_.guardarComo, &QAction::triggered, this,
            &VentanaAlimentadores::GuardarComo_Click);
    connect(acciones_.exportarExcel, &QAction::triggered, this,
            &VentanaAlimentadores::ExportarExcel_Click);
    connect(acciones_.exportarPdf, &QAction::triggered, this,
            &VentanaAlimentadores::ExportarPdf_Click);
    connect(acciones_.imprimir, &QAction::triggered, this, &VentanaAlimentadores::Imprimir_Click);
    connect(acciones_.cerrar, &QAction::triggered, this, &QWidget::close);
    connect(acciones_.agregar, &QAction::triggered, this, &VentanaAlimentadores::AgregarFila_Click);
    connect(acciones_.duplicar, &QAction::triggered, this,
            &VentanaAlimentadores::DuplicarFilas_Click);
    connect(acciones_.eliminar, &QAction::triggered, this,
            &VentanaAlimentadores::EliminarFilas_Click);
    connect(acciones_.subir, &QAction::triggered, this, [this] { MoverFila_Click(-1); });
    connect(acciones_.bajar, &QAction::triggered, this, [this] { MoverFila_Click(1); });
    connect(acciones_.copiar, &QAction::triggered, this, &VentanaAlimentadores::Copiar_Click);
    connect(acciones_.pegar, &QAction::triggered, this, &VentanaAlimentadores::Pegar_Click);
    connect(&modelo_->pila(), &QUndoStack::cleanChanged, this,
            &VentanaAlimentadores::ActualizarTitulo);
    connect(modelo_, &ModeloAlimentadores::encabezadoCambiado, this,
            &VentanaAlimentadores::MostrarEncabezado);
    connect(campos_.proyecto, &QLineEdit::editingFinished, this, [this] {
        modelo_->CambiarEncabezado(&schedule::Cuadro::proyecto,
                                   campos_.proyecto->text().toStdString(),
                                   QStringLiteral("Cambiar proyecto"));
    });
    connect(campos_.elaboro, &QLineEdit::editingFinished, this, [this] {
        modelo_->CambiarEncabezado(&schedule::Cuadro::elaboro,
                                   campos_.elaboro->text().toStdString(),
                                   QStringLiteral("Cambiar elaboró"));
    });
    connect(campos_.fecha, &QDateEdit::dateChanged, this, [this](QDate fecha) {
        modelo_->CambiarEncabezado(&schedule::Cuadro::fecha,
                                   fecha.toString(Qt::ISODate).toStdString(),
                                   QStringLiteral("Cambiar fecha"));
    });
}

void VentanaAlimentadores::Empezar(schedule::Cuadro cuadro, const QString& archivo) {
    // A schedule without a date is dated today, as its header shows it.
    if (cuadro.fecha.empty()) {
        cuadro.fecha = QDate::currentDate().toString(Qt::ISODate).toStdString();
    }
    modelo_->Cargar(std::move(cuadro), Ruta(carpetaTablas_));
    archivo_ = archivo;
    MostrarEncabezado();
    tabla_->resizeColumnsToContents();
    ActualizarTitulo();
    if (modelo_->errorDeTablas()) {
        Avisar(QString::fromStdString(*modelo_->errorDeTablas()));
    }
}

void VentanaAlimentadores::MostrarEncabezado() {
    const schedule::Cuadro& c = modelo_->cuadro();
    const QSignalBlocker bloqueo(campos_.fecha);
    campos_.proyecto->setText(QString::fromStdString(c.proyecto));
    campos_.elaboro->setText(QString::fromStdString(c.elaboro));
    const QDate fecha = QDate::fromString(QString::fromStdString(c.fecha), Qt::ISODate);
    campos_.fecha->setDate(fecha.isValid() ? fecha : QDate::currentDate());
}

void VentanaAlimentadores::ActualizarTitulo() {
    const QString nombre =
        archivo_.isEmpty() ? QStringLiteral("Sin título") : QFileInfo(archivo_).fileName();
    setWindowTitle(QStringLiteral("Alimentadores — %1[*]").arg(nombre));
    setWindowModified(modificado());
}

void VentanaAlimentadores::Avisar(const QString& texto) {
    toolkit::MostrarAviso(this, texto);
}

bool VentanaAlimentadores::Abrir(const QString& archivo) {
    std::ifstream entrada(Ruta(archivo), std::ios::binary);
    if (!entrada || QFileInfo(archivo).isDir()) {
        Avisar(QStringLiteral("No se puede abrir el archivo \"%1\".").arg(archivo));
        return false;
    }
    auto leido = schedule::LeerCuadro(entrada);
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        Avisar(QStringLiteral("No se puede leer el archivo \"%1\": %2.")
                   .arg(archivo, QString::fromStdString(*mensaje)));
        return false;
    }
    Empezar(std::get<schedule::Cuadro>(std::move(leido)), archivo);
    // The columns the sizing does not read pass through: the user is told which they are.
    QStringList sinUso;
    for (const std::string& otra : modelo_->cuadro().otras) {
        sinUso << QStringLiteral("«%1»").arg(QString::fromStdString(otra));
    }
    if (!sinUso.isEmpty()) {
        statusBar()->showMessage(
            QStringLiteral("Columnas que no se usan: %1.").arg(sinUso.join(QStringLiteral(", "))));
    }
    return true;
}

bool VentanaAlimentadores::GuardarEn(const QString& archivo) {
    schedule::ArchivoTemporal temporal(Ruta(archivo));
    bool escrito = false;
    if (temporal.creado()) {
        std::ofstream salida(temporal.ruta(), std::ios::binary | std::ios::trunc);
        schedule::EscribirCuadro(modelo_->cuadro(), salida);
        salida.close();
        escrito = salida && temporal.Confirmar();
    }
    if (!escrito) {
        Avisar(QStringLiteral("No se pudo guardar el archivo \"%1\".").arg(archivo));
        return false;
    }
    archivo_ = archivo;
    modelo_->pila().setClean();
    ActualizarTitulo();
    return true;
}

bool VentanaAlimentadores::ExportarXlsx(const QString& archivo) {
    schedule::ArchivoTemporal temporal(Ruta(archivo));
    const bool escrito = temporal.creado() &&
                         !schedule::ExportarLibro(modelo_->cuadro(), modelo_->tablas(),
                                                  modelo_->errorDeTablas(), temporal.ruta()) &&
                         temporal.Confirmar();
    if (!escrito) {
        Avisar(QStringLiteral("No se pudo escribir el archivo \"%1\".").arg(archivo));
    }
    return escrito;
}

bool VentanaAlimentadores::ExportarPdf(const QString& archivo) {
    {
        QPdfWriter pdf(archivo);
        pdf.setTitle(QStringLiteral("Memoria de cálculo de alimentadores"));
        pdf.setCreator(QStringLiteral("Calculador Caídas de Voltaje"));
        pdf.setPageSize(memoria::TamanoDePagina(QLocale()));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        memoria::Imprimir(*modelo_, pdf);
    }
    if (!QFileInfo(archivo).isFile() || QFileInfo(archivo).size() == 0) {
        Avisar(QStringLiteral("No se pudo escribir el archivo \"%1\".").arg(archivo));
        return false;
    }
    return true;
}

void VentanaAlimentadores::AgregarAlimentador(schedule::Cuadro::Fila fila) {
    const int al = modelo_->rowCount();
    modelo_->AgregarFila(al, std::move(fila), QStringLiteral("Agregar alimentador"));
    tabla_->setCurrentIndex(modelo_->index(al, 0));
}

bool VentanaAlimentadores::PuedeCerrar() {
    if (!modificado()) {
        return true;
    }
    QMessageBox caja(QMessageBox::Warning, QStringLiteral("Alimentadores"),
                     QStringLiteral("La tabla de alimentadores tiene cambios sin guardar. "
                                    "¿Desea guardarlos?"),
                     QMessageBox::NoButton, this);
    QPushButton* guardar = caja.addButton(QStringLiteral("Guardar"), QMessageBox::AcceptRole);
    QPushButton* descartar =
        caja.addButton(QStringLiteral("Descartar"), QMessageBox::DestructiveRole);
    QPushButton* cancelar = caja.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    caja.setDefaultButton(guardar);
    caja.setEscapeButton(cancelar);
    caja.exec();
    if (caja.clickedButton() == guardar) {
        return Guardar_Click();
    }
    return caja.clickedButton() == descartar;
}

void VentanaAlimentadores::closeEvent(QCloseEvent* evento) {
    if (PuedeCerrar()) {
        evento->accept();
    } else {
        evento->ignore();
    }
}

void VentanaAlimentadores::Nuevo_Click() {
    if (PuedeCerrar()) {
        Empezar(CuadroNuevo(), {});
    }
}

void VentanaAlimentadores::Abrir_Click() {
    if (!PuedeCerrar()) {
        return;
    }
    const QString archivo = QFileDialog::getOpenFileName(
        this, QStringLiteral("Abrir alimentadores"), QFileInfo(archivo_).path(), FiltroCsv);
    if (!archivo.isEmpty()) {
        Abrir(archivo);
    }
}

bool VentanaAlimentadores::Guardar_Click() {
    return archivo_.isEmpty() ? GuardarComo_Click() : GuardarEn(archivo_);
}

bool VentanaAlimentadores::GuardarComo_Click() {
    const QString archivo = QFileDialog::getSaveFileName(
        this, QStringLiteral("Guardar alimentadores"),
        archivo_.isEmpty() ? QStringLiteral("alimentadores.csv") : archivo_, FiltroCsv);
    return !archivo.isEmpty() && GuardarEn(archivo);
}

void VentanaAlimentadores::ExportarExcel_Click() {
    const QString archivo = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar a Excel"),
        QFileInfo(archivo_).completeBaseName() + QStringLiteral(".xlsx"),
        QStringLiteral("Libros de Excel (*.xlsx)"));
    if (!archivo.isEmpty()) {
        ExportarXlsx(archivo);
    }
}

void VentanaAlimentadores::ExportarPdf_Click() {
    const QString archivo = QFileDialog::getSaveFileName(
        this, QStringLiteral("Exportar memoria de cálculo"),
        QStringLiteral("memoria de cálculo.pdf"), QStringLiteral("Documentos PDF (*.pdf)"));
    if (!archivo.isEmpty()) {
        ExportarPdf(archivo);
    }
}

void VentanaAlimentadores::Imprimir_Click() {
    QPrinter impresora;
    impresora.setPageSize(memoria::TamanoDePagina(QLocale()));
    impresora.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialogo(&impresora, this);
    if (dialogo.exec() == QDialog::Accepted) {
        memoria::Imprimir(*modelo_, impresora);
    }
}

std::vector<int> VentanaAlimentadores::FilasElegidas() const {
    std::vector<int> filas;
    for (const QModelIndex& i : tabla_->selectionModel()->selectedIndexes()) {
        filas.push_back(i.row());
    }
    if (filas.empty() && tabla_->currentIndex().isValid()) {
        filas.push_back(tabla_->currentIndex().row());
    }
    std::sort(filas.begin(), filas.end());
    filas.erase(std::unique(filas.begin(), filas.end()), filas.end());
    return filas;
}

void VentanaAlimentadores::AgregarFila_Click() {
    const QModelIndex actual = tabla_->currentIndex();
    const int fila = actual.isValid() ? actual.row() + 1 : modelo_->rowCount();
    modelo_->AgregarFila(fila, modelo_->FilaNueva(), QStringLiteral("Agregar fila"));
    tabla_->setCurrentIndex(modelo_->index(fila, 0));
}

void VentanaAlimentadores::DuplicarFilas_Click() {
    modelo_->DuplicarFilas(FilasElegidas());
}

void VentanaAlimentadores::EliminarFilas_Click() {
    modelo_->BorrarFilas(FilasElegidas());
}

void VentanaAlimentadores::MoverFila_Click(int paso) {
    const QModelIndex actual = tabla_->currentIndex();
    if (!actual.isValid()) {
        return;
    }
    const int destino = actual.row() + paso;
    modelo_->MoverFila(actual.row(), destino);
    if (destino >= 0 && destino < modelo_->rowCount()) {
        tabla_->setCurrentIndex(modelo_->index(destino, actual.column()));
    }
}

void VentanaAlimentadores::Copiar_Click() {
    const std::vector<int> filas = FilasElegidas();
    if (!filas.empty()) {
        QApplication::clipboard()->setText(modelo_->Copiar(filas));
    }
}

void VentanaAlimentadores::Pegar_Click() {
    const QModelIndex actual = tabla_->currentIndex();
    const int fila = actual.isValid() ? actual.row() + 1 : modelo_->rowCount();
    const int pegadas = modelo_->Pegar(fila, QApplication::clipboard()->text().toStdString());
    if (pegadas > 0) {
        tabla_->setCurrentIndex(modelo_->index(fila, 0));
    }
}
