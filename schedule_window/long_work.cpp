#include "schedule_window/long_work.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <array>
#include <atomic>
#include <thread>

namespace {

// The steps of the work, as memoria::Avance numbers them.
const std::array<QString, 3> Pasos{QStringLiteral("Dimensionando los alimentadores…"),
                                   QStringLiteral("Componiendo las páginas…"),
                                   QStringLiteral("Escribiendo las páginas…")};

} // namespace

bool EnSegundoPlano(QWidget* padre, const QString& texto, memoria::Avance& avance,
                    const std::function<bool()>& trabajo) {
    std::atomic<bool> terminado{false};
    bool resultado = false;
    std::thread hilo([&] {
        resultado = trabajo();
        terminado = true;
    });
    QProgressDialog dialogo(texto, QStringLiteral("Cancelar"), 0, 1, padre);
    dialogo.setWindowTitle(texto);
    dialogo.setWindowModality(Qt::WindowModal);
    dialogo.setMinimumDuration(400);
    dialogo.setAutoReset(false);
    dialogo.setAutoClose(false);
    QEventLoop bucle;
    QTimer reloj;
    QObject::connect(&reloj, &QTimer::timeout, &bucle, [&] {
        if (terminado) {
            bucle.quit();
            return;
        }
        const int paso = std::clamp(avance.paso.load(), 0, static_cast<int>(Pasos.size()) - 1);
        dialogo.setLabelText(texto + QStringLiteral("\n") + Pasos[static_cast<std::size_t>(paso)]);
        dialogo.setMaximum(std::max(1, avance.total.load()));
        dialogo.setValue(std::min(avance.hecho.load(), dialogo.maximum() - 1));
        if (dialogo.wasCanceled()) {
            avance.cancelar = true;
        }
    });
    reloj.start(25);
    bucle.exec();
    hilo.join();
    return resultado && !avance.cancelar;
}
