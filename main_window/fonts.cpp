#include "main_window/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace toolkit {
namespace {

QString Familia() {
    static const QString elegida = [] {
        for (const QString& familia :
             {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
              QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")}) {
            if (QFontDatabase::hasFamily(familia)) {
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

} // namespace toolkit
