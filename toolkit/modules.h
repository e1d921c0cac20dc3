// Parts of the program that live in modules beside it, loaded the first time they are
// needed, so that the program starts without their libraries.
#pragma once

#include <QString>

class QObject;

namespace toolkit {

// The module `archivo` in `carpeta`, loaded on the first call and kept loaded while the
// program runs; null, with the reason in `error`, if it cannot be loaded.
QObject* CargarModulo(const QString& carpeta, const char* archivo, QString& error);

} // namespace toolkit
