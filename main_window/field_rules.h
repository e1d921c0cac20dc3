// The rules of the five numeric fields: which typed characters they take.
#pragma once

#include <cstdint>
#include <optional>

class QChar;
class QKeyEvent;

// The typed character code if it may enter a numeric field (backspace 8, "." 46, the
// digits 48 to 57), 0 to discard the keystroke.
std::int16_t ValidarTecla(std::int16_t codigo);

// Where the user's locale writes the decimal comma, the "," key is that locale's decimal
// point: it enters the fields' "." (and then passes the rule of "."). Elsewhere "," only
// groups thousands, and the fields refuse it.
std::int16_t ComaDecimal(std::int16_t codigo, bool comaEsDecimal);

// The 8-bit code of a typed character: its Latin-1 code, or 256 for a character outside
// Latin-1, which no field takes.
std::int16_t CodigoDeCaracter(QChar caracter);

// The 8-bit character code a key press types, as a field's key handler sees it: control
// codes for backspace (8), Enter (13), Escape (27) and Ctrl+letter (1 to 26), the Latin-1
// code of a typed character, and 256 for a character outside Latin-1 (never allowed).
// Keys that type nothing (arrows, Home, Delete, Tab, function keys) give no code and keep
// their usual effect.
std::optional<std::int16_t> CodigoDeTecla(const QKeyEvent& tecla);
