// The schedule window's files: opening, saving, exporting, and letting a schedule go.
#include "schedule_window/schedule_window.h"

#include "schedule/calculator_row.h"
#include "schedule/csv_file.h"
#include "schedule/file_kinds.h"
#include "schedule/replace_file.h"
#include "schedule/workbook.h"
#include "schedule_window/calculation_record.h"
#include "schedule_window/long_work.h"
#include "toolkit/toolkit.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QTableView>

#include <fstream>

namespace {

const QString FiltroAbrir =
    QStringLiteral("Alimentadores (*.alim *.csv *.xlsx);;Proyecto de alimentadores (*.alim);;"
                   "Tablas CSV (*.csv);;Libros de Excel (*.xlsx);;Todos los archivos (*)");
const QString FiltroProyecto = QStringLiteral("Proyecto de alimentadores (*.alim)");
const QString FiltroCsv = QStringLiteral("Tablas CSV (*.csv)");

std::filesystem::path Ruta(const QString& archivo) {
    return std::filesystem::path(archivo.toStdString());
}

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

// The CSV shape of the user's spreadsheet: the locale's decimal mark and its delimiter.
schedule::FormatoCsv FormatoLocal() {
    schedule::FormatoCsv f;
    f.marca = {QLocale().decimalPoint() == QStringLiteral(",") ? schedule::Marca::Coma
                                                               : schedule::Marca::Punto,
               false};
    f.delimitador = schedule::DelimitadorPorMarca(f.marca.marca);
    return f;
}

// A box with the given buttons; the index of the one pressed, the last on Escape.
int Preguntar(QWidget* padre, const QString& texto, const QStringList& botones) {
    QMessageBox caja(QMessageBox::Warning, QStringLiteral("Alimentadores"), texto,
                     QMessageBox::NoButton, padre);
    QList<QPushButton*> pulsables;
    for (const QString& boton : botones) {
        pulsables << caja.addButton(boton, pulsables.size() + 1 == botones.size()
                                               ? QMessageBox::RejectRole
                                               : QMessageBox::AcceptRole);
    }
    caja.setDefaultButton(pulsables.front());
    caja.setEscapeButton(pulsables.back());
    caja.exec();
    const auto pulsado = pulsables.indexOf(qobject_cast<QPushButton*>(caja.clickedButton()));
    return pulsado < 0 ? static_cast<int>(botones.size()) - 1 : static_cast<int>(pulsado);
}

// Written beside the file and put in its place only when whole: a save that fails or is
// cancelled leaves the old file as it was. A CSV's writer may have a word for the user.
std::optional<std::string> Escribir(const schedule::Cuadro& cuadro, const QString& archivo,
                                    bool proyecto, Progreso& progreso,
                                    std::optional<std::string>& aviso) {
    if (proyecto) {
        return schedule::GuardarProyecto(cuadro, Ruta(archivo), Contando(progreso));
    }
    schedule::ArchivoTemporal temporal(Ruta(archivo));
    std::ofstream salida(temporal.ruta(), std::ios::binary | std::ios::trunc);
    if (temporal.creado() && salida) {
        aviso = schedule::EscribirCuadro(cuadro, salida);
        salida.close();
    }
    if (!temporal.creado() || !salida || progreso.cancelar || !temporal.Confirmar()) {
        return std::string("no se pudo escribir");
    }
    return std::nullopt;
}

} // namespace

ModeloAlimentadores::Carga VentanaAlimentadores::Nuevo() const {
    schedule::Cuadro cuadro;
    cuadro.formato = FormatoLocal();
    return *ModeloAlimentadores::Preparar(std::move(cuadro), Ruta(carpetaTablas_),
                                          modelo_->separadores());
}

void VentanaAlimentadores::ActualizarTitulo() {
    const QString nombre =
        archivo_.isEmpty() ? QStringLiteral("Sin título") : QFileInfo(archivo_).fileName();
    setWindowTitle(QStringLiteral("Alimentadores — %1[*]").arg(nombre));
    setWindowModified(modificado());
    // A screen reader says which file is open, as the title shows it.
    setAccessibleName(QStringLiteral("Alimentadores — %1").arg(nombre));
}

bool VentanaAlimentadores::Abrir(const QString& archivo) {
    const auto carpeta = Ruta(carpetaTablas_);
    const engine::Separadores sep = modelo_->separadores();
    std::variant<schedule::Cuadro, std::string> leido;
    std::optional<ModeloAlimentadores::Carga> carga;
    Progreso progreso;
    EnSegundoPlano(this, QStringLiteral("Abrir alimentadores"), PasosAbrir, progreso, [&] {
        leido = schedule::AbrirCuadro(Ruta(archivo), Contando(progreso));
        auto* cuadro = std::get_if<schedule::Cuadro>(&leido);
        if (cuadro == nullptr) {
            return false;
        }
        progreso.paso = 1;
        progreso.total = static_cast<int>(cuadro->filas.size());
        carga = ModeloAlimentadores::Preparar(std::move(*cuadro), carpeta, sep, PorFilas(progreso));
        return carga.has_value();
    });
    if (progreso.cancelar) {
        return false; // the schedule shown stays
    }
    if (const auto* mensaje = std::get_if<std::string>(&leido)) {
        Avisar(QStringLiteral("No se puede leer el archivo \"%1\": %2.").arg(archivo, Q(*mensaje)));
        return false;
    }
    Empezar(std::move(*carga), archivo);
    // The columns the sizing does not read pass through: the user is told which they are.
    QStringList sinUso;
    for (const std::string& otra : modelo_->cuadro().otras) {
        sinUso << QStringLiteral("«%1»").arg(Q(otra));
    }
    if (!sinUso.isEmpty()) {
        statusBar()->showMessage(
            QStringLiteral("Columnas que no se usan: %1.").arg(sinUso.join(QStringLiteral(", "))));
    }
    return true;
}

bool VentanaAlimentadores::GuardarEn(const QString& archivo) {
    ConfirmarEdicion();
    const bool proyecto = schedule::TipoDe(Ruta(archivo)) == schedule::TipoArchivo::Proyecto;
    auto cuadro = std::make_shared<schedule::Cuadro>(modelo_->cuadro());
    // A schedule from elsewhere saved as a CSV takes the shape of the user's spreadsheet.
    if (!proyecto && cuadro->origen != schedule::Origen::Csv) {
        cuadro->formato = FormatoLocal();
    }
    const int cambios = modelo_->pila().index();
    std::optional<std::string> error;
    std::optional<std::string> aviso;
    Progreso progreso;
    EnSegundoPlano(this, QStringLiteral("Guardar alimentadores"), PasosGuardar, progreso,
                   [&, foto = std::shared_ptr<const schedule::Cuadro>(cuadro)] {
                       error = Escribir(*foto, archivo, proyecto, progreso, aviso);
                       return !error;
                   });
    // A cancel that came once the file was in place came too late: the schedule is saved.
    if (error) {
        if (!progreso.cancelar) {
            Avisar(QStringLiteral("No se pudo guardar el archivo \"%1\": %2.")
                       .arg(archivo, Q(*error)));
        }
        return false;
    }
    // The file and its shape are the schedule's once it is written in them.
    schedule::FormatoCsv formato = cuadro->formato;
    formato.leidos = cuadro->proyecto; // the project columns it has now hold these
    modelo_->CambiarArchivo(proyecto ? schedule::Origen::Proyecto : schedule::Origen::Csv, formato);
    archivo_ = archivo;
    // Saved is what the file holds: the schedule as it stood when the save began.
    if (modelo_->pila().index() == cambios) {
        modelo_->pila().setClean();
    }
    ActualizarTitulo();
    if (aviso) {
        Avisar(Q(*aviso));
    }
    return true;
}

bool VentanaAlimentadores::ExportarXlsx(const QString& archivo) {
    ConfirmarEdicion();
    schedule::ArchivoTemporal temporal(Ruta(archivo));
    Progreso progreso;
    const ModeloAlimentadores::Instantanea foto = modelo_->Foto();
    progreso.total = static_cast<int>(foto.cuadro->filas.size());
    const bool escrito =
        temporal.creado() &&
        EnSegundoPlano(this, QStringLiteral("Exportar a Excel"), PasosLibro, progreso,
                       [&] {
                           return !schedule::ExportarLibro(*foto.cuadro, foto.tablas,
                                                           foto.errorTablas, temporal.ruta(),
                                                           PorFilas(progreso));
                       }) &&
        temporal.Confirmar();
    if (!escrito && !progreso.cancelar) {
        Avisar(QStringLiteral("No se pudo escribir el archivo \"%1\".").arg(archivo));
    }
    return escrito;
}

std::optional<schedule::Memoria>
VentanaAlimentadores::Memoria(const ModeloAlimentadores::Instantanea& foto, Progreso& progreso) {
    progreso.total = static_cast<int>(foto.cuadro->filas.size());
    return schedule::ArmarMemoria(*foto.cuadro, foto.tablas, foto.errorTablas, foto.sep,
                                  PorFilas(progreso));
}

bool VentanaAlimentadores::ExportarPdf(const QString& archivo) {
    ConfirmarEdicion();
    // Written beside the destination and put in its place only when whole.
    QSaveFile salida(archivo);
    Progreso progreso;
    const ModeloAlimentadores::Instantanea foto = modelo_->Foto();
    const bool escrito =
        salida.open(QIODevice::WriteOnly) &&
        EnSegundoPlano(this, QStringLiteral("Exportar memoria de cálculo"), PasosMemoria, progreso,
                       [&] {
                           const auto m = Memoria(foto, progreso);
                           if (!m) {
                               return false;
                           }
                           QPdfWriter pdf(&salida);
                           pdf.setTitle(QStringLiteral("Memoria de cálculo de alimentadores"));
                           pdf.setCreator(QStringLiteral("Calculador Caídas de Voltaje"));
                           pdf.setPageSize(memoria::TamanoDePagina(QLocale()));
                           pdf.setPageOrientation(QPageLayout::Landscape);
                           pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
                           return memoria::Imprimir(*m, pdf, progreso);
                       });
    if (!escrito || !salida.commit()) {
        salida.cancelWriting();
        if (!progreso.cancelar) {
            Avisar(QStringLiteral("No se pudo escribir el archivo \"%1\".").arg(archivo));
        }
        return false;
    }
    return true;
}

void VentanaAlimentadores::AgregarAlimentador(schedule::Cuadro::Fila fila) {
    const int al = modelo_->rowCount();
    modelo_->AgregarFila(al, std::move(fila), QStringLiteral("Agregar alimentador"));
    // The columns of an empty table fit its captions: the first row's numbers need room.
    if (al == 0) {
        AjustarColumnas();
    }
    tabla_->setCurrentIndex(modelo_->index(al, 0));
}

void VentanaAlimentadores::AgregarDeLaCalculadora(const engine::Entrada& entrada) {
    AgregarAlimentador(schedule::FilaDeLaCalculadora(entrada, modelo_->FilaNueva()));
}

bool VentanaAlimentadores::PuedeCerrar() {
    ConfirmarEdicion();
    if (!modificado()) {
        return true;
    }
    switch (Preguntar(
        this,
        QStringLiteral("La tabla de alimentadores tiene cambios sin guardar. "
                       "¿Desea guardarlos?"),
        {QStringLiteral("Guardar"), QStringLiteral("Descartar"), QStringLiteral("Cancelar")})) {
    case 0:
        return Guardar_Click();
    case 1:
        return true;
    default:
        return false;
    }
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
        Empezar(Nuevo(), {});
    }
}

void VentanaAlimentadores::Abrir_Click() {
    if (!PuedeCerrar()) {
        return;
    }
    const QString archivo = QFileDialog::getOpenFileName(
        this, QStringLiteral("Abrir alimentadores"), QFileInfo(archivo_).path(), FiltroAbrir);
    if (!archivo.isEmpty()) {
        Abrir(archivo);
    }
}

// A project file saves as one; a CSV back into itself; a workbook is never written over.
bool VentanaAlimentadores::Guardar_Click() {
    ConfirmarEdicion();
    switch (modelo_->cuadro().origen) {
    case schedule::Origen::Proyecto:
        return GuardarEn(archivo_);
    case schedule::Origen::Csv:
        switch (CsvSinProyecto()) {
        case GuardarCsv::EnCsv:
            return GuardarEn(archivo_);
        case GuardarCsv::ComoProyecto:
            return GuardarComo_Click();
        case GuardarCsv::No:
            return false;
        }
        break;
    case schedule::Origen::Libro:
        Avisar(QStringLiteral("El programa no escribe sobre el libro de Excel \"%1\": guarde "
                              "los alimentadores como proyecto.")
                   .arg(QFileInfo(archivo_).fileName()));
        return GuardarComo_Click();
    case schedule::Origen::Nuevo:
        break;
    }
    return GuardarComo_Click();
}

VentanaAlimentadores::GuardarCsv VentanaAlimentadores::CsvSinProyecto() {
    const auto perdidos = schedule::CamposQueUnCsvPierde(modelo_->cuadro());
    if (avisoCsvDado_ || perdidos.empty()) {
        return GuardarCsv::EnCsv;
    }
    avisoCsvDado_ = true;
    // "Proyecto, Revisó ni Fecha"
    QString campos;
    for (std::size_t i = 0; i < perdidos.size(); ++i) {
        campos += (i == 0                     ? QString()
                   : i + 1 == perdidos.size() ? QStringLiteral(" ni ")
                                              : QStringLiteral(", ")) +
                  QString::fromUtf8(perdidos[i].data(), static_cast<qsizetype>(perdidos[i].size()));
    }
    switch (Preguntar(this,
                      QStringLiteral("Un archivo CSV no guarda %1: al cerrarlo se pierden. "
                                     "Guárdelos en un proyecto de alimentadores (.alim).")
                          .arg(campos),
                      {QStringLiteral("Guardar como proyecto…"), QStringLiteral("Guardar en CSV"),
                       QStringLiteral("Cancelar")})) {
    case 0:
        return GuardarCsv::ComoProyecto;
    case 1:
        return GuardarCsv::EnCsv;
    default:
        avisoCsvDado_ = false; // asked again on the next save
        return GuardarCsv::No;
    }
}

bool VentanaAlimentadores::GuardarComo_Click() {
    const QFileInfo actual(archivo_);
    const QString propuesto =
        (archivo_.isEmpty() ? QStringLiteral("alimentadores") : actual.completeBaseName()) +
        QStringLiteral(".alim");
    QString filtro = FiltroProyecto;
    QString archivo = QFileDialog::getSaveFileName(
        this, QStringLiteral("Guardar alimentadores"), actual.dir().filePath(propuesto),
        FiltroProyecto + QStringLiteral(";;") + FiltroCsv, &filtro);
    if (archivo.isEmpty()) {
        return false;
    }
    // A name without the extension takes the one of the kind chosen.
    const QString sufijo = QFileInfo(archivo).suffix().toLower();
    if (sufijo != QLatin1String("alim") && sufijo != QLatin1String("csv")) {
        archivo += filtro == FiltroCsv ? QStringLiteral(".csv") : QStringLiteral(".alim");
    }
    return GuardarEn(archivo);
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
    ConfirmarEdicion();
    QPrinter impresora;
    impresora.setPageSize(memoria::TamanoDePagina(QLocale()));
    impresora.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialogo(&impresora, this);
    if (dialogo.exec() != QDialog::Accepted) {
        return;
    }
    Progreso progreso;
    const ModeloAlimentadores::Instantanea foto = modelo_->Foto();
    const bool impreso =
        EnSegundoPlano(this, QStringLiteral("Imprimir"), PasosMemoria, progreso, [&] {
            const auto m = Memoria(foto, progreso);
            return m && memoria::Imprimir(*m, impresora, progreso);
        });
    if (!impreso && progreso.cancelar) {
        impresora.abort();
    }
}
