#include "information_window/form2.h"

#include "main_window/fonts.h"
#include "main_window/toolkit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

Form2::Form2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Información"));
    setFont(toolkit::Letra(8.25));
    createLabels();
    createButton();
    resize(toolkit::EnPixeles(0, 0, 5460, 3420).size());
    toolkit::Centrar(*this);
}

void Form2::createLabels() {
    const auto etiqueta = [this](const QString& nombre, const QString& texto, const QRect& lugar,
                                 const QFont& letra) {
        QLabel* l = toolkit::Etiqueta(nombre, texto, this);
        l->setFont(letra);
        l->setGeometry(lugar);
    };
    etiqueta(QStringLiteral("Label1"),
             QStringLiteral("Este Software es gratuito , como cortesia por su interés mostrado "
                            "en los \"Voltimar\". cualquier duda o sugerencia aboquese con el "
                            "autor de estos programas. "),
             toolkit::EnPixeles(720, 360, 4095, 975), toolkit::Letra(8.25, true));
    etiqueta(QStringLiteral("Label2"),
             QStringLiteral("Equipo del Calculador Caídas de Voltaje  Tels. 555-0142 y 555-0187"),
             toolkit::EnPixeles(720, 1440, 4095, 975), toolkit::Letra(12, true));
}

void Form2::createButton() {
    auto* Command1 = new QPushButton(QStringLiteral("Aceptar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(toolkit::EnPixeles(2160, 2880, 1215, 375));
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
