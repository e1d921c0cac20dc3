// The window's event loop under long work: how long it goes without answering.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <functional>

// The event loop's longest silence, ms, while `paso` runs: a timer that should fire every
// 5 ms.
inline qint64 MayorSilencio(const std::function<void()>& paso) {
    QElapsedTimer reloj;
    qint64 mayor = 0;
    QTimer latido;
    QObject::connect(&latido, &QTimer::timeout, [&] { mayor = std::max(mayor, reloj.restart()); });
    latido.start(5);
    reloj.start();
    paso();
    return std::max(mayor, reloj.elapsed());
}
