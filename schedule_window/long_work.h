// Long work (opening and saving a schedule, the record, printing, the workbook) on a worker
// thread, while the window keeps repainting, with a progress dialog that can cancel it.
#pragma once

#include "schedule_window/calculation_record.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The steps of each kind of work, as its `memoria::Avance::paso` numbers them.
extern const QStringList PasosMemoria; // sizing the feeders, laying out, writing the pages
extern const QStringList PasosLibro;   // sizing and writing the feeders
extern const QStringList PasosAbrir;   // reading the file, sizing the feeders
extern const QStringList PasosGuardar; // writing the file

// Runs `trabajo` on a worker thread and returns its result once it ends; false as well
// when the user cancelled it. The event loop goes on meanwhile, but the user's input to
// every window waits until the work ends, so nothing changes what the worker reads; a
// dialog over `padre` shows `avance` and sets its `cancelar` when the user cancels, if
// the work lasts more than a moment.
bool EnSegundoPlano(QWidget* padre, const QString& texto, const QStringList& pasos,
                    memoria::Avance& avance, const std::function<bool()>& trabajo);
