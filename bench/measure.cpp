// Runs programs in turn, round after round, and prints for each its wall time from start
// to exit and its peak resident memory (minimum, median and maximum over the rounds), and
// the ratio of the first program's median to each other's.
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

Corrida Ejecutar(char* programa) {
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t hijo = fork();
    if (hijo == 0) {
        char* argumentos[] = {programa, nullptr};
        execv(programa, argumentos);
        _exit(127);
    }
    int estado = 0;
    rusage uso{};
    wait4(hijo, &estado, 0, &uso);
    const auto fin = std::chrono::steady_clock::now();
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        std::fprintf(stderr, "%s terminó mal\n", programa);
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

void Razones(const std::vector<std::vector<double>>& v, char* nombres[], double meta) {
    for (std::size_t j = 1; j < v.size(); ++j) {
        std::printf("  razón %s / %s: %.2f (meta: %.2f)\n", nombres[0], nombres[j],
                    Mediana(v[0]) / Mediana(v[j]), meta);
    }
}

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "uso: %s rondas programa referencia...\n", argv[0]);
        return 2;
    }
    const int rondas = std::atoi(argv[1]);
    char** programas = argv + 2;
    const auto n = static_cast<std::size_t>(argc - 2);
    std::vector<std::vector<double>> tiempo(n), memoria(n);
    for (std::size_t j = 0; j < n; ++j) {
        Ejecutar(programas[j]); // warm the file cache before measuring
    }
    for (int i = 0; i < rondas; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const Corrida c = Ejecutar(programas[j]);
            tiempo[j].push_back(c.milisegundos);
            memoria[j].push_back(c.megabytes);
        }
    }
    std::printf("inicio hasta el primer pintado (%d rondas alternadas)\n", rondas);
    for (std::size_t j = 0; j < n; ++j) {
        Imprimir(programas[j], tiempo[j], "ms");
    }
    Razones(tiempo, programas, 1.25);
    std::printf("memoria residente máxima tras el inicio\n");
    for (std::size_t j = 0; j < n; ++j) {
        Imprimir(programas[j], memoria[j], "MiB");
    }
    Razones(memoria, programas, 1.2);
    return 0;
}
