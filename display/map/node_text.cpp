#include "display/map/node_text.h"

#include <charconv>
#include <cmath>

#include <QString>

namespace orlix::display {
namespace {

std::string withoutTrailingZeros(std::string text) {
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

}  // namespace

std::string roundedText(double value, int decimals) {
  if (!std::isfinite(value)) return QString::number(value).toStdString();
  return withoutTrailingZeros(QString::number(value, 'f', decimals).toStdString());
}

std::string percentText(double ratio) {
  if (!std::isfinite(ratio)) return "n/a";
  std::string text = QString::number(ratio * 100, 'f', 2).toStdString();
  if (text == "-0.00") text = "0.00";
  return text + "%";
}

std::string statisticText(double value) {
  const float single = static_cast<float>(value);
  if (std::isfinite(value) && static_cast<double>(single) == value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, single);
    if (error == std::errc{}) return withoutTrailingZeros(std::string(buffer, end));
  }
  return QString::number(value, 'g', 15).toStdString();
}

std::string numericNodeText(const std::string& rule, const std::string& n, double mean, double sd,
                            const std::string& min, const std::string& max) {
  return rule + " N: " + n + " Mean: " + roundedText(mean, 4) + " SD: " + roundedText(sd, 4) + " Min: " + min +
         " Max: " + max;
}

std::string characterNodeText(const std::string& rule, const std::string& n, double nValue,
                              const std::vector<ClassCount>& counts) {
  std::string text = rule + " N: " + n + "\r\n" + "Distribution:\r\n";
  for (const ClassCount& c : counts) {
    const std::string name = c.name.size() > 4 ? c.name.substr(4) : std::string();
    // A node of no rows has no shares; "n/a" rather than a division by zero.
    const std::string share = nValue != 0 ? percentText(c.count / nValue) : "n/a";
    text += name + ":\t" + roundedText(c.count, 0) + "\t" + share + "\r\n";
  }
  return text;
}

std::string tipText(const std::string& text) {
  std::string tip;
  tip.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      tip += ' ';
      ++i;
    } else {
      tip += text[i] == '\t' ? ' ' : text[i];
    }
  }
  return tip;
}

}  // namespace orlix::display
