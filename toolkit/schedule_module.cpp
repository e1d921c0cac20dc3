#include "toolkit/schedule_module.h"

#include <QDir>
#include <QPluginLoader>

namespace toolkit {

FabricaAlimentadores* ModuloAlimentadores(const QString& carpeta, QString& error) {
    QPluginLoader cargador(QDir(carpeta).filePath(QString::fromLatin1(ArchivoModuloAlimentadores)));
    // The loader's instance stays while the program runs: the schedule window's code is in it.
    auto* fabrica = qobject_cast<FabricaAlimentadores*>(cargador.instance());
    if (fabrica == nullptr) {
        error = cargador.errorString();
    }
    return fabrica;
}

} // namespace toolkit
