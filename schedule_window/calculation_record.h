// The calculation record of a schedule: every feeder with its inputs and results, and the
// method, page after page with "Página N de M", on a PDF or a printer.
#pragma once

#include <QLocale>
#include <QPageSize>

class ModeloAlimentadores;
class QPagedPaintDevice;

namespace memoria {

// The paper of the user's country: Letter where it is the custom, A4 elsewhere.
QPageSize TamanoDePagina(const QLocale& local);

// Lays the record out on `dispositivo`, in the page size and orientation the caller gave it.
void Imprimir(const ModeloAlimentadores& modelo, QPagedPaintDevice& dispositivo);

} // namespace memoria
