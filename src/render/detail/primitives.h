#pragma once
// Numeric helpers the rendering shares, and the graph symbols.

#include "document/fieldtext.h" // FloorToMultiple

#include <string>
#include <string_view>

namespace qc {

// b1 + (v - a1) / (a2 - a1) x (b2 - b1); 0 when |a2 - a1| < 1e-6.
double Interpolate(double v, double a1, double a2, double b1, double b2);

// The digit of n at place m, times m: FloorToMultiple(n, m) - FloorToMultiple(n, 10 m).
double DigitPart(double n, double m);

// A negative angle is taken + 360; the fraction of a / 360 times 2 x 3.14159 (the log's own pi).
double DegreesToRadians(double degrees);

// The graph symbols "●○×▲△■□", numbered 1 to 7, as UTF-8 and as CP932.
inline constexpr const char* kGraphSymbolsUtf8 = "●○×▲△■□";
const std::string& graphSymbols();
// Position (1 to 7) of a symbol text in the symbol string, counted in characters;
// 0 when the text is empty or not found.
int graphSymbolNumber(std::string_view symbol);

} // namespace qc
