#include "toolkit/schedule_module.h"

#include <QDir>
#include <QPluginLoader>

namespace toolkit {

FabricaAlimentadores* ModuloAlimentadores(const QString& carpeta, QString& error) {
    const QString archivo = QDir(carpeta).filePath(QString::fromLatin1(ArchivoModuloAlimentadores));
    QPluginLoader cargador(archivo);
    // The loader's instance stays while the program runs: the schedule window's code is in it.
    auto* fabrica = qobject_cast<FabricaAlimentadores*>(cargador.instance());
    if (fabrica == nullptr) {
        error = QStringLiteral("«%1»: %2").arg(archivo, cargador.errorString());
    }
    return fabrica;
}

} // namespace toolkit
