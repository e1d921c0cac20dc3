// The schedule window as a module the program loads the first time the user opens it.
#include "schedule_window/schedule_window.h"

#include <QObject>

class ModuloAlimentadores : public QObject, public FabricaAlimentadores {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FabricaAlimentadores_iid)
    Q_INTERFACES(FabricaAlimentadores)

public:
    Alimentadores* Crear(const QString& carpetaTablas, QWidget* padre) override {
        return new VentanaAlimentadores(carpetaTablas, padre);
    }
};

#include "module.moc"
