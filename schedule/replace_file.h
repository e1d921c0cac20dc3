// Replacing a file whole: written beside itself under another name, then renamed, so that
// a failed write never leaves a half-written file nor changes the one there was.
#pragma once

#include <filesystem>

namespace schedule {

class ArchivoTemporal {
public:
    // Creates an empty, private file in the folder of `destino`.
    explicit ArchivoTemporal(std::filesystem::path destino);
    // Removes the file, unless it has become the destination.
    ~ArchivoTemporal();
    ArchivoTemporal(const ArchivoTemporal&) = delete;
    ArchivoTemporal& operator=(const ArchivoTemporal&) = delete;

    bool creado() const { return !ruta_.empty(); }
    const std::filesystem::path& ruta() const { return ruta_; }
    // Puts the file on the disk and renames it over the destination, with the permissions a
    // new file would have.
    bool Confirmar();

private:
    std::filesystem::path destino_;
    std::filesystem::path ruta_;
};

} // namespace schedule
