#include "tests/support/window_test_support.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QtTest>

#include <functional>

namespace {

// Every accessible object below `raiz`, as a screen reader would walk them.
void Recorrer(QAccessibleInterface* raiz,
              const std::function<void(QAccessibleInterface*)>& visitar) {
    visitar(raiz);
    for (int i = 0; i < raiz->childCount(); ++i) {
        if (QAccessibleInterface* hijo = raiz->child(i)) {
            Recorrer(hijo, visitar);
        }
    }
}

} // namespace

class AccessibilityTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    // Every input, list and button is announced by a Spanish name with its role: its own
    // name, or the label it is labelled by.
    void inputs_lists_and_buttons_have_spanish_names() {
        QMultiHash<QString, QAccessible::Role> nombres;
        Recorrer(QAccessible::queryAccessibleInterface(form.get()), [&](QAccessibleInterface* i) {
            nombres.insert(i->text(QAccessible::Name), i->role());
            for (const auto& [etiqueta, relacion] : i->relations(QAccessible::Label)) {
                nombres.insert(etiqueta->text(QAccessible::Name), i->role());
            }
        });
        const QList<QPair<QString, QAccessible::Role>> esperados{
            {"Distancia", QAccessible::EditableText},
            {"Corriente", QAccessible::EditableText},
            {"Voltaje Inic.", QAccessible::EditableText},
            {"F. de Pot.", QAccessible::EditableText},
            {"Caida de V.", QAccessible::EditableText},
            {"Tipo de Ducto", QAccessible::List},
            {"Cal. Cond.", QAccessible::ComboBox},
            {"Resultado de los Cálculos", QAccessible::List},
            {"Resultado", QAccessible::Button},
            {"Trifásico", QAccessible::RadioButton},
            {"Monofásico", QAccessible::RadioButton},
            {"Caida de Volt.", QAccessible::RadioButton},
            {"Distancia", QAccessible::RadioButton},
            {"Cobre", QAccessible::RadioButton},
            {"Aluminio", QAccessible::RadioButton},
        };
        for (const auto& [nombre, papel] : esperados) {
            QVERIFY2(nombres.values(nombre).contains(papel), qPrintable(nombre));
        }
    }

    // The report's lines are exposed one by one, so that a screen reader reads them.
    void the_report_lines_are_exposed() {
        clicEn("Command1");
        QAccessibleInterface* informe = nullptr;
        Recorrer(QAccessible::queryAccessibleInterface(form.get()), [&](QAccessibleInterface* i) {
            if (i->text(QAccessible::Name) == QStringLiteral("Resultado de los Cálculos")) {
                informe = i;
            }
        });
        QVERIFY(informe != nullptr);
        QCOMPARE(informe->childCount(), prueba::LineasCaida);
        QStringList leidas;
        for (int i = 0; i < informe->childCount(); ++i) {
            leidas << informe->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(leidas, prueba::Lineas(List2));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
