// The main window: every input of a calculation, the report list and the menu.
#pragma once

#include "engine/calcular.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QCloseEvent;
class Alimentadores;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

class Form1 : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY(Form1)

public:
    // `carpetaTablas` holds Cobre.sqlite and Aluminio.sqlite: the program's own folder.
    explicit Form1(const QString& carpetaTablas, QWidget* parent = nullptr);
    ~Form1() override;

    // Reads every choice and field, has the engine compute, and rewrites the report.
    void Calcular();

    // 1 once a result has been asked for, 0 after "&Nuevo"; only 1 recalculates. It starts
    // at 0, which counts exactly as the unset flag does.
    int calculado() const { return calculado_; }

    // The inputs as the window shows them now, in the engine's terms.
    engine::Entrada Entrada() const;

    // Opens the schedule window on a schedule's file, as a file manager asks.
    void AbrirAlimentadores(const QString& archivo);

    // The schedule window, made by its module the first time it is opened and kept; null
    // until then.
    Alimentadores* ventanaAlimentadores() const { return ventanaAlimentadores_; }

protected:
    // The five numeric fields' key press and focus loss; the button's shortcut.
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Closing the main window ends the program, the schedule window with it.
    void closeEvent(QCloseEvent* evento) override;

private:
    void createInputs();
    void createChoices();
    void createLabels();
    void createReport();
    void createMenu();
    void setBuddies();
    void createTabOrder();
    void connectHandlers();
    void Form_Load();

    void Command1_Click();
    void Nuevo_Click();
    void salir_Click();
    void Informacion_Click();
    void Alimentadores_Click();
    void CopiarReporte_Click();
    // The inputs the report is of, one a line, as the window shows them.
    QStringList LineasDeEntradas() const;
    void AgregarAAlimentadores_Click();
    void ActualizarAccionesReporte();
    // Opens the schedule window, or shows and raises the one there is; null, the user told
    // why, if its module cannot be loaded.
    Alimentadores* MostrarAlimentadores();
    void Option1_Click(int Index);
    void Option2_Click(int Index);
    void Option3_Click(int Index);
    void List1_Click();
    void Combo1_Click();
    void RecalcularSiCalculado();
    bool Text_KeyPress(QLineEdit* campo, QKeyEvent* tecla);
    static bool ComaEsDecimal();
    void Text_InputMethod(QInputMethodEvent* composicion);
    void Text_LostFocus(QLineEdit* campo);
    bool EsCampo(QObject* objeto) const;

    QLabel* label(const QString& nombre, const QString& texto, QWidget* contenedor);
    QLineEdit* campo(const QString& nombre, const QString& texto, const QString& accesible,
                     QWidget* contenedor);
    QRadioButton* opcion(QButtonGroup* grupo, int indice, const QString& texto, QGroupBox* marco);
    QGroupBox* marco(const QString& nombre, const QString& titulo);
    QWidget* panel(const QString& nombre);

    struct Campos {
        QLineEdit* Text1 = nullptr; // length, metres
        QLineEdit* Text2 = nullptr; // current, amperes
        QLineEdit* Text3 = nullptr; // sending-end voltage
        QLineEdit* Text5 = nullptr; // power factor
        QLineEdit* Text6 = nullptr; // permitted drop, volts
    } campos_;
    struct Elecciones {
        QButtonGroup* Option1 = nullptr; // 0 three-phase, 1 single-phase
        QButtonGroup* Option2 = nullptr; // 0 voltage drop, 1 distance
        QButtonGroup* Option3 = nullptr; // 0 copper, 1 aluminium
        QListWidget* List1 = nullptr;    // conduit
        QComboBox* Combo1 = nullptr;     // conductor size
    } elecciones_;
    struct Contenedores {
        QGroupBox* Frame1 = nullptr; // "Tipo de Conductor"
        QGroupBox* Frame3 = nullptr; // "Sistema"
        QGroupBox* Frame4 = nullptr; // "Calcular:"
        QWidget* Frame5 = nullptr;   // permitted-drop entry
        QWidget* Frame6 = nullptr;   // length entry
    } contenedores_;
    struct Menu {
        QMenu* archivo = nullptr;
        QAction* Nuevo = nullptr;
        QAction* Alimentadores = nullptr;
        QAction* separador = nullptr;
        QAction* salir = nullptr;
        QAction* Informacion = nullptr;
    } menu_;
    struct AccionesReporte {
        QAction* copiar = nullptr;  // the report's lines to the clipboard
        QAction* agregar = nullptr; // the inputs to the schedule window
    } reporte_;
    QListWidget* List2_ = nullptr;
    Alimentadores* ventanaAlimentadores_ = nullptr; // owned by this window, as a child
    QPushButton* Command1_ = nullptr;
    QWidget* Picture1_ = nullptr;

    QString carpetaTablas_; // where the copper and aluminium table files are read
    int calculado_ = 0;
};
