// Any bytes as a diagram file: either a clear refusal, or a diagram that
// restores into the model and writes back to a file that reads the same.
#include <cstdint>
#include <cstdlib>

#include "platform/graphon/diagram_state.h"
#include "platform/graphon/view/diagram_file.h"
#include "platform/graphon/view/diagram_file_error.h"

using namespace orlix::graphon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  view::DiagramFile file;
  try {
    file = view::parseDiagramFile(bytes, QStringLiteral("fuzz.afl"));
  } catch (const view::DiagramFileError&) {
    return 0;
  }
  Diagram diagram;
  restoreState(diagram, file.diagram);
  if (!(captureState(diagram) == file.diagram)) std::abort();
  if (!(view::parseDiagramFile(view::diagramFileBytes(file), QStringLiteral("again.afl")) == file)) std::abort();
  return 0;
}
