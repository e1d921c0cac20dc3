// Long work (opening and saving a schedule, the record, printing, the workbook) on a worker
// thread, while the window keeps repainting, with a progress dialog that can cancel it.
#pragma once

#include "schedule/project_file.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstddef>
#include <functional>

class QWidget;

// How far a long piece of work has gone, read by the window while a worker thread does it;
// the window sets `cancelar` to stop it. A step that cannot count its rows leaves `total` 0.
struct Progreso {
    std::atomic<int> hecho{0};
    std::atomic<int> total{0};
    std::atomic<int> paso{0}; // in the work's own list of steps
    std::atomic<bool> cancelar{false};

    // Tells the work done; false once the user has cancelled.
    bool Seguir(int hechos) {
        hecho = hechos;
        return !cancelar;
    }
};

// Told the rows done so far, as the sizing of a schedule counts them.
std::function<bool(std::size_t)> PorFilas(Progreso& progreso);
// Told the rows done of all, as a file's reader or writer counts them.
schedule::Avance Contando(Progreso& progreso);

// The steps of each kind of work, as its `Progreso::paso` numbers them.
extern const QStringList PasosMemoria; // sizing the feeders, laying out, writing the pages
extern const QStringList PasosLibro;   // sizing and writing the feeders
extern const QStringList PasosAbrir;   // reading the file, sizing the feeders
extern const QStringList PasosGuardar; // writing the file

// Runs `trabajo` on a worker thread and returns its result once it ends: a work that
// finished before it saw the user's cancel is done, and says so. The event loop goes on meanwhile,
// but the user's input to every window waits until the work ends, so nothing changes what the
// worker reads; a dialog over `padre` shows `progreso` and sets its `cancelar` when the user
// cancels, if the work lasts more than a moment. `trabajo` reads nothing of the windows: what it
// works on is handed to it whole beforehand.
bool EnSegundoPlano(QWidget* padre, const QString& texto, const QStringList& pasos,
                    Progreso& progreso, const std::function<bool()>& trabajo);
