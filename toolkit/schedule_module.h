// The schedule window as the main window sees it. A module beside the program builds it
// the first time the user asks for it, so that the calculator starts without the
// schedule's libraries (printing, workbooks, CSV, project files) however much they grow.
#pragma once

#include "engine/calcular.h"
#include "toolkit/modules.h"

#include <QObject>
#include <QString>
#include <QtPlugin>

class QMainWindow;
class QWidget;

class Alimentadores {
public:
    virtual ~Alimentadores() = default;

    virtual QMainWindow& Ventana() = 0;
    // With unsaved changes, asks "Guardar / Descartar / Cancelar"; true when the schedule
    // may be let go.
    virtual bool PuedeCerrar() = 0;
    // Opens a schedule's file, telling the user what went wrong if it cannot.
    virtual bool Abrir(const QString& archivo) = 0;
    // The main window's inputs as the schedule's last row, selected.
    virtual void AgregarDeLaCalculadora(const engine::Entrada& entrada) = 0;
};

// What the module gives: the schedule window, made once.
class FabricaAlimentadores {
public:
    virtual ~FabricaAlimentadores() = default;

    // A schedule window owned by `padre`, its rows sized with the tables in `carpetaTablas`.
    virtual Alimentadores* Crear(const QString& carpetaTablas, QWidget* padre) = 0;
};

#define FabricaAlimentadores_iid "org.calculadorcaidas.Calculador.FabricaAlimentadores/1"
Q_DECLARE_INTERFACE(FabricaAlimentadores, FabricaAlimentadores_iid)

namespace toolkit {

// The module's file, in the program's folder.
inline constexpr const char* ArchivoModuloAlimentadores = "modulos/libcalculador-alimentadores.so";

// The schedule module in `carpeta`, loaded on the first call and kept loaded; null, with
// the reason in `error`, if it cannot be loaded.
inline FabricaAlimentadores* ModuloAlimentadores(const QString& carpeta, QString& error) {
    return qobject_cast<FabricaAlimentadores*>(
        CargarModulo(carpeta, ArchivoModuloAlimentadores, error));
}

} // namespace toolkit
