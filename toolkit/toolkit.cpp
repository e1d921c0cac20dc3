#include "toolkit/toolkit.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

namespace toolkit {

int MostrarVentanaPrincipal(QWidget& ventana) {
    ventana.show();
    return QApplication::exec();
}

namespace {

// Without a window manager, or with one that does not do it, nothing gives the activation
// back to the window the modal box covered.
void Reactivar(QWidget* ventana) {
    if (ventana != nullptr && ventana->isVisible()) {
        ventana->activateWindow();
    }
}

} // namespace

void MostrarModal(QDialog& dialogo, QWidget* debajo) {
    dialogo.exec();
    Reactivar(debajo);
}

void TerminarPrograma() {
    QCoreApplication::exit(0);
}

QString CarpetaPrograma() {
    return QCoreApplication::applicationDirPath();
}

void MostrarAviso(QWidget* padre, const QString& texto) {
    QMessageBox caja(QMessageBox::Warning, QStringLiteral("Calculador de Caída de Voltaje"), texto,
                     QMessageBox::Ok, padre);
    caja.exec();
    Reactivar(padre);
}

QRect EnPixeles(int izquierda, int arriba, int ancho, int alto) {
    constexpr int t = TwipsPorPixel;
    return {izquierda / t, arriba / t, ancho / t, alto / t};
}

QRect EnPixeles(std::span<const Posicion> posiciones, QStringView control) {
    for (const Posicion& p : posiciones) {
        if (control == QStringView(p.control)) {
            return EnPixeles(p.izquierda, p.arriba, p.ancho, p.alto);
        }
    }
    Q_ASSERT_X(false, "toolkit::EnPixeles", "a control missing from its layout table");
    return {};
}

QLabel* Etiqueta(const QString& nombre, const QString& texto, QWidget* contenedor) {
    auto* l = new QLabel(texto, contenedor);
    l->setObjectName(nombre);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

void DesconectarHijos(QWidget& ventana) {
    for (QObject* hijo : ventana.findChildren<QObject*>()) {
        QObject::disconnect(hijo, nullptr, &ventana, nullptr);
    }
}

void Centrar(QWidget& ventana) {
    const QScreen* pantalla = ventana.screen();
    if (pantalla == nullptr) {
        return;
    }
    ventana.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, ventana.size(),
                                            pantalla->availableGeometry()));
}

} // namespace toolkit
