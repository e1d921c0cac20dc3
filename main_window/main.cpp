// The program starts here: the main window is shown, and the program ends when it closes.
#include "main_window/drawings.h"
#include "main_window/form1.h"
#include "toolkit/fonts.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace {

// A file given on the command line (a project a file manager opens) opens in the schedule
// window once the main window shows.
int Main(const QStringList& argumentos) {
    toolkit::LetraDeLaAplicacion();
    QApplication::setWindowIcon(IconoPrograma());
    Form1 ventana(toolkit::CarpetaPrograma());
    if (argumentos.size() > 1) {
        const QString archivo = argumentos.at(1);
        QTimer::singleShot(0, &ventana,
                           [&ventana, archivo] { ventana.AbrirAlimentadores(archivo); });
    }
    return toolkit::MostrarVentanaPrincipal(ventana);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    // The program speaks Spanish only: so do Qt's own dialogs (files, printing, dates).
    QTranslator traductor;
    if (traductor.load(QStringLiteral("qtbase_es"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&traductor);
    }
    return Main(QApplication::arguments());
}
