// The text of a schedule file: its encoding, and names compared as a person reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace schedule {

// Checks UTF-8 a block at a time, so that a large file is read once without being kept:
// a sequence may be split between two blocks.
class ValidadorUtf8 {
public:
    // False from the first byte that cannot be UTF-8 on.
    bool Agregar(std::string_view bloque);
    // Whether everything given was UTF-8, with no sequence left unfinished.
    bool Terminar() const { return valido_ && pendientes_ == 0; }

private:
    bool valido_ = true;
    int pendientes_ = 0;  // continuation bytes still expected
    unsigned minimo_ = 0; // the least code point the sequence may encode
    unsigned codigo_ = 0; // the code point being gathered
};

// The UTF-8 text of bytes in Windows-1252, which Spanish-language spreadsheets save as
// "CSV". The five bytes the code page leaves unassigned keep their C1 control code.
std::string DesdeWindows1252(std::string_view bytes);

// A cell's text quoted in a message, «as written»; a "|" would read as the separator of a
// row's remarks, and is written as "/".
std::string Comillas(std::string_view texto);

// The text without the blanks and tabs around it.
std::string_view SinBlancos(std::string_view texto);

// UTF-8 text in Windows-1252, to write a file back in the code page it came in; none when
// a character has no place in it.
std::optional<std::string> HaciaWindows1252(std::string_view utf8);

// The same for the program's own words, which a file in the code page must hold: an arrow
// is "->", "≥" and "≤" are ">=" and "<=", and any other character the page lacks is "?".
std::string HaciaWindows1252Parecido(std::string_view utf8);

// A name or a choice as compared: lower case, without accents, spaces or underscores, so
// that "Regulación Máx", "regulacion_max" and "REGULACION MAX" are one name.
std::string Normalizar(std::string_view utf8);

// A header without the sign or word of a number before or after its name, as Spanish
// schedules head their circuits: "No. Circuito", "N° Circuito", "Circuito No." and "Núm.
// circuito" are "Circuito". A header that is only such a word stays as it is.
std::string_view SinNumeral(std::string_view encabezado);

// A column's header as a person writes it: units in brackets or parentheses, dots and
// joining words ("de", "en"...) do not matter, and a word cut short with a dot stands for
// any word it begins: "Long. (m)" is "longitud", "F. de P." is "factor de potencia".
bool MismoNombre(std::string_view encabezado, std::string_view nombre);

} // namespace schedule
