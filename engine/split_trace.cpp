#include "engine/split_trace.h"

#include <fstream>

#include "engine/number_text.h"

namespace orlix::engine {

void WriteTraceBlock(std::ostream& out, const TraceBlock& b) {
  const std::string v = std::to_string(b.variable);
  const std::string t = FormatGeneral(b.threshold);
  const std::string leftRule = "\tRule: V[" + v + "] <= " + t;
  const std::string rightRule = "\tRule: V[" + v + "] >  " + t;
  // Counts through std::to_string: a stream would group their digits in some locales.
  out << "Tree nodes: " << std::to_string(b.splitCount) << std::endl;
  out << "Found partition within " << b.parentName << " ( N = " << std::to_string(b.parentN) << " )" << std::endl;
  out << "  Split Coordinate: " << "{ " << v << ", " << t << " }" << std::endl;
  out << "  RMS: " << FormatGeneral(b.score) << std::endl;
  out << "  Left Child: " << b.leftName << "\tN: " << std::to_string(b.leftN) << leftRule << std::endl;
  out << "  Left Child: " << b.leftName << "\tM: " << FormatGeneral(b.leftMean) << leftRule << std::endl;
  out << "  Left Child: " << b.leftName << "\tSD: " << FormatGeneral(b.leftSd) << leftRule << std::endl;
  out << "  Right Child: " << b.rightName << "\tN: " << std::to_string(b.rightN) << rightRule << std::endl;
  out << "  Right Child: " << b.rightName << "\tM: " << FormatGeneral(b.rightMean) << rightRule << std::endl;
  out << "  Right Child: " << b.rightName << "\tSD: " << FormatGeneral(b.rightSd) << rightRule << std::endl;
}

void AppendTraceBlock(const std::string& path, const TraceBlock& block) {
  std::ofstream out(path, std::ios::app);
  if (out) WriteTraceBlock(out, block);
}

}  // namespace orlix::engine
