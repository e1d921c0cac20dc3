// The calculation record on paper: a running head and a foot with "Página N de M" on every
// page, the cover with the signature lines, the summary, the table with its header on
// every page and no feeder split across two, the annex with each feeder's arithmetic, and
// the method.
#pragma once

#include "schedule/record.h"
#include "schedule_window/long_work.h"

#include <QLocale>
#include <QPageSize>

class QPagedPaintDevice;

namespace memoria {

// The paper of the user's country: Letter where it is the custom, A4 elsewhere.
QPageSize TamanoDePagina(const QLocale& local);

// Lays `memoria` out on `dispositivo`, in the page size and orientation the caller gave it;
// false if it was cancelled. Paints no widget: a worker thread may run it.
bool Imprimir(const schedule::Memoria& memoria, QPagedPaintDevice& dispositivo, Progreso& progreso);

} // namespace memoria
