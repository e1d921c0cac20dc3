#include "information_window/form2.h"

#include "information_window/form2_layout.h"
#include "toolkit/fonts.h"
#include "toolkit/toolkit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

Form2::Form2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Información"));
    setFont(toolkit::Letra(toolkit::PuntosNormales));
    createLabels();
    createButton();
    resize(toolkit::EnPixeles(0, 0, form2_layout::AnchoVentana, form2_layout::AltoVentana).size());
    toolkit::Centrar(*this);
}

void Form2::createLabels() {
    const auto etiqueta = [this](const QString& nombre, const QString& texto, const QFont& letra) {
        QLabel* l = toolkit::Etiqueta(nombre, texto, this);
        l->setFont(letra);
        l->setGeometry(form2_layout::EnPixeles(nombre));
    };
    etiqueta(QStringLiteral("Label1"),
             QStringLiteral("Este Software es gratuito , como cortesia por su interés mostrado "
                            "en los \"Voltimar\". cualquier duda o sugerencia aboquese con el "
                            "autor de estos programas. "),
             toolkit::Letra(toolkit::PuntosNormales, true));
    etiqueta(QStringLiteral("Label2"),
             QStringLiteral("Equipo del Calculador Caídas de Voltaje  Tels. 555-0142 y 555-0187"),
             toolkit::Letra(12, true));
}

void Form2::createButton() {
    auto* Command1 = new QPushButton(QStringLiteral("Aceptar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(form2_layout::EnPixeles(Command1->objectName()));
    Command1->setDefault(false);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        evento->ignore();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void Form2::Command1_Click() {
    accept();
}
