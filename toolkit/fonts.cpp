#include "toolkit/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace toolkit {
namespace {

// Looked up once in the list of installed faces: asking the font database about a face
// that is missing makes it resolve aliases through the whole font configuration.
QString Familia() {
    static const QString elegida = [] {
        const QStringList instaladas = QFontDatabase::families();
        for (const QString& familia :
             {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
              QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")}) {
            if (instaladas.contains(familia)) {
                return familia;
            }
        }
        return QStringLiteral("Sans Serif");
    }();
    return elegida;
}

} // namespace

QFont Letra(double puntos, bool negrita, bool cursiva) {
    QFont letra(Familia());
    letra.setPointSizeF(puntos);
    letra.setBold(negrita);
    letra.setItalic(cursiva);
    return letra;
}

void LetraDeLaAplicacion() {
    QApplication::setFont(Letra(PuntosNormales));
}

} // namespace toolkit
