// The calculation record on paper: a running head and a foot with "Página N de M" on every
// page, the cover with the signature lines, the summary, the table with its header on
// every page and no feeder split across two, the annex with each feeder's arithmetic, and
// the method.
#pragma once

#include "schedule/record.h"

#include <QLocale>
#include <QPageSize>

#include <atomic>

class QPagedPaintDevice;

namespace memoria {

// The paper of the user's country: Letter where it is the custom, A4 elsewhere.
QPageSize TamanoDePagina(const QLocale& local);

// How far a long piece of work has gone, read by the window while a worker thread does it;
// the window sets `cancelar` to stop it. A step that cannot count its rows leaves `total` 0.
struct Avance {
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

// Lays `memoria` out on `dispositivo`, in the page size and orientation the caller gave it;
// false if it was cancelled. Paints no widget: a worker thread may run it.
bool Imprimir(const schedule::Memoria& memoria, QPagedPaintDevice& dispositivo, Avance& avance);

} // namespace memoria
