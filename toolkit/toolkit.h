// The few window-toolkit operations the windows rely on, each mapped to Qt once.
#pragma once

#include <QRect>
#include <QString>
#include <QStringView>

#include <span>

class QDialog;
class QLabel;
class QWidget;

namespace toolkit {

// Shows a top-level window and returns once it has closed: the application's event loop
// runs until the last window is gone. The window's load work happens in its constructor,
// so it is done before the window is displayed.
int MostrarVentanaPrincipal(QWidget& ventana);

// Shows a dialog application-modal and returns once it has closed (QDialog::exec): no
// other window takes input meanwhile. The window below then takes the keyboard back.
void MostrarModal(QDialog& dialogo, QWidget* debajo);

// Ends the program at once: the event loop stops and main returns; no handler of ours runs.
void TerminarPrograma();

// The folder that holds the running executable, where the two table files lie.
QString CarpetaPrograma();

// The program's message box: a warning icon, one OK button, modal over `padre`, which
// takes the keyboard back when the box closes.
void MostrarAviso(QWidget* padre, const QString& texto);

// A window's children go on emitting while the window is taken apart (a list's model
// empties itself, an undo stack clears): nothing of the window may answer them then.
// Called first in a window's destructor.
void DesconectarHijos(QWidget& ventana);

// Places `ventana` in the middle of the screen it is on.
void Centrar(QWidget& ventana);

inline constexpr int TwipsPorPixel = 15; // at 96 dots per inch

// A rectangle given in twips, in device-independent pixels.
QRect EnPixeles(int izquierda, int arriba, int ancho, int alto);

// Where a control stands, in twips from its container's top left.
struct Posicion {
    const char16_t* control;
    int izquierda, arriba, ancho, alto;
};

// The rectangle, in device-independent pixels, of `control` in a window's table of
// positions. Every control a window places has a row: a missing one is a programming error.
QRect EnPixeles(std::span<const Posicion> posiciones, QStringView control);

// A label as both windows draw them: plain text, left-aligned from the top, wrapped within
// its box, which does not adapt to the text.
QLabel* Etiqueta(const QString& nombre, const QString& texto, QWidget* contenedor);

} // namespace toolkit
