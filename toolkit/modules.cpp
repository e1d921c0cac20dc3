#include "toolkit/modules.h"

#include <QDir>
#include <QPluginLoader>

namespace toolkit {

QObject* CargarModulo(const QString& carpeta, const char* archivo, QString& error) {
    const QString ruta = QDir(carpeta).filePath(QString::fromLatin1(archivo));
    QPluginLoader cargador(ruta);
    // The loader's instance stays while the program runs: the module's code is in it.
    QObject* modulo = cargador.instance();
    if (modulo == nullptr) {
        error = QStringLiteral("«%1»: %2").arg(ruta, cargador.errorString());
    }
    return modulo;
}

} // namespace toolkit
