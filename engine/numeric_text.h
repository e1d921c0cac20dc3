// Reading a field's text as a number, and writing a number back as text, with "." as the
// decimal point whatever the user's locale.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// The number formed by the text's leading characters: blanks, tabs and line feeds are
// skipped wherever they stand; then an optional sign, digits with at most one ".", and an
// optional exponent (E or D); "&H" and "&O" start a hexadecimal or octal whole number.
// Reading stops at the first character that cannot continue the number. A text that does
// not begin with a number, or whose number lies beyond the range of a double, gives 0.
double ValorNumerico(std::string_view texto);

// `valor` rounded to 15 significant digits, as the shortest decimal text of that rounding:
// "0.85", "12.5", "-3", "1E-05", and exponent form from 1E+15 on ("1.23456789012346E+16").
// ValorNumerico reads it back as the same 15-digit value. Next to the largest double, where
// rounding up would leave the range, the value is rounded down ("1.79769313486231E+308").
std::string TextoQuinceCifras(double valor);

// The text a numeric field shows once it has been left: "0" for zero, otherwise the
// magnitude of `valor` rounded to 15 significant digits, without sign.
std::string TextoNumerico(double valor);

} // namespace engine
