#include "schedule_window/long_work.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWindow>

#include <thread>

const QStringList PasosMemoria{QStringLiteral("Dimensionando los alimentadores…"),
                               QStringLiteral("Componiendo las páginas…"),
                               QStringLiteral("Escribiendo las páginas…")};
const QStringList PasosLibro{QStringLiteral("Dimensionando y escribiendo los alimentadores…")};
const QStringList PasosAbrir{QStringLiteral("Leyendo el archivo…"),
                             QStringLiteral("Dimensionando los alimentadores…")};
const QStringList PasosGuardar{QStringLiteral("Escribiendo el archivo…")};

namespace {

// Holds back the user's input to every window but the progress dialog while it lives: the
// dialog blocks its window only once shown, and the main window not at all.
class SinEntrada : public QObject {
public:
    explicit SinEntrada(const QWidget& dialogo) : dialogo_(dialogo) {
        qApp->installEventFilter(this);
    }
    ~SinEntrada() override { qApp->removeEventFilter(this); }
    Q_DISABLE_COPY_MOVE(SinEntrada)

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::Shortcut: // sent to an action, whatever window it belongs to
            return true;
        case QEvent::Close:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            if (AjenoAlDialogo(objeto)) {
                evento->ignore();
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool AjenoAlDialogo(QObject* objeto) const {
        if (const auto* widget = qobject_cast<QWidget*>(objeto)) {
            return widget->window() != &dialogo_;
        }
        if (const auto* ventana = qobject_cast<QWindow*>(objeto)) {
            return ventana != dialogo_.windowHandle();
        }
        return false;
    }

    const QWidget& dialogo_;
};

} // namespace

std::function<bool(std::size_t)> PorFilas(Progreso& progreso) {
    return [&progreso](std::size_t filas) { return progreso.Seguir(static_cast<int>(filas)); };
}

schedule::Avance Contando(Progreso& progreso) {
    return [&progreso](std::size_t hechas, std::size_t total) {
        progreso.total = static_cast<int>(total);
        return progreso.Seguir(static_cast<int>(hechas));
    };
}

bool EnSegundoPlano(QWidget* padre, const QString& texto, const QStringList& pasos,
                    Progreso& progreso, const std::function<bool()>& trabajo) {
    QProgressDialog dialogo(texto, QStringLiteral("Cancelar"), 0, 1, padre);
    dialogo.setWindowTitle(texto);
    dialogo.setWindowModality(Qt::ApplicationModal);
    dialogo.setMinimumDuration(400);
    dialogo.setAutoReset(false);
    dialogo.setAutoClose(false);
    QObject::connect(&dialogo, &QProgressDialog::canceled,
                     [&progreso] { progreso.cancelar = true; });
    const SinEntrada sinEntrada(dialogo);
    QEventLoop bucle;
    bool resultado = false;
    // The worker starts from the loop, after whatever was asked before the work, a cancel
    // among it; its end wakes the loop at once: a short piece of work costs no wait.
    std::thread hilo;
    QMetaObject::invokeMethod(
        &bucle,
        [&] {
            hilo = std::thread([&] {
                resultado = trabajo();
                QMetaObject::invokeMethod(&bucle, &QEventLoop::quit, Qt::QueuedConnection);
            });
        },
        Qt::QueuedConnection);
    QTimer reloj;
    QObject::connect(&reloj, &QTimer::timeout, &bucle, [&] {
        const int paso = std::clamp(progreso.paso.load(), 0, static_cast<int>(pasos.size()) - 1);
        dialogo.setLabelText(texto + QStringLiteral("\n") + pasos.value(paso));
        // A step that cannot count its rows shows the dialog busy.
        dialogo.setMaximum(progreso.total.load() > 0 ? progreso.total.load() : 0);
        dialogo.setValue(std::min(progreso.hecho.load(), std::max(0, dialogo.maximum() - 1)));
        if (dialogo.wasCanceled()) {
            progreso.cancelar = true;
        }
    });
    reloj.start(25);
    bucle.exec();
    hilo.join();
    return resultado;
}
