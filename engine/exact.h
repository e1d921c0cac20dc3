// Exact arithmetic for the fault currents: each step of the point-to-point method is a
// ratio of decimals, and a chain of them down a tree of feeders outgrows any fixed width.
// Every quantity it handles (currents, lengths, impedances, factors) is positive.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A natural number of any size.
class Natural {
public:
    Natural() = default;
    Natural(std::uint64_t valor); // NOLINT: a number is a natural

    Natural operator+(const Natural& otro) const;
    Natural operator*(const Natural& otro) const;
    std::strong_ordering operator<=>(const Natural& otro) const;
    bool operator==(const Natural& otro) const = default;

    // The whole part of this / divisor, for a quotient below 2^63 (the caller's numbers
    // are currents in hundredths); none past it.
    std::optional<std::uint64_t> Cociente(const Natural& divisor) const;

private:
    std::vector<std::uint32_t> cifras_; // base 2^32, least significant first, no leading zero
};

// A positive rational number, kept unreduced: its digits are only ever compared and
// rounded, never shown whole.
class Racional {
public:
    Racional(std::uint64_t numerador = 0, std::uint64_t denominador = 1)
        : num_(numerador), den_(denominador) {}

    // A plain decimal text without sign, as a schedule keeps its numbers ("903", "7.5");
    // none for anything else.
    static std::optional<Racional> Leer(std::string_view texto);

    Racional operator+(const Racional& o) const;
    Racional operator*(const Racional& o) const;
    Racional operator/(const Racional& o) const;
    std::strong_ordering operator<=>(const Racional& o) const;
    bool operator==(const Racional& o) const { return (*this <=> o) == 0; }

    // Rounded half up to `decimales` places, as a plain decimal text: "17089.56".
    std::string Texto(int decimales) const;
    // The whole part rounded up: the smallest whole number not below the value.
    std::uint64_t Techo() const;

private:
    Racional(Natural num, Natural den) : num_(std::move(num)), den_(std::move(den)) {}
    Natural num_;
    Natural den_;
};

} // namespace engine
