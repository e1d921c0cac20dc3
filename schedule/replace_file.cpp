#include "schedule/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace schedule {

ArchivoTemporal::ArchivoTemporal(std::filesystem::path destino) : destino_(std::move(destino)) {
    const std::filesystem::path carpeta =
        destino_.has_parent_path() ? destino_.parent_path() : std::filesystem::path(".");
    std::string plantilla = (carpeta / ("." + destino_.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(plantilla.data());
    if (fd >= 0) {
        const mode_t mascara = umask(0);
        umask(mascara);
        fchmod(fd, 0666 & ~mascara);
        close(fd);
        ruta_ = plantilla;
    }
}

ArchivoTemporal::~ArchivoTemporal() {
    if (!ruta_.empty()) {
        std::error_code ignorado;
        std::filesystem::remove(ruta_, ignorado);
    }
}

bool ArchivoTemporal::Confirmar() {
    std::error_code error;
    std::filesystem::rename(ruta_, destino_, error);
    if (!error) {
        ruta_.clear();
    }
    return !error;
}

} // namespace schedule
