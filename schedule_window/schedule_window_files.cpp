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

// Told the rows done so far by the sizing.
std::function<bool(std::size_t)> PorFilas(memoria::Avance& avance) {
    return [&avance](std::size_t filas) { return avance.Seguir(static_cast<int>(filas)); };
}

// Told the rows done of all by a file's reader or writer.
schedule::Avance Contando(memoria::Avance& avance) {
    return [&avance](std::size_t hechas, std::size_t total) {
        avance.total = static_cast<int>(total);
        return avance.Seguir(static_cast<int>(hechas));
    };
}

// Written beside the file and put in its place only when whole: a save that fails or is
// cancelled leaves the old file as it was. A CSV's writer may have a word for the user.
std::optional<std::string> Escribir(const schedule::Cuadro& cuadro, const QString& archivo,
                                    bool proyecto, memoria::Avance& avance,
                                    std::optional<std::string>& aviso) {
    if (proyecto) {
        return schedule::GuardarProyecto(cuadro, Ruta(archivo), Contando(avance));
    }
    schedule::ArchivoTemporal temporal(Ruta(archivo));
    std::ofstream salida(temporal.ruta(), std::ios::binary | std::ios::trunc);
    if (temporal.creado() && salida) {
        aviso = schedule::EscribirCuadro(cuadro, salida);
        salida.close();
    }
    if (!temporal.creado() || !salida || avance.cancelar || !temporal.Confirmar()) {
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
}

bool VentanaAlimentadores::Abrir(const QString& archivo) {
    const auto carpeta = Ruta(carpetaTablas_);
    const engine::Separadores sep = modelo_->separadores();
    std::variant<schedule::Cuadro, std::string> leido;
    std::optional<ModeloAlimentadores::Carga> carga;
    memoria::Avance avance;
    EnSegundoPlano(this, QStringLiteral("Abrir alimentadores"), PasosAbrir, avance, [&] {
        leido = schedule::AbrirCuadro(Ruta(archivo), Contando(avance));
        auto* cuadro = std::get_if<schedule::Cuadro>(&leido);
        if (cuadro == nullptr) {
            return false;
        }
        avance.paso = 1;
        avance.total = static_cast<int>(cuadro->filas.size());
        carga = ModeloAlimentadores::Preparar(std::move(*cuadro), carpeta, sep, PorFilas(avance));
        return carga.has_value();
    });
    if (avance.cancelar) {
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
    ConfirmarCampos();
    const bool proyecto = schedule::TipoDe(Ruta(archivo)) == schedule::TipoArchivo::Proyecto;
    // A schedule from elsewhere saved as a CSV takes the shape of the user's spreadsheet.
    if (!proyecto && modelo_->cuadro().origen != schedule::Origen::Csv) {
        modelo_->CambiarArchivo(modelo_->cuadro().origen, FormatoLocal());
    }
    std::optional<std::string> error;
    std::optional<std::string> aviso;
    memoria::Avance avance;
    EnSegundoPlano(this, QStringLiteral("Guardar alimentadores"), PasosGuardar, avance, [&] {
        error = Escribir(modelo_->cuadro(), archivo, proyecto, avance, aviso);
        return !error;
    });
    if (avance.cancelar) {
        return false;
    }
    if (error) {
        Avisar(QStringLiteral("No se pudo guardar el archivo \"%1\": %2.").arg(archivo, Q(*error)));
        return false;
    }
    schedule::FormatoCsv formato = modelo_->cuadro().formato;
    formato.leidos = modelo_->cuadro().proyecto; // the project columns it has now hold these
    modelo_->CambiarArchivo(proyecto ? schedule::Origen::Proyecto : schedule::Origen::Csv, formato);
    archivo_ = archivo;
    modelo_->pila().setClean();
    ActualizarTitulo();
    if (aviso) {
        Avisar(Q(*aviso));
    }
    return true;
}

bool VentanaAlimentadores::ExportarXlsx(const QString& archivo) {
    ConfirmarCampos();
    schedule::ArchivoTemporal temporal(Ruta(archivo));
    memoria::Avance avance;
    avance.total = modelo_->rowCount();
    const bool escrito =
        temporal.creado() &&
        EnSegundoPlano(this, QStringLiteral("Exportar a Excel"), PasosLibro, avance,
                       [&] {
                           return !schedule::ExportarLibro(modelo_->cuadro(), modelo_->tablas(),
                                                           modelo_->errorDeTablas(),
                                                           temporal.ruta(), PorFilas(avance));
                       }) &&
        temporal.Confirmar();
    if (!escrito && !avance.cancelar) {
        Avisar(QStringLiteral("No se pudo escribir el archivo \"%1\".").arg(archivo));
    }
    return escrito;
}

std::optional<schedule::Memoria> VentanaAlimentadores::Memoria(memoria::Avance& avance) const {
    avance.total = modelo_->rowCount();
    return schedule::ArmarMemoria(modelo_->cuadro(), modelo_->tablas(), modelo_->errorDeTablas(),
                                  modelo_->separadores(), PorFilas(avance));
}

bool VentanaAlimentadores::ExportarPdf(const QString& archivo) {
    ConfirmarCampos();
    // Written beside the destination and put in its place only when whole.
    QSaveFile salida(archivo);
    memoria::Avance avance;
    const bool escrito =
        salida.open(QIODevice::WriteOnly) &&
        EnSegundoPlano(this, QStringLiteral("Exportar memoria de cálculo"), PasosMemoria, avance,
                       [&] {
                           const auto m = Memoria(avance);
                           if (!m) {
                               return false;
                           }
                           QPdfWriter pdf(&salida);
                           pdf.setTitle(QStringLiteral("Memoria de cálculo de alimentadores"));
                           pdf.setCreator(QStringLiteral("Calculador Caídas de Voltaje"));
                           pdf.setPageSize(memoria::TamanoDePagina(QLocale()));
                           pdf.setPageOrientation(QPageLayout::Landscape);
                           pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
                           return memoria::Imprimir(*m, pdf, avance);
                       });
    if (!escrito || !salida.commit()) {
        salida.cancelWriting();
        if (!avance.cancelar) {
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
    ConfirmarCampos();
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
    ConfirmarCampos();
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
    const schedule::Cuadro& c = modelo_->cuadro();
    const schedule::DatosProyecto& p = c.proyecto;
    const bool conTexto = !p.nombre.empty() || !p.elaboro.empty() || !p.cedula.empty() ||
                          !p.reviso.empty() || !p.revision.empty();
    const bool columnasDelProyecto =
        std::any_of(c.columnas.begin(), c.columnas.end(), [](const auto& col) {
            return col.tipo == schedule::Cuadro::ColumnaArchivo::Tipo::Campo;
        });
    if (avisoCsvDado_ || !conTexto || columnasDelProyecto) {
        return GuardarCsv::EnCsv;
    }
    avisoCsvDado_ = true;
    switch (Preguntar(this,
                      QStringLiteral("Un archivo CSV no guarda Proyecto, Elaboró ni Fecha: al "
                                     "cerrarlo se pierden. Guárdelos en un proyecto de "
                                     "alimentadores (.alim)."),
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
    ConfirmarCampos();
    QPrinter impresora;
    impresora.setPageSize(memoria::TamanoDePagina(QLocale()));
    impresora.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialogo(&impresora, this);
    if (dialogo.exec() != QDialog::Accepted) {
        return;
    }
    memoria::Avance avance;
    const bool impreso =
        EnSegundoPlano(this, QStringLiteral("Imprimir"), PasosMemoria, avance, [&] {
            const auto m = Memoria(avance);
            return m && memoria::Imprimir(*m, impresora, avance);
        });
    if (!impreso && avance.cancelar) {
        impresora.abort();
    }
}
