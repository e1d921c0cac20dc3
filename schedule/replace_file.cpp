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
    // The new contents reach the disk before they take the name: a power cut then leaves
    // the old file or the new one, never a new name over half a file.
    const int fd = open(ruta_.c_str(), O_RDONLY);
    const bool escrito = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0) {
        close(fd);
    }
    std::error_code error;
    if (escrito) {
        std::filesystem::rename(ruta_, destino_, error);
    }
    if (!escrito || error) {
        return false;
    }
    ruta_.clear();
    return true;
}

} // namespace schedule
