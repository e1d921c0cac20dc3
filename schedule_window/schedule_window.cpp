#include "schedule_window/schedule_window.h"

#include "schedule_window/feeder_delegate.h"
#include "toolkit/toolkit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QCloseEvent>
#include <QDate>
#include <QFontDatabase>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The widest a column grows to fit its content, in characters; the remarks run longer and
// are read whole in their tooltip.
constexpr int AnchoMaximo = 24;
constexpr int AnchoObservaciones = 40;

// A date with its four-digit year in every locale: some locales' short format has two.
QString FormatoFecha(const QLocale& local) {
    QString formato = local.dateFormat(QLocale::ShortFormat);
    if (!formato.contains(QStringLiteral("yyyy"))) {
        formato.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    }
    return formato;
}

} // namespace

VentanaAlimentadores::VentanaAlimentadores(const QString& carpetaTablas, QWidget* parent)
    : QMainWindow(parent, Qt::Window), modelo_(new ModeloAlimentadores(this)),
      carpetaTablas_(carpetaTablas) {
    setObjectName(QStringLiteral("VentanaAlimentadores"));
    // A table read for long keeps the desktop's font, not the calculator's small one.
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    createHeader();
    createTable();
    createMenu();
    connectHandlers();
    Empezar(Nuevo(), {});
    FitToScreen();
}

VentanaAlimentadores::~VentanaAlimentadores() {
    toolkit::DesconectarHijos(*this);
}

// The project's data in two rows of three fields above the table.
void VentanaAlimentadores::createHeader() {
    auto* cliente = new QWidget(this);
    auto* columna = new QVBoxLayout(cliente);
    auto* encabezado = new QGridLayout;
    int lugar = 0;
    const auto poner = [&](QWidget* control, const QString& nombre, const QString& etiqueta) {
        control->setObjectName(nombre);
        control->setAccessibleName(etiqueta);
        auto* rotulo = new QLabel(etiqueta + QStringLiteral(":"), cliente);
        rotulo->setBuddy(control);
        encabezado->addWidget(rotulo, lugar / 3, (lugar % 3) * 2);
        encabezado->addWidget(control, lugar / 3, (lugar % 3) * 2 + 1);
        ++lugar;
    };
    const auto campo = [&](QLineEdit*& destino, const QString& nombre, const QString& etiqueta) {
        destino = new QLineEdit(cliente);
        poner(destino, nombre, etiqueta);
    };
    campo(campos_.proyecto, QStringLiteral("proyecto"), QStringLiteral("Proyecto"));
    campo(campos_.elaboro, QStringLiteral("elaboro"), QStringLiteral("Elaboró"));
    campo(campos_.cedula, QStringLiteral("cedula"), QStringLiteral("Cédula profesional"));
    campo(campos_.reviso, QStringLiteral("reviso"), QStringLiteral("Revisó"));
    campo(campos_.revision, QStringLiteral("revision"), QStringLiteral("Revisión"));
    campos_.fecha = new QDateEdit(cliente);
    campos_.fecha->setCalendarPopup(true);
    campos_.fecha->setDisplayFormat(FormatoFecha(QLocale()));
    poner(campos_.fecha, QStringLiteral("fecha"), QStringLiteral("Fecha"));
    campos_.norma = new QComboBox(cliente);
    for (const engine::Norma n :
         {engine::Norma::Nec2023, engine::Norma::Nom2012, engine::Norma::Nec2020}) {
        const std::string_view nombre = engine::NombresNorma[static_cast<std::size_t>(n)];
        campos_.norma->addItem(
            QString::fromUtf8(nombre.data(), static_cast<qsizetype>(nombre.size())));
    }
    poner(campos_.norma, QStringLiteral("norma"), QStringLiteral("Norma"));
    encabezado->setAlignment(campos_.norma, Qt::AlignLeft);
    campos_.regulacionTotal = new QDoubleSpinBox(cliente);
    campos_.regulacionTotal->setRange(0.1, 100);
    campos_.regulacionTotal->setDecimals(2);
    campos_.regulacionTotal->setSuffix(QStringLiteral(" %"));
    poner(campos_.regulacionTotal, QStringLiteral("regulacion_total"),
          QStringLiteral("Regulación total máx."));
    encabezado->setAlignment(campos_.regulacionTotal, Qt::AlignLeft);
    encabezado->setColumnStretch(1, 3);
    encabezado->setColumnStretch(3, 2);
    encabezado->setColumnStretch(5, 1);
    columna->addLayout(encabezado);
    CrearFuente(cliente, columna);
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
    tabla_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    tabla_->setTextElideMode(Qt::ElideRight);
    tabla_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tabla_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Fitting the columns measures the rows in view and this many more: enough to see the
    // widths a schedule's texts take, and quick however long the schedule.
    tabla_->horizontalHeader()->setResizeContentsPrecision(200);
    tabla_->verticalHeader()->setDefaultSectionSize(tabla_->fontMetrics().height() + 8);
    centralWidget()->layout()->addWidget(tabla_);
}

// The window opens inside the screen's free area, whatever its size, and as wide as the
// table wants up to it; the scroll bar reaches the columns beyond. The frame the window
// manager adds is not known before the window shows: room is left for a usual one.
void VentanaAlimentadores::FitToScreen() {
    constexpr int MarcoLateral = 8;
    constexpr int MarcoSuperior = 40;
    const QRect libre = screen()->availableGeometry();
    const int ancho = std::min(1800, libre.width() - 2 * MarcoLateral);
    const int alto = std::min(900, libre.height() - MarcoSuperior - MarcoLateral);
    resize(ancho, alto);
    // The position is the frame's, above and left of the window's own area.
    move(libre.left() + (libre.width() - ancho - 2 * MarcoLateral) / 2,
         libre.top() + (libre.height() - MarcoSuperior - MarcoLateral - alto) / 2);
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

    QMenu* ver = menuBar()->addMenu(QStringLiteral("&Ver"));
    accion(ver, acciones_.todasLasEntradas, QStringLiteral("&Todas las entradas"),
           QKeySequence(Qt::CTRL | Qt::Key_T));
    acciones_.todasLasEntradas->setCheckable(true);
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
    connect(acciones_.todasLasEntradas, &QAction::toggled, this,
            &VentanaAlimentadores::MostrarColumnas);
    connect(modelo_, &QAbstractItemModel::modelReset, this, &VentanaAlimentadores::MostrarColumnas);
    connect(modelo_, &QAbstractItemModel::rowsInserted, this,
            &VentanaAlimentadores::MostrarColumnas);
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this,
            &VentanaAlimentadores::MostrarColumnas);
    connect(modelo_, &QAbstractItemModel::dataChanged, this,
            &VentanaAlimentadores::MostrarColumnas);
    // A motor row edited, added or taken away changes the motors' term at the service.
    connect(modelo_, &QAbstractItemModel::modelReset, this,
            &VentanaAlimentadores::MostrarEstadoFuente);
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this,
            &VentanaAlimentadores::MostrarEstadoFuente);
    connect(modelo_, &QAbstractItemModel::rowsInserted, this,
            &VentanaAlimentadores::MostrarEstadoFuente);
    connect(modelo_, &QAbstractItemModel::dataChanged, this,
            &VentanaAlimentadores::MostrarEstadoFuente);
    connect(&modelo_->pila(), &QUndoStack::cleanChanged, this,
            &VentanaAlimentadores::ActualizarTitulo);
    connect(modelo_, &ModeloAlimentadores::encabezadoCambiado, this,
            &VentanaAlimentadores::MostrarEncabezado);
    for (QLineEdit* campo :
         {campos_.proyecto, campos_.elaboro, campos_.cedula, campos_.reviso, campos_.revision}) {
        connect(campo, &QLineEdit::editingFinished, this, &VentanaAlimentadores::ConfirmarCampos);
    }
    connect(campos_.fecha, &QDateEdit::dateChanged, this, &VentanaAlimentadores::ConfirmarCampos);
    connect(campos_.norma, &QComboBox::currentIndexChanged, this,
            &VentanaAlimentadores::ConfirmarCampos);
    connect(campos_.regulacionTotal, &QDoubleSpinBox::editingFinished, this,
            &VentanaAlimentadores::ConfirmarCampos);
}

void VentanaAlimentadores::ConfirmarCampos() {
    using schedule::DatosProyecto;
    const std::pair<QLineEdit*, std::string DatosProyecto::*> campos[] = {
        {campos_.proyecto, &DatosProyecto::nombre},   {campos_.elaboro, &DatosProyecto::elaboro},
        {campos_.cedula, &DatosProyecto::cedula},     {campos_.reviso, &DatosProyecto::reviso},
        {campos_.revision, &DatosProyecto::revision},
    };
    // Every field is read before any is put in: putting one in shows them all again.
    std::vector<std::string> textos;
    for (const auto& [control, campo] : campos) {
        textos.push_back(control->text().toStdString());
    }
    const std::string fecha = campos_.fecha->date().toString(Qt::ISODate).toStdString();
    // The default edition stays unnamed, as a project without the setting has it.
    const std::string norma = schedule::NormaDe(modelo_->cuadro().proyecto) ==
                                      engine::NormaDe(campos_.norma->currentText().toStdString())
                                  ? modelo_->cuadro().proyecto.norma
                                  : campos_.norma->currentText().toStdString();
    for (std::size_t i = 0; i < std::size(campos); ++i) {
        modelo_->CambiarEncabezado(
            campos[i].second, textos[i],
            QStringLiteral("Cambiar %1").arg(campos[i].first->accessibleName()));
    }
    modelo_->CambiarEncabezado(&DatosProyecto::fecha, fecha, QStringLiteral("Cambiar fecha"));
    modelo_->CambiarEncabezado(&DatosProyecto::norma, norma, QStringLiteral("Cambiar norma"));
    // So is the default limit; a number is kept with its decimal point.
    const double limite = campos_.regulacionTotal->value();
    const std::string total = limite == schedule::RegulacionTotalDe(modelo_->cuadro().proyecto)
                                  ? modelo_->cuadro().proyecto.regulacionTotal
                                  : QString::number(limite, 'g', 15).toStdString();
    modelo_->CambiarEncabezado(&DatosProyecto::regulacionTotal, total,
                               QStringLiteral("Cambiar regulación total máxima"));
    ConfirmarFuente();
}

void VentanaAlimentadores::ConfirmarEdicion() {
    // A cell's editor is the one widget the view places in its viewport; the focus may be
    // on a part of it, as on the line of an editable list.
    QWidget* editor = QApplication::focusWidget();
    while (editor != nullptr && editor->parentWidget() != tabla_->viewport()) {
        editor = editor->parentWidget();
    }
    if (editor != nullptr) {
        QAbstractItemDelegate* delegado = tabla_->itemDelegate();
        emit delegado->commitData(editor);
        emit delegado->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    ConfirmarCampos();
}

void VentanaAlimentadores::Empezar(ModeloAlimentadores::Carga carga, const QString& archivo) {
    // A schedule without a date is dated today, as its header shows it.
    if (carga.cuadro.proyecto.fecha.empty()) {
        carga.cuadro.proyecto.fecha = QDate::currentDate().toString(Qt::ISODate).toStdString();
    }
    modelo_->Cargar(std::move(carga));
    archivo_ = archivo;
    avisoCsvDado_ = false;
    statusBar()->clearMessage();
    MostrarEncabezado();
    AjustarColumnas();
    ActualizarTitulo();
    if (modelo_->errorDeTablas()) {
        Avisar(QString::fromStdString(*modelo_->errorDeTablas()));
    }
}

// Each column as wide as its content, within limits.
void VentanaAlimentadores::AjustarColumnas() {
    tabla_->resizeColumnsToContents();
    const int letra = tabla_->fontMetrics().averageCharWidth();
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        const ModeloAlimentadores::Vista v = modelo_->VistaDe(c);
        // The remarks and the drawing's line run long, and are read whole.
        const bool larga = v.tipo == ModeloAlimentadores::Tipo::Resultado &&
                           schedule::ColumnasResultado[v.indice].larga;
        const int maximo = (larga ? AnchoObservaciones : AnchoMaximo) * letra;
        tabla_->setColumnWidth(c, std::min(tabla_->columnWidth(c), maximo));
    }
}

void VentanaAlimentadores::MostrarColumnas() {
    const bool todas = acciones_.todasLasEntradas->isChecked();
    for (int c = 0; c < modelo_->columnCount(); ++c) {
        tabla_->setColumnHidden(c, !todas && modelo_->Opcional(c) && !modelo_->EnUso(c));
    }
}

void VentanaAlimentadores::MostrarEncabezado() {
    const schedule::DatosProyecto& p = modelo_->cuadro().proyecto;
    const QSignalBlocker bloqueo(campos_.fecha);
    const QSignalBlocker bloqueoNorma(campos_.norma);
    const QSignalBlocker bloqueoTotal(campos_.regulacionTotal);
    const auto poner = [](QLineEdit* campo, const std::string& texto) {
        campo->setText(QString::fromStdString(texto));
    };
    poner(campos_.proyecto, p.nombre);
    poner(campos_.elaboro, p.elaboro);
    poner(campos_.cedula, p.cedula);
    poner(campos_.reviso, p.reviso);
    poner(campos_.revision, p.revision);
    const QDate fecha = QDate::fromString(QString::fromStdString(p.fecha), Qt::ISODate);
    campos_.fecha->setDate(fecha.isValid() ? fecha : QDate::currentDate());
    const std::string_view norma = engine::NombresNorma[static_cast<std::size_t>(NormaDe(p))];
    campos_.norma->setCurrentText(
        QString::fromUtf8(norma.data(), static_cast<qsizetype>(norma.size())));
    campos_.regulacionTotal->setValue(schedule::RegulacionTotalDe(p));
    MostrarFuente();
}

void VentanaAlimentadores::Avisar(const QString& texto) {
    toolkit::MostrarAviso(this, texto);
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
    const ModeloAlimentadores::Pegado pegado =
        modelo_->Pegar(fila, QApplication::clipboard()->text().toStdString());
    if (pegado.filas > 0) {
        tabla_->setCurrentIndex(modelo_->index(fila, 0));
    }
    // The columns of a pasted header that are none of the table's are named.
    QStringList omitidas;
    for (const std::string& nombre : pegado.omitidas) {
        omitidas << QStringLiteral("«%1»").arg(QString::fromStdString(nombre));
    }
    if (!omitidas.isEmpty()) {
        statusBar()->showMessage(QStringLiteral("Columnas pegadas que no se usan: %1.")
                                     .arg(omitidas.join(QStringLiteral(", "))));
    }
}
