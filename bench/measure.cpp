// Runs programs in turn, round after round, and prints for each its wall time from start
// to exit and its peak resident memory (minimum, median and maximum over the rounds), and
// the ratio of the first program's median to each other's beside its aim. A floor may
// carry its own aims: "programa:tiempo:memoria" (by default 1.25 and 1.2).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Corrida {
    double milisegundos;
    double megabytes;
};

Corrida Ejecutar(const std::string& ruta) {
    std::string programa = ruta;
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t hijo = fork();
    if (hijo == 0) {
        freopen("/dev/null", "w", stderr); // the platform's notes are not the measure
        char* argumentos[] = {programa.data(), nullptr};
        execv(programa.c_str(), argumentos);
        _exit(127);
    }
    int estado = 0;
    rusage uso{};
    wait4(hijo, &estado, 0, &uso);
    const auto fin = std::chrono::steady_clock::now();
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        std::fprintf(stderr, "%s terminó mal\n", programa.c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(fin - inicio).count(),
            uso.ru_maxrss / 1024.0};
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Imprimir(const char* nombre, const std::vector<double>& v, const char* unidad) {
    std::printf("  %-28s min %8.2f  mediana %8.2f  max %8.2f %s\n", nombre,
                *std::min_element(v.begin(), v.end()), Mediana(v),
                *std::max_element(v.begin(), v.end()), unidad);
}

} // namespace

struct Programa {
    std::string ruta;
    double metaTiempo = 1.25;
    double metaMemoria = 1.2;
};

Programa Leer(const char* argumento) {
    Programa p;
    const std::string texto(argumento);
    const auto dos = texto.find(':');
    p.ruta = texto.substr(0, dos);
    if (dos != std::string::npos) {
        p.metaTiempo = std::atof(texto.c_str() + dos + 1);
        const auto tres = texto.find(':', dos + 1);
        if (tres != std::string::npos) {
            p.metaMemoria = std::atof(texto.c_str() + tres + 1);
        }
    }
    return p;
}

void Razones(const std::vector<std::vector<double>>& v, const std::vector<Programa>& programas,
             double Programa::*meta) {
    for (std::size_t j = 1; j < v.size(); ++j) {
        std::printf("  razón %s / %s: %.2f (meta: %.2f)\n", programas[0].ruta.c_str(),
                    programas[j].ruta.c_str(), Mediana(v[0]) / Mediana(v[j]), programas[j].*meta);
    }
}

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "uso: %s rondas programa referencia[:tiempo:memoria]...\n", argv[0]);
        return 2;
    }
    const int rondas = std::atoi(argv[1]);
    std::vector<Programa> programas;
    for (int i = 2; i < argc; ++i) {
        programas.push_back(Leer(argv[i]));
    }
    const std::size_t n = programas.size();
    std::vector<std::vector<double>> tiempo(n), memoria(n);
    for (std::size_t j = 0; j < n; ++j) {
        Ejecutar(programas[j].ruta); // warm the file cache before measuring
    }
    for (int i = 0; i < rondas; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const Corrida c = Ejecutar(programas[j].ruta);
            tiempo[j].push_back(c.milisegundos);
            memoria[j].push_back(c.megabytes);
        }
    }
    std::printf("inicio hasta el primer pintado (%d rondas alternadas)\n", rondas);
    for (std::size_t j = 0; j < n; ++j) {
        Imprimir(programas[j].ruta.c_str(), tiempo[j], "ms");
    }
    Razones(tiempo, programas, &Programa::metaTiempo);
    std::printf("memoria residente máxima tras el inicio\n");
    for (std::size_t j = 0; j < n; ++j) {
        Imprimir(programas[j].ruta.c_str(), memoria[j], "MiB");
    }
    Razones(memoria, programas, &Programa::metaMemoria);
    return 0;
}
