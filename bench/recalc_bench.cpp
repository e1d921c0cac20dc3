// The time from an input change to the new report in the list, with the table file read
// anew each time: 1,000 focus losses of a field and 1,000 choice changes, on the offscreen
// platform; and the resident memory after the 100th and the 1,000th recalculation.
#include "main_window/form1.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

namespace {

double ResidenteMiB() {
    long paginas = 0;
    long residentes = 0;
    std::ifstream("/proc/self/statm") >> paginas >> residentes;
    return static_cast<double>(residentes) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

// Times `cambio` over `veces` runs, in microseconds, calling `despues` after each run.
std::vector<double> Medir(int veces, const std::function<void(int)>& cambio,
                          const std::function<void(int)>& despues) {
    std::vector<double> tiempos;
    for (int i = 0; i < veces; ++i) {
        const auto inicio = std::chrono::steady_clock::now();
        cambio(i);
        tiempos.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - inicio)
                .count());
        despues(i);
    }
    return tiempos;
}

void Imprimir(const char* nombre, std::vector<double> t) {
    std::sort(t.begin(), t.end());
    std::printf("  %-34s min %7.1f  mediana %7.1f  p99 %7.1f  max %7.1f us\n", nombre, t.front(),
                t[t.size() / 2], t[t.size() * 99 / 100], t.back());
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    Form1 ventana(toolkit::CarpetaPrograma());
    ventana.show();
    if (!QTest::qWaitForWindowExposed(&ventana)) {
        return 1;
    }
    auto* Text2 = ventana.findChild<QLineEdit*>(QStringLiteral("Text2"));
    auto* List2 = ventana.findChild<QListWidget*>(QStringLiteral("List2"));
    QRadioButton* sistema[] = {ventana.findChild<QRadioButton*>(QStringLiteral("Option1_0")),
                               ventana.findChild<QRadioButton*>(QStringLiteral("Option1_1"))};
    QTest::mouseClick(ventana.findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);

    double residente100 = 0;
    double residente1000 = 0;
    QString anterior;
    const auto campo = Medir(
        1000,
        [&](int i) {
            QTest::keyClick(Text2, Qt::Key_Tab); // leaving the field recalculates
            if (i == 99) {
                residente100 = ResidenteMiB();
            }
        },
        [&](int i) {
            if (List2->item(6)->text() == anterior) {
                std::fprintf(stderr, "el reporte no cambió\n");
                std::exit(1);
            }
            anterior = List2->item(6)->text();
            Text2->setFocus();
            Text2->setText(QString::number(30 + (i + 1) % 2));
        });
    residente1000 = ResidenteMiB();
    const auto eleccion = Medir(
        1000, [&](int i) { QTest::mouseClick(sistema[(i + 1) % 2], Qt::LeftButton); }, [](int) {});

    std::printf("recálculo (1000 cambios cada uno, tabla leída cada vez; meta: mediana bajo "
                "1 000 us)\n");
    Imprimir("al dejar un campo", campo);
    Imprimir("al cambiar una elección", eleccion);
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("memoria residente: tras 100 recálculos %.2f MiB, tras 1000 %.2f MiB "
                "(crecimiento %.2f MiB), máxima %.2f MiB\n",
                residente100, residente1000, residente1000 - residente100, uso.ru_maxrss / 1024.0);
    return 0;
}
