#include "main_window/form1.h"

#include "engine/conductors.h"
#include "engine/defaults.h"
#include "engine/numeric_text.h"
#include "information_window/form2.h"
#include "main_window/drawings.h"
#include "main_window/field_rules.h"
#include "toolkit/fonts.h"
#include "main_window/form1_layout.h"
#include "toolkit/schedule_module.h"
#include "toolkit/toolkit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The conduit list always shows one chosen line, the one the calculation uses: Ctrl+click
// and Ctrl+Space, which would take the highlight off it, choose it again instead.
class ListaDeUnaEleccion : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& indice,
                                                         const QEvent* evento) const override {
        const QItemSelectionModel::SelectionFlags orden =
            QListWidget::selectionCommand(indice, evento);
        if (orden & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
            return QItemSelectionModel::ClearAndSelect;
        }
        return orden;
    }
};

QString Texto(std::string_view texto) {
    return QString::fromUtf8(texto.data(), qsizetype(texto.size()));
}

void Colocar(QWidget* control) {
    control->setGeometry(form1_layout::EnPixeles(control->objectName()));
}

// The report follows the user's regional separators at the moment of each calculation.
engine::Separadores SeparadoresDelSistema() {
    const QLocale local = QLocale::system();
    const bool agrupa = !(local.numberOptions() & QLocale::OmitGroupSeparator);
    return {local.decimalPoint().toStdString(), agrupa ? local.groupSeparator().toStdString() : ""};
}

// The window's inputs when it opens: the engine's default choices and field texts.
// "&Nuevo" brings all of them back but Text6's.
const engine::Entrada Inicial{};
const QString InicialText1 = Texto(engine::PorOmision.longitud);
const QString InicialText2 = Texto(engine::PorOmision.corriente);
const QString InicialText3 = Texto(engine::PorOmision.voltaje);
const QString InicialText5 = Texto(engine::PorOmision.factorPotencia);
const QString InicialText6 = Texto(engine::PorOmision.caidaPermitida);

// Option groups number their buttons as the engine numbers its choices.
void ElegirInicial(QButtonGroup* grupo, auto eleccion) {
    grupo->button(static_cast<int>(eleccion))->setChecked(true);
}

} // namespace

Form1::Form1(const QString& carpetaTablas, QWidget* parent)
    : QMainWindow(parent), carpetaTablas_(carpetaTablas) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Calculador Caídas de Voltaje "));
    auto* cliente = new QWidget(this);
    cliente->setObjectName(QStringLiteral("cliente"));
    setCentralWidget(cliente);
    setFont(toolkit::Letra(toolkit::PuntosNormales));

    createInputs();
    createChoices();
    createLabels();
    createReport();
    createMenu();
    setBuddies();
    createTabOrder();
    connectHandlers();

    cliente->setFixedSize(
        toolkit::EnPixeles(0, 0, form1_layout::AnchoVentana, form1_layout::AltoVentana).size());
    setFixedSize(cliente->width(), cliente->height() + menuBar()->sizeHint().height());
    toolkit::Centrar(*this);
    Form_Load();
    elecciones_.Combo1->setFocus();
}

Form1::~Form1() {
    toolkit::DesconectarHijos(*this);
}

QLineEdit* Form1::campo(const QString& nombre, const QString& texto, const QString& accesible,
                        QWidget* contenedor) {
    auto* c = new QLineEdit(texto, contenedor);
    c->setObjectName(nombre);
    c->setAlignment(Qt::AlignHCenter);
    c->setAccessibleName(accesible);
    c->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    c->installEventFilter(this);
    Colocar(c);
    return c;
}

QLabel* Form1::label(const QString& nombre, const QString& texto, QWidget* contenedor) {
    QLabel* l = toolkit::Etiqueta(nombre, texto, contenedor);
    Colocar(l);
    return l;
}

QGroupBox* Form1::marco(const QString& nombre, const QString& titulo) {
    auto* m = new QGroupBox(titulo, centralWidget());
    m->setObjectName(nombre);
    Colocar(m);
    return m;
}

QWidget* Form1::panel(const QString& nombre) {
    auto* p = new QWidget(centralWidget());
    p->setObjectName(nombre);
    Colocar(p);
    return p;
}

QRadioButton* Form1::opcion(QButtonGroup* grupo, int indice, const QString& texto,
                            QGroupBox* contenedor) {
    auto* o = new QRadioButton(texto, contenedor);
    o->setObjectName(grupo->objectName() + QStringLiteral("_") + QString::number(indice));
    o->setFont(toolkit::Letra(toolkit::PuntosNormales));
    grupo->addButton(o, indice);
    Colocar(o);
    return o;
}

void Form1::createInputs() {
    QWidget* cliente = centralWidget();
    contenedores_.Frame6 = panel(QStringLiteral("Frame6"));
    contenedores_.Frame5 = panel(QStringLiteral("Frame5"));
    campos_.Text1 = campo(QStringLiteral("Text1"), InicialText1, QStringLiteral("Distancia"),
                          contenedores_.Frame6);
    label(QStringLiteral("Label4"), QStringLiteral("Distancia"), contenedores_.Frame6);
    label(QStringLiteral("Label5"), QStringLiteral("Mts."), contenedores_.Frame6);
    campos_.Text6 = campo(QStringLiteral("Text6"), InicialText6, QStringLiteral("Caida de V."),
                          contenedores_.Frame5);
    label(QStringLiteral("Label1"), QStringLiteral("Volt."), contenedores_.Frame5);
    label(QStringLiteral("Label9"), QStringLiteral("Caida de V."), contenedores_.Frame5);
    campos_.Text2 =
        campo(QStringLiteral("Text2"), InicialText2, QStringLiteral("Corriente"), cliente);
    campos_.Text3 =
        campo(QStringLiteral("Text3"), InicialText3, QStringLiteral("Voltaje Inic."), cliente);
    campos_.Text5 =
        campo(QStringLiteral("Text5"), InicialText5, QStringLiteral("F. de Pot."), cliente);

    Command1_ = new QPushButton(QStringLiteral("&Resultado"), cliente);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->installEventFilter(this);
    Colocar(Command1_);
}

void Form1::createChoices() {
    QWidget* cliente = centralWidget();
    const auto grupo = [this](const QString& nombre) {
        auto* g = new QButtonGroup(this);
        g->setObjectName(nombre);
        return g;
    };
    elecciones_.Option1 = grupo(QStringLiteral("Option1"));
    elecciones_.Option2 = grupo(QStringLiteral("Option2"));
    elecciones_.Option3 = grupo(QStringLiteral("Option3"));

    contenedores_.Frame4 = marco(QStringLiteral("Frame4"), QStringLiteral("Calcular:"));
    contenedores_.Frame4->setFont(toolkit::Letra(toolkit::PuntosNormales, true));
    opcion(elecciones_.Option2, 0, QStringLiteral("Caida de Volt."), contenedores_.Frame4);
    opcion(elecciones_.Option2, 1, QStringLiteral("Distancia"), contenedores_.Frame4);
    contenedores_.Frame3 = marco(QStringLiteral("Frame3"), QStringLiteral("Sistema"));
    for (std::size_t i = 0; i < engine::Sistemas.size(); ++i) {
        opcion(elecciones_.Option1, static_cast<int>(i), Texto(engine::Sistemas[i].nombre),
               contenedores_.Frame3);
    }
    contenedores_.Frame1 = marco(QStringLiteral("Frame1"), QStringLiteral("Tipo de Conductor"));
    opcion(elecciones_.Option3, 0, QStringLiteral("Cobre"), contenedores_.Frame1);
    opcion(elecciones_.Option3, 1, QStringLiteral("Aluminio"), contenedores_.Frame1);

    elecciones_.List1 = new ListaDeUnaEleccion(cliente);
    elecciones_.List1->setObjectName(QStringLiteral("List1"));
    elecciones_.List1->setAccessibleName(QStringLiteral("Tipo de Ducto"));
    Colocar(elecciones_.List1);

    elecciones_.Combo1 = new QComboBox(cliente);
    elecciones_.Combo1->setObjectName(QStringLiteral("Combo1"));
    elecciones_.Combo1->setEditable(false);
    elecciones_.Combo1->setAccessibleName(QStringLiteral("Cal. Cond."));
    Colocar(elecciones_.Combo1);
}

void Form1::createLabels() {
    QWidget* cliente = centralWidget();
    QLabel* titulo = label(QStringLiteral("Label10"),
                           QStringLiteral("Programa Para el Cálculo de Caídas de Voltaje y         "
                                          "Distancias en  Sistemas bajo Ducto"),
                           cliente);
    titulo->setFont(toolkit::Letra(18, false, true));
    QPalette morado = titulo->palette();
    morado.setColor(QPalette::WindowText, QColor(192, 0, 192));
    titulo->setPalette(morado);
    label(QStringLiteral("Label12"), QStringLiteral("Cables Para 600 Volt., 60 Hz, y 75 \u00BAC"),
          cliente);
    label(QStringLiteral("ducto"), QStringLiteral("Tipo de Ducto"), cliente);
    label(QStringLiteral("LabelCal"), QStringLiteral("Cal. Cond."), cliente);
    label(QStringLiteral("Label2"), QStringLiteral("Corriente"), cliente);
    label(QStringLiteral("Label3"), QStringLiteral("Amp."), cliente);
    label(QStringLiteral("Label6"), QStringLiteral("Voltaje Inic."), cliente);
    label(QStringLiteral("Label7"), QStringLiteral("Volt."), cliente);
    label(QStringLiteral("Label8"), QStringLiteral("F. de Pot."), cliente);
    label(QStringLiteral("Label11"), QStringLiteral("Basado en la Tabla 9, Capítulo 9, del Nec"),
          cliente)
        ->setFont(toolkit::Letra(12, true, true));

    Picture1_ = new Picture1Dibujo(cliente);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    Colocar(Picture1_);
}

void Form1::createReport() {
    List2_ = new QListWidget(centralWidget());
    List2_->setObjectName(QStringLiteral("List2"));
    List2_->setAccessibleName(QStringLiteral("Resultado de los Cálculos"));
    List2_->setFont(toolkit::Letra(9.75, true));
    // The report blends into the window: the list takes the window's face colour.
    QPalette cara = List2_->palette();
    cara.setColor(QPalette::Base, cara.color(QPalette::Button));
    List2_->setPalette(cara);
    Colocar(List2_);
    // The report's own menu, and Ctrl+C in the list: usable while the report has lines.
    List2_->setContextMenuPolicy(Qt::ActionsContextMenu);
    reporte_.copiar = new QAction(QStringLiteral("Copiar reporte"), List2_);
    reporte_.copiar->setShortcut(QKeySequence::Copy);
    reporte_.copiar->setShortcutContext(Qt::WidgetShortcut);
    reporte_.agregar = new QAction(QStringLiteral("Agregar a alimentadores"), List2_);
    List2_->addActions({reporte_.copiar, reporte_.agregar});
    ActualizarAccionesReporte();
}

void Form1::createMenu() {
    menu_.archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    menu_.archivo->setObjectName(QStringLiteral("archivo"));
    menu_.Nuevo = menu_.archivo->addAction(QStringLiteral("&Nuevo"));
    menu_.Nuevo->setObjectName(QStringLiteral("Nuevo"));
    menu_.Alimentadores = menu_.archivo->addAction(QStringLiteral("&Alimentadores…"));
    menu_.Alimentadores->setObjectName(QStringLiteral("Alimentadores"));
    menu_.separador = menu_.archivo->addSeparator();
    menu_.separador->setObjectName(QStringLiteral("separador"));
    menu_.salir = menu_.archivo->addAction(QStringLiteral("&Salir"));
    menu_.salir->setObjectName(QStringLiteral("salir"));
    menu_.Informacion = menuBar()->addAction(QStringLiteral("&Información"));
    menu_.Informacion->setObjectName(QStringLiteral("Informacion"));
}

// Each heading names the control below it for screen readers, which announce a size list
// or a field by the label that goes with it.
void Form1::setBuddies() {
    const std::pair<const char*, QWidget*> pares[] = {
        {"Label4", campos_.Text1},        {"Label9", campos_.Text6}, {"Label2", campos_.Text2},
        {"Label6", campos_.Text3},        {"Label8", campos_.Text5}, {"ducto", elecciones_.List1},
        {"LabelCal", elecciones_.Combo1},
    };
    for (const auto& [etiqueta, control] : pares) {
        findChild<QLabel*>(QString::fromLatin1(etiqueta))->setBuddy(control);
    }
}

// Combo1, Text2, Text3, Command1, Option1, Option3, List1, Option2, Text6, Text1, Picture1,
// List2, Text5. An option group is entered at its selected member; hidden fields are skipped.
void Form1::createTabOrder() {
    const QList<QWidget*> orden{
        elecciones_.Combo1,
        campos_.Text2,
        campos_.Text3,
        Command1_,
        elecciones_.Option1->button(0),
        elecciones_.Option1->button(1),
        elecciones_.Option3->button(0),
        elecciones_.Option3->button(1),
        elecciones_.List1,
        elecciones_.Option2->button(0),
        elecciones_.Option2->button(1),
        campos_.Text6,
        campos_.Text1,
        Picture1_,
        List2_,
        campos_.Text5,
    };
    for (qsizetype i = 1; i < orden.size(); ++i) {
        QWidget::setTabOrder(orden[i - 1], orden[i]);
    }
}

void Form1::connectHandlers() {
    connect(Command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(menu_.Nuevo, &QAction::triggered, this, &Form1::Nuevo_Click);
    connect(menu_.salir, &QAction::triggered, this, &Form1::salir_Click);
    connect(menu_.Informacion, &QAction::triggered, this, &Form1::Informacion_Click);
    connect(menu_.Alimentadores, &QAction::triggered, this, &Form1::Alimentadores_Click);
    connect(reporte_.copiar, &QAction::triggered, this, &Form1::CopiarReporte_Click);
    connect(reporte_.agregar, &QAction::triggered, this, &Form1::AgregarAAlimentadores_Click);
    connect(List2_->model(), &QAbstractItemModel::modelReset, this,
            &Form1::ActualizarAccionesReporte);
    connect(List2_->model(), &QAbstractItemModel::rowsInserted, this,
            &Form1::ActualizarAccionesReporte);
    // A selection made from code raises the same handler as the user's click: Qt's toggled
    // and current-row signals fire for both.
    const auto alElegir = [this](QButtonGroup* grupo, void (Form1::*manejador)(int)) {
        connect(grupo, &QButtonGroup::idToggled, this, [this, manejador](int indice, bool elegido) {
            if (elegido) {
                (this->*manejador)(indice);
            }
        });
    };
    alElegir(elecciones_.Option1, &Form1::Option1_Click);
    alElegir(elecciones_.Option2, &Form1::Option2_Click);
    alElegir(elecciones_.Option3, &Form1::Option3_Click);
    connect(elecciones_.List1, &QListWidget::currentRowChanged, this, &Form1::List1_Click);
    connect(elecciones_.Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);
}

void Form1::Form_Load() {
    for (const engine::Ducto& ducto : engine::Ductos) {
        elecciones_.List1->addItem(Texto(ducto.nombre));
    }
    for (const engine::Calibre& calibre : engine::Calibres) {
        elecciones_.Combo1->addItem(Texto(calibre.nombre));
    }
    // Adding the first item selects it in Qt: start from no selection, as an empty list has.
    elecciones_.Combo1->setCurrentIndex(-1);
    elecciones_.List1->setCurrentRow(-1);
    ElegirInicial(elecciones_.Option2, Inicial.modo);
    ElegirInicial(elecciones_.Option3, Inicial.material);
    ElegirInicial(elecciones_.Option1, Inicial.sistema);
    elecciones_.Combo1->setCurrentIndex(Inicial.indiceCalibre);
    elecciones_.List1->setCurrentRow(Inicial.indiceDucto);
}

engine::Entrada Form1::Entrada() const {
    engine::Entrada e;
    e.modo = elecciones_.Option2->button(0)->isChecked() ? engine::Modo::CaidaVoltaje
                                                         : engine::Modo::Distancia;
    e.sistema = elecciones_.Option1->button(0)->isChecked() ? engine::Sistema::Trifasico
                                                            : engine::Sistema::Monofasico;
    e.material = elecciones_.Option3->button(0)->isChecked() ? engine::Material::Cobre
                                                             : engine::Material::Aluminio;
    e.indiceDucto = elecciones_.List1->currentRow();
    e.indiceCalibre = elecciones_.Combo1->currentIndex();
    e.Text1 = campos_.Text1->text().toStdString();
    e.Text2 = campos_.Text2->text().toStdString();
    e.Text3 = campos_.Text3->text().toStdString();
    e.Text5 = campos_.Text5->text().toStdString();
    e.Text6 = campos_.Text6->text().toStdString();
    e.carpetaTablas = carpetaTablas_.toStdString();
    e.separadores = SeparadoresDelSistema();
    return e;
}

void Form1::Calcular() {
    const engine::Reporte reporte = engine::Calcular(Entrada());
    List2_->clear();
    for (const std::string& linea : reporte.lineas) {
        List2_->addItem(QString::fromStdString(linea));
    }
    if (reporte.aviso) {
        toolkit::MostrarAviso(this, QString::fromStdString(reporte.aviso->texto));
    }
}

void Form1::RecalcularSiCalculado() {
    if (calculado_ == 1) {
        Calcular();
    }
}

void Form1::Command1_Click() {
    calculado_ = 1;
    Calcular();
}

void Form1::Nuevo_Click() {
    calculado_ = 0;
    ElegirInicial(elecciones_.Option1, Inicial.sistema);
    ElegirInicial(elecciones_.Option2, Inicial.modo);
    ElegirInicial(elecciones_.Option3, Inicial.material);
    elecciones_.List1->setCurrentRow(Inicial.indiceDucto);
    campos_.Text1->setText(InicialText1);
    campos_.Text2->setText(InicialText2);
    campos_.Text3->setText(InicialText3);
    campos_.Text5->setText(InicialText5);
    elecciones_.Combo1->setCurrentIndex(Inicial.indiceCalibre);
    List2_->clear();
}

// A schedule with unsaved changes is never lost without the user's word.
void Form1::salir_Click() {
    if (ventanaAlimentadores_ == nullptr || ventanaAlimentadores_->PuedeCerrar()) {
        toolkit::TerminarPrograma();
    }
}

void Form1::closeEvent(QCloseEvent* evento) {
    if (ventanaAlimentadores_ != nullptr && !ventanaAlimentadores_->PuedeCerrar()) {
        evento->ignore();
        return;
    }
    evento->accept();
    toolkit::TerminarPrograma();
}

Alimentadores* Form1::MostrarAlimentadores() {
    if (ventanaAlimentadores_ == nullptr) {
        QString error;
        FabricaAlimentadores* modulo =
            toolkit::ModuloAlimentadores(toolkit::CarpetaPrograma(), error);
        if (modulo == nullptr) {
            toolkit::MostrarAviso(
                this,
                QStringLiteral("No se puede abrir la ventana de alimentadores: %1").arg(error));
            return nullptr;
        }
        ventanaAlimentadores_ = modulo->Crear(carpetaTablas_, this);
    }
    QMainWindow& ventana = ventanaAlimentadores_->Ventana();
    ventana.show();
    ventana.raise();
    ventana.activateWindow();
    return ventanaAlimentadores_;
}

void Form1::AbrirAlimentadores(const QString& archivo) {
    Alimentadores* ventana = MostrarAlimentadores();
    if (ventana != nullptr && ventana->PuedeCerrar()) {
        ventana->Abrir(archivo);
    }
}

void Form1::Alimentadores_Click() {
    MostrarAlimentadores();
}

QStringList Form1::LineasDeEntradas() const {
    const bool caida = elecciones_.Option2->button(0)->isChecked();
    const auto elegida = [](const QButtonGroup* grupo) { return grupo->checkedButton()->text(); };
    QStringList lineas{
        QStringLiteral("Calcular: %1")
            .arg(caida ? QStringLiteral("Caída de voltaje") : QStringLiteral("Distancia")),
        QStringLiteral("Sistema: %1").arg(elegida(elecciones_.Option1)),
        QStringLiteral("Conductor: %1").arg(elegida(elecciones_.Option3)),
        QStringLiteral("Ducto: %1").arg(elecciones_.List1->currentItem()->text()),
        QStringLiteral("Calibre: %1").arg(elecciones_.Combo1->currentText()),
        QStringLiteral("Corriente: %1 A").arg(campos_.Text2->text()),
        QStringLiteral("Voltaje: %1 V").arg(campos_.Text3->text()),
        QStringLiteral("Factor de potencia: %1").arg(campos_.Text5->text())};
    lineas << (caida ? QStringLiteral("Longitud: %1 m").arg(campos_.Text1->text())
                     : QStringLiteral("Caída permitida: %1 V").arg(campos_.Text6->text()));
    return lineas;
}

// Pasted into a document or an e-mail, a report says what it is of: the inputs first, an
// empty line, then the report's lines as the list shows them.
void Form1::CopiarReporte_Click() {
    QStringList lineas = LineasDeEntradas();
    lineas << QString();
    for (int i = 0; i < List2_->count(); ++i) {
        lineas << List2_->item(i)->text();
    }
    QApplication::clipboard()->setText(lineas.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void Form1::AgregarAAlimentadores_Click() {
    if (Alimentadores* ventana = MostrarAlimentadores()) {
        ventana->AgregarDeLaCalculadora(Entrada());
    }
}

void Form1::ActualizarAccionesReporte() {
    const bool hayReporte = List2_->count() > 0;
    reporte_.copiar->setEnabled(hayReporte);
    reporte_.agregar->setEnabled(hayReporte);
}

void Form1::Informacion_Click() {
    Form2 informacion;
    toolkit::MostrarModal(informacion, this);
}

void Form1::Option1_Click(int) {
    RecalcularSiCalculado();
}
void Form1::Option3_Click(int) {
    RecalcularSiCalculado();
}
void Form1::List1_Click() {
    RecalcularSiCalculado();
}
void Form1::Combo1_Click() {
    RecalcularSiCalculado();
}

// The mode chooses which entry shows: the length for the drop, the permitted drop for the
// distance. The recalculation comes first, in the newly chosen mode.
void Form1::Option2_Click(int) {
    RecalcularSiCalculado();
    const bool caida = elecciones_.Option2->button(0)->isChecked();
    contenedores_.Frame5->setVisible(!caida);
    contenedores_.Frame6->setVisible(caida);
}

bool Form1::EsCampo(QObject* objeto) const {
    return objeto == campos_.Text1 || objeto == campos_.Text2 || objeto == campos_.Text3 ||
           objeto == campos_.Text5 || objeto == campos_.Text6;
}

bool Form1::eventFilter(QObject* objeto, QEvent* evento) {
    // Alt+R takes the button's focus as a click does, so that a field being left is
    // rewritten (and recalculated) before the button computes.
    if (objeto == Command1_ && evento->type() == QEvent::Shortcut) {
        Command1_->setFocus(Qt::ShortcutFocusReason);
        return false;
    }
    if (!EsCampo(objeto)) {
        return QMainWindow::eventFilter(objeto, evento);
    }
    auto* campo = static_cast<QLineEdit*>(objeto);
    switch (evento->type()) {
    case QEvent::KeyPress:
        return Text_KeyPress(campo, static_cast<QKeyEvent*>(evento));
    case QEvent::InputMethod:
        Text_InputMethod(static_cast<QInputMethodEvent*>(evento));
        break;
    case QEvent::FocusOut: {
        // A menu opening, a message box or another application taking the activation is
        // not leaving the field: the user comes back to it, and a message box shown by the
        // recalculation would otherwise raise the recalculation again. Nor is the program
        // hiding or disabling the field's panel ("&Nuevo" hides the permitted-drop entry).
        const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
        if (razon != Qt::PopupFocusReason && razon != Qt::ActiveWindowFocusReason &&
            campo->isVisible() && campo->isEnabled()) {
            Text_LostFocus(campo);
        }
        break;
    }
    // Dropped text would pass neither the key filter nor a focus loss: it is refused.
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        evento->ignore();
        return true;
    default:
        break;
    }
    return false;
}

// Only digits, the point and backspace get through; a discarded keystroke inserts nothing.
// A key whose code is replaced (the decimal comma) inserts its replacement instead.
bool Form1::Text_KeyPress(QLineEdit* campo, QKeyEvent* tecla) {
    const std::optional<std::int16_t> codigo = CodigoDeTecla(*tecla);
    if (!codigo) {
        return false;
    }
    const std::int16_t admitido = ValidarTecla(ComaDecimal(*codigo, ComaEsDecimal()));
    if (admitido != 0 && admitido != *codigo) {
        campo->insert(QString(QChar(admitido)));
        return true;
    }
    return admitido == 0;
}

// Composed text obeys the same rule as typed text, character by character.
void Form1::Text_InputMethod(QInputMethodEvent* composicion) {
    QString admitido;
    for (const QChar c : composicion->commitString()) {
        const std::int16_t codigo = ValidarTecla(ComaDecimal(CodigoDeCaracter(c), ComaEsDecimal()));
        if (codigo != 0) {
            admitido += QChar(codigo);
        }
    }
    composicion->setCommitString(admitido);
}

bool Form1::ComaEsDecimal() {
    return QLocale::system().decimalPoint() == QStringLiteral(",");
}

// Leaving a field rewrites it into the clean text of its number, then recalculates.
void Form1::Text_LostFocus(QLineEdit* campo) {
    const double valor = engine::ValorNumerico(campo->text().toStdString());
    campo->setText(QString::fromStdString(engine::TextoNumerico(valor)));
    RecalcularSiCalculado();
}
