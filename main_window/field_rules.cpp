#include "main_window/field_rules.h"

#include <QKeyEvent>

namespace {

// The control codes the keys type in an 8-bit character set.
constexpr std::int16_t Retroceso = 8;
constexpr std::int16_t RetornoDeCarro = 13;
constexpr std::int16_t Escape = 27;

} // namespace

std::int16_t ValidarTecla(std::int16_t codigo) {
    const bool digito = codigo >= '0' && codigo <= '9';
    return digito || codigo == '.' || codigo == Retroceso ? codigo : 0;
}

std::int16_t ComaDecimal(std::int16_t codigo, bool comaEsDecimal) {
    return comaEsDecimal && codigo == ',' ? std::int16_t('.') : codigo;
}

std::int16_t CodigoDeCaracter(QChar caracter) {
    const char16_t codigo = caracter.unicode();
    return static_cast<std::int16_t>(codigo <= 0xFF ? codigo : 0x100);
}

std::optional<std::int16_t> CodigoDeTecla(const QKeyEvent& tecla) {
    switch (tecla.key()) {
    case Qt::Key_Backspace:
        return Retroceso;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return RetornoDeCarro;
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = tecla.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && tecla.key() >= Qt::Key_A &&
        tecla.key() <= Qt::Key_Z) {
        return static_cast<std::int16_t>(tecla.key() - Qt::Key_A + 1);
    }
    const QString texto = tecla.text();
    if (texto.isEmpty() || !texto.at(0).isPrint()) {
        return std::nullopt;
    }
    // A key that types several characters at once is judged by the first one refused.
    for (const QChar c : texto) {
        if (ValidarTecla(CodigoDeCaracter(c)) == 0) {
            return CodigoDeCaracter(c);
        }
    }
    return CodigoDeCaracter(texto.at(0));
}
