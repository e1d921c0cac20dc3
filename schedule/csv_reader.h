// Reading a schedule saved by a spreadsheet as CSV, one record at a time.
#pragma once

#include <deque>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct csv_parser;

namespace schedule {

// A CSV file whose encoding and delimiter have been recognised: UTF-8 (a byte-order mark
// is skipped) or, when the bytes are not UTF-8, Windows-1252; the delimiter is the one of
// ";", tab and "," the header row uses most outside quotes. Records come out in UTF-8.
class LectorCsv {
public:
    // Reads `entrada` once to recognise it, then from its start again. Fails, with a
    // message, when the stream cannot be read.
    static std::variant<std::unique_ptr<LectorCsv>, std::string> Abrir(std::istream& entrada);
    ~LectorCsv();
    LectorCsv(const LectorCsv&) = delete;
    LectorCsv& operator=(const LectorCsv&) = delete;

    char delimitador() const { return delimitador_; }
    bool windows1252() const { return windows1252_; }
    // How the file ends its lines, whether it starts with a byte-order mark and whether its
    // last line ends too: what writing it back the same way takes.
    const std::string& finDeLinea() const { return finDeLinea_; }
    bool bom() const { return bom_; }
    bool saltoFinal() const { return saltoFinal_; }

    // The next record's cells; false at the end of the file or at a fault, which error()
    // then tells.
    bool Siguiente(std::vector<std::string>& celdas);
    // The number of the record last returned, the header being 1.
    long fila() const { return fila_; }
    // Why reading stopped before the end, naming the line.
    const std::optional<std::string>& error() const { return error_; }

private:
    LectorCsv(std::istream& entrada, char delimitador, bool windows1252);
    bool Alimentar();

    std::istream& entrada_;
    char delimitador_;
    bool windows1252_;
    std::string finDeLinea_ = "\r\n";
    bool bom_ = false;
    bool saltoFinal_ = true;
    std::unique_ptr<csv_parser> parser_;
    bool inicio_ = true;
    bool fin_ = false;
    long linea_ = 1; // line of the bytes read so far, for a fault
    long fila_ = 0;
    std::vector<std::string> actual_;
    std::deque<std::vector<std::string>> listos_;
    std::optional<std::string> error_;
};

} // namespace schedule
