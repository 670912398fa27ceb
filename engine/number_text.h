// Number <-> text conversions the engine's observable texts are made of.
// All of them work in the C locale whatever the process locale is.
#pragma once

#include <string>
#include <string_view>

namespace orlix::engine {

// "%lf": six decimals (3.5 -> "3.500000").
std::string FormatFixed6(double value);
// "%.lf": no decimals, rounded (3.4 -> "3").
std::string FormatFixed0(double value);
// The standard stream default and "%g": up to six significant digits.
std::string FormatGeneral(double value);
// The standard number-to-text conversion used for comparison texts (3.0 -> "3",
// 3.4 -> "3.4"): up to 15 significant digits for doubles.
std::string FormatStandard(double value);
// Same for single-precision cells: up to 7 significant digits.
std::string FormatStandardFloat(float value);

// The longest numeric prefix of text as strtod reads it; 0 when there is none.
double ParseNumberPrefix(std::string_view text);

// The whole text as a number (blanks around it allowed). Returns false when the
// text is not a number or not finite; value is then untouched.
bool ParseWholeNumber(std::string_view text, double& value);

}  // namespace orlix::engine
