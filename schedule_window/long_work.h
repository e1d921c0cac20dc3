// Long work (the record, printing, the workbook) on a worker thread, while the window
// keeps repainting and answering, with a progress dialog that can cancel it.
#pragma once

#include "schedule_window/calculation_record.h"

#include <QString>

#include <functional>

class QWidget;

// Runs `trabajo` on a worker thread and returns its result once it ends. The window's
// event loop goes on meanwhile; a dialog over `padre` shows `avance` and sets its
// `cancelar` when the user cancels, if the work lasts more than a moment.
bool EnSegundoPlano(QWidget* padre, const QString& texto, memoria::Avance& avance,
                    const std::function<bool()>& trabajo);
