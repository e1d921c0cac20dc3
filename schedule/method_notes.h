// The method and its assumptions in words, for the notes that go with the results, the
// record's method page and the command's help, each fact written from the table that
// holds it.
#pragma once

#include "engine/code_editions.h"

#include <string>
#include <vector>

namespace schedule {

// The method, one paragraph a line, the clauses cited in the numbering of `norma`.
std::vector<std::string> NotasDelMetodo(engine::Norma norma);

// Chapter 9 Table 1 in words, the largest count first: "40 % con más de dos conductores, 31 %
// con dos y 53 % con uno".
std::string TextoRellenos();

// "terminales de 75 °C; ubicación mojada; aislamiento THW": what an empty cell assumes.
std::string SupuestosPorOmision();

} // namespace schedule
