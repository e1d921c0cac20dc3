// The fair floor of the calculator's start-up: a window of its size with the calculator's
// kinds of widgets (a menu bar, labels, frames of options, lists, a size list, fields and a
// button), its texts, and the four faces of its typeface (the ordinary text, bold, the
// italic title and the bold italic note), and nothing else: no drawing, no tables, no
// calculation. It exits once painted.
#include "first_paint.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct Texto {
    const char* texto;
    double puntos;
    bool negrita;
    bool cursiva;
};

constexpr double N = toolkit::PuntosNormales;

// The texts the calculator's window shows at start-up, each in its face.
constexpr Texto Titulo{
    "Programa Para el Cálculo de Caídas de Voltaje y Distancias en Sistemas bajo Ducto", 18, false,
    true};
constexpr Texto Nota{"Basado en la Tabla 9, Capítulo 9, del Nec", 12, true, true};
constexpr Texto Etiquetas[] = {
    {"Cables Para 600 Volt., 60 Hz, y 75 ºC", N, false, false},
    {"Tipo de Ducto", N, false, false},
    {"Cal. Cond.", N, false, false},
    {"Corriente", N, false, false},
    {"Amp.", N, false, false},
    {"Voltaje Inic.", N, false, false},
    {"Volt.", N, false, false},
    {"F. de Pot.", N, false, false},
};
constexpr const char* Sistemas[] = {"Trifásico", "Monofásico"};
constexpr const char* Conductores[] = {"Cobre", "Aluminio"};
constexpr const char* Calcular[] = {"Caida de Volt.", "Distancia"};
constexpr const char* Ductos[] = {"PVC", "Aluminio", "Acero"};
constexpr const char* Calibres[] = {"14",  "12",  "10",  "8",   "6",   "4",   "3",
                                    "2",   "1",   "1/0", "2/0", "3/0", "4/0", "250",
                                    "300", "350", "400", "500", "600", "750", "1000"};
constexpr const char* Campos[] = {"100", "220", "0.9"};

QString Q(const char* texto) {
    return QString::fromUtf8(texto);
}

// Places the controls in rows across the window, as they come.
class Colocador {
public:
    explicit Colocador(QWidget& cliente) : cliente_(cliente) {}
    template <typename T> T* operator()(T* control) {
        control->adjustSize();
        if (x_ + control->width() > cliente_.width()) {
            x_ = 8;
            y_ += alto_ + 6;
            alto_ = 0;
        }
        control->move(x_, y_);
        x_ += control->width() + 8;
        alto_ = std::max(alto_, control->height());
        return control;
    }

private:
    QWidget& cliente_;
    int x_ = 8;
    int y_ = 8;
    int alto_ = 0;
};

QLabel* Etiqueta(QWidget& cliente, const Texto& t) {
    auto* etiqueta = new QLabel(Q(t.texto), &cliente);
    etiqueta->setFont(toolkit::Letra(t.puntos, t.negrita, t.cursiva));
    return etiqueta;
}

// A frame of options, as the calculator groups its choices.
QGroupBox* Marco(QWidget& cliente, const char* titulo, const auto& opciones, bool negrita) {
    auto* marco = new QGroupBox(Q(titulo), &cliente);
    marco->setFont(toolkit::Letra(N, negrita));
    auto* columna = new QVBoxLayout(marco);
    for (const char* opcion : opciones) {
        auto* boton = new QRadioButton(Q(opcion), marco);
        boton->setFont(toolkit::Letra(N));
        columna->addWidget(boton);
    }
    return marco;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    toolkit::LetraDeLaAplicacion(); // as the calculator: its four faces and no other
    QMainWindow ventana;
    ventana.setWindowTitle(QStringLiteral("Calculador Caídas de Voltaje "));
    ventana.menuBar()->addMenu(QStringLiteral("&Archivo"))->addAction(QStringLiteral("&Salir"));
    ventana.menuBar()->addAction(QStringLiteral("&Información"));
    auto* cliente = new QWidget(&ventana);
    cliente->setFont(toolkit::Letra(N));
    cliente->setFixedSize(632, 455);
    ventana.setCentralWidget(cliente);
    Colocador colocar(*cliente);
    colocar(Etiqueta(*cliente, Titulo));
    for (const Texto& t : Etiquetas) {
        colocar(Etiqueta(*cliente, t));
    }
    colocar(Marco(*cliente, "Calcular:", Calcular, true));
    colocar(Marco(*cliente, "Sistema", Sistemas, false));
    colocar(Marco(*cliente, "Tipo de Conductor", Conductores, false));
    auto* ductos = colocar(new QListWidget(cliente));
    for (const char* ducto : Ductos) {
        ductos->addItem(Q(ducto));
    }
    ductos->setFixedSize(90, 60);
    auto* calibres = new QComboBox(cliente);
    for (const char* calibre : Calibres) {
        calibres->addItem(Q(calibre));
    }
    calibres->setCurrentIndex(9);
    colocar(calibres);
    for (const char* campo : Campos) {
        colocar(new QLineEdit(Q(campo), cliente));
    }
    colocar(new QPushButton(QStringLiteral("&Resultado"), cliente));
    auto* reporte = colocar(new QListWidget(cliente));
    reporte->setFont(toolkit::Letra(9.75, true));
    reporte->setFixedSize(300, 120);
    colocar(Etiqueta(*cliente, Nota));
    SalirTrasPrimerPintado salida(ventana);
    ventana.show();
    return QApplication::exec();
}
