// The program starts here: the main window is shown, and the program ends when it closes.
#include "main_window/drawings.h"
#include "main_window/form1.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

int Main() {
    QApplication::setWindowIcon(IconoPrograma());
    Form1 ventana(toolkit::CarpetaPrograma());
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
    return Main();
}
