#pragma once
// The texts of a decision map's nodes, made from one tree list record: one
// line of statistics for a numeric target, a class distribution for a
// character target, and the one-line tip text. Numbers are written in the C
// locale's notation whatever the process locale.
#include <string>
#include <utility>
#include <vector>

namespace orlix::display {

// Rule, " N: ", N, " Mean: ", mean, " SD: ", sd, " Min: ", min, " Max: ", max,
// with mean and sd rounded to 4 decimals; the texts are used as given.
std::string numericNodeText(const std::string& rule, const std::string& n, double mean, double sd,
                            const std::string& min, const std::string& max);

struct ClassCount {
  std::string name;  // the count field's name, "Val_" and all
  double count = 0;
};
// The rule line, "Distribution:" and a line per class (the name from its
// fifth character, ":", tab, count, tab, share of N as "Percent"); every
// line ends with CR LF.
std::string characterNodeText(const std::string& rule, const std::string& n, double nValue,
                              const std::vector<ClassCount>& counts);

// The text with every CR LF pair and every tab made one blank.
std::string tipText(const std::string& text);

// `value` rounded to `decimals` places, without trailing zeros ("12.3457", "2700").
std::string roundedText(double value, int decimals);
// The "Percent" format: ratio × 100 with two decimals and "%" ("42.69%").
std::string percentText(double ratio);
// A statistic stored in single precision as its shortest text ("32.1", not
// "32.0999984741211"); other doubles with 15 significant digits.
std::string statisticText(double value);

}  // namespace orlix::display
