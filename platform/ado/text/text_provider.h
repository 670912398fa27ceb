// The text-file provider behind the text driver's connection string: each
// .txt/.csv file of a folder is a table, read by the CSV reader.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/provider.h"

namespace orlix::ado {

// `folder` is the DBQ (or DefaultDir) folder; throws DataError when missing.
std::unique_ptr<Provider> openTextProvider(const std::string& folder);

}  // namespace orlix::ado
