// Rendering a number through a fixed display pattern such as "#,##0.00#".
#pragma once

#include <string>
#include <string_view>

namespace engine {

// The user's regional separators, as UTF-8 text (a narrow no-break space is three bytes).
// An empty thousands separator means no grouping.
struct Separadores {
    std::string decimal = ".";
    std::string miles = ",";
};

// A plain decimal text ("12.5") with the decimal separator of `sep`.
std::string ConSeparador(std::string texto, const Separadores& sep);

// Renders `valor` through `patron`: an integer part of "#" and "0" (a "," among them asks
// for grouping by threes), ".", the decimals that always show ("0") and those that show
// unless they are trailing zeros ("#"), then literal text copied as is. The value is
// rounded half away from zero, judged on its 15-significant-digit decimal form, so that
// 1.005 with two decimals gives 1.01. The "." and "," of the pattern stand for the given
// separators.
std::string FormatearConPatron(double valor, std::string_view patron, const Separadores& sep);

} // namespace engine
