#include "engine/numeric_text.h"
#include "tests/support/window_test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

using prueba::Control;
using prueba::Lineas;

namespace {

const char* const Campos[] = {"Text1", "Text2", "Text3", "Text5", "Text6"};
const char* const Clicables[] = {"Option1_0", "Option1_1", "Option2_0", "Option2_1", "Option3_0",
                                 "Option3_1", "List1",     "Combo1",    "Command1",  "Text1",
                                 "Text2",     "Text3",     "Text5",     "Text6",     "Picture1",
                                 "List2",     "Label10",   "Label11",   "ducto",     "Frame4"};
const char* const Pegados[] = {"-30",  " 12 5", "2.5 A", "letras", "1E300",
                               "85",   "0",     "",      "1.2.3",  "12345678901234567",
                               "&H1F", "\t7\n"};

// A field's text is either what typing can produce (digits and points) or the clean
// number text its rewrite leaves.
bool TextoAdmisible(const QString& texto) {
    for (const QChar c : texto) {
        if (!c.isDigit() && c != QLatin1Char('.')) {
            const std::string t = texto.toStdString();
            return engine::TextoNumerico(engine::ValorNumerico(t)) == t;
        }
    }
    return true;
}

} // namespace

// A seeded stream of random user events; after each one the window must be consistent.
// EVENTOS and SEMILLA in the environment change the length and the stream.
class RandomUseTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private:
    QRandomGenerator azar;
    QSet<QLineEdit*> sucios;  // typed or pasted into, not yet left
    QSet<QLineEdit*> ocultos; // of those, the ones hidden by the program, not by leaving

    // While the window is being given back the activation, keys go to the window itself.
    QWidget* enfocado() {
        QWidget* w = QApplication::focusWidget();
        return w != nullptr ? w : form.get();
    }

    void teclaLatin1() {
        QWidget* destino = enfocado();
        const auto codigo = static_cast<char16_t>(azar.bounded(256));
        const bool control = azar.bounded(6) == 0;
        int tecla = Qt::Key_unknown;
        QString texto(QChar{codigo});
        Qt::KeyboardModifiers mods = Qt::NoModifier;
        if (control) {
            tecla = Qt::Key_A + azar.bounded(26);
            texto = QString(QChar(char16_t(tecla - Qt::Key_A + 1)));
            mods = Qt::ControlModifier;
        } else if (codigo >= 0x20 && codigo < 0x7f) {
            tecla = QChar(codigo).toUpper().unicode();
        }
        QTest::sendKeyEvent(QTest::KeyAction::Click, destino, Qt::Key(tecla), texto, mods);
        marcarSucio(destino);
    }

    void marcarSucio(QWidget* destino) {
        if (auto* campo = qobject_cast<QLineEdit*>(destino); campo && form->isAncestorOf(campo)) {
            sucios.insert(campo);
        }
    }

    void clicEnAlguno() {
        QWidget* control = Control(form.get(), Clicables[azar.bounded(int(std::size(Clicables)))]);
        if (!control->isVisible()) {
            return;
        }
        const QPoint punto(azar.bounded(qMax(1, control->width())),
                           azar.bounded(qMax(1, control->height())));
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, punto);
        // The size list opens a popup: pick an entry from it with the keyboard.
        if (QWidget* emergente = QApplication::activePopupWidget()) {
            for (int i = azar.bounded(4); i > 0; --i) {
                QTest::keyClick(emergente, azar.bounded(2) ? Qt::Key_Down : Qt::Key_Up);
            }
            QTest::keyClick(emergente, azar.bounded(3) ? Qt::Key_Return : Qt::Key_Escape);
        }
    }

    void pegar() {
        auto* campo = qobject_cast<QLineEdit*>(enfocado());
        if (campo == nullptr || !form->isAncestorOf(campo)) {
            return;
        }
        campo->insert(QString::fromUtf8(Pegados[azar.bounded(int(std::size(Pegados)))]));
        sucios.insert(campo);
    }

    void unPaso() {
        switch (azar.bounded(12)) {
        case 0:
        case 1:
        case 2:
            teclaLatin1();
            break;
        case 3:
            QTest::keyClick(enfocado(), Qt::Key_Tab);
            break;
        case 4:
            QTest::keyClick(enfocado(), Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case 5:
        case 6:
            clicEnAlguno();
            break;
        case 7:
            clicEn(azar.bounded(2) ? "Option2_0" : "Option2_1");
            break;
        case 8:
            QTest::keyClick(form.get(), Qt::Key_R, Qt::AltModifier);
            break;
        case 9:
            pegar();
            break;
        case 10:
            switch (azar.bounded(8)) {
            case 0:
                form->findChild<QAction*>(QStringLiteral("Informacion"))->trigger();
                break;
            case 1:
                form->findChild<QAction*>(QStringLiteral("Nuevo"))->trigger();
                break;
            default:
                clicEn("Command1");
            }
            break;
        default: {
            const Qt::Key teclas[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                      Qt::Key_Home,      Qt::Key_End,    Qt::Key_Space};
            QTest::keyClick(enfocado(), teclas[azar.bounded(int(std::size(teclas)))]);
            marcarSucio(enfocado());
        }
        }
        QTest::qWait(0); // let a pending animated click land within its own step
    }

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    void random_use_keeps_the_window_consistent() {
        const int eventos =
            qEnvironmentVariableIsSet("EVENTOS") ? qEnvironmentVariableIntValue("EVENTOS") : 2000;
        const quint32 semilla = qEnvironmentVariableIsSet("SEMILLA")
                                    ? quint32(qEnvironmentVariableIntValue("SEMILLA"))
                                    : 20261207u;
        azar.seed(semilla);
        prueba::Avisos cajas; // the messages and the information box a step opens
        int comparados = 0;
        for (int paso = 0; paso < eventos; ++paso) {
            unPaso();
            const QString donde = QStringLiteral("semilla %1, paso %2").arg(semilla).arg(paso);
            // A field that has lost the focus has been rewritten (and recalculated), unless
            // the program hid its panel under the focus: then it stays as it was until the
            // user comes back to it and leaves it.
            for (QLineEdit* campo : std::as_const(sucios)) {
                if (!campo->isVisible()) {
                    ocultos.insert(campo);
                } else if (campo == enfocado()) {
                    ocultos.remove(campo);
                }
            }
            // The window's own focus widget, not the application's: a box that has just
            // closed gives the activation back later on a slow machine, and losing the
            // activation is not leaving the field.
            for (auto it = sucios.begin(); it != sucios.end();) {
                const bool dejado =
                    *it != form->focusWidget() && (*it)->isVisible() && !ocultos.contains(*it);
                it = dejado ? sucios.erase(it) : std::next(it);
            }
            QVERIFY2(Control(form.get(), "Frame5")->isVisible() !=
                         Control(form.get(), "Frame6")->isVisible(),
                     qPrintable(donde));
            for (const char* nombre : Campos) {
                auto* campo = Control<QLineEdit>(form.get(), nombre);
                QVERIFY2(sucios.contains(campo) || TextoAdmisible(campo->text()),
                         qPrintable(donde + ": " + nombre + " = " + campo->text()));
            }
            if (form->calculado() != 1) {
                QVERIFY2(List2->count() == 0, qPrintable(donde));
            } else if (sucios.isEmpty()) {
                QVERIFY2(Lineas(List2) == prueba::LineasDelMotor(*form), qPrintable(donde));
                ++comparados;
            }
        }
        qInfo("%d eventos, %d reportes comparados, %d mensajes", eventos, comparados,
              int(cajas.textos.size()));
    }
};

QTEST_MAIN(RandomUseTest)
#include "random_use_test.moc"
