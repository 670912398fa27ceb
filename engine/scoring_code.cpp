#include "engine/scoring_code.h"

#include <charconv>


namespace orlix::engine {

namespace {

// A float as the standard stream prints it by default ("%g", six significant
// digits), in the C locale.
std::string streamDefault(float value) {
  std::array<char, 64> buffer;
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                 static_cast<double>(value), std::chars_format::general, 6);
  return ec == std::errc() ? std::string(buffer.data(), end) : std::string("?");
}

void appendBanner(std::string& text, MapKind kind, std::size_t variableCount, const std::tm& now) {
  const std::string stars = "/" + std::string(78, '*') + "\n";
  text += stars;
  text += kind == MapKind::Regression ? "/ Scoring Code for Regression Map\n"
                                      : "/ Scoring Code for Category Map\n";
  text += "/ Predictors: " + std::to_string(static_cast<long>(variableCount) - 1) + "\n";
  text += "/\n";
  text += "/ Coded by Wendmoor Project Manager on " + dateTimeText(now) + "\n";
  text += "/ " + noticeText(now) + "\n";
  text += stars + "\n";
}

// Smallest decile whose cut point the value does not exceed, 9 above them
// all: the conversion the engine applied to the table.
void appendDecileBlock(std::string& text, const ScoringVariable& variable) {
  const std::string stars = "/" + std::string(69, '*');
  text += stars + "\n/ Decile conversion\n" + stars + "/\n";
  const std::string& x = variable.name;
  text += "IF " + x + " <= " + streamDefault(variable.cuts[0]) + " THEN " + x + " = 0;\n";
  for (int d = 1; d <= 8; ++d)
    text += "ELSE IF " + x + " <= " + streamDefault(variable.cuts[d]) + " THEN " + x + " = " +
            std::to_string(d) + ";\n";
  text += "ELSE IF  1 THEN " + x + " = 9;\n\n";
}

}  // namespace

GeneratedText makeScoringCode(const ScoringCodeInput& input, const LocalClock& clock) {
  GeneratedText result;
  appendBanner(result.text, input.kind, input.variables.size(), clock());
  for (const ScoringVariable& variable : input.variables)
    if (variable.decile) appendDecileBlock(result.text, variable);

  // The last ELSE IF becomes a catch-all: -999 for a row that no segment takes.
  std::string opening = "IF ";
  appendSegments(result, input.nodeFileName, NodeLineKind::NameAndRule, 0, "SEGMENT = 0\n",
                 [&](std::size_t number, const NodeLine&, const std::string& rule) {
                   result.text += opening + rule + "THEN SEGMENT = " +
                                  std::to_string(number) + ";\n\n";
                   opening = "ELSE IF ";
                 });
  if (result.status == 0) result.text += opening + " 1 \nTHEN SEGMENT = -999;\n";
  return result;
}

}  // namespace orlix::engine
