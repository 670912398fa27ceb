// The files a test, benchmark or fuzz replay reads from the repository. A
// missing or unreadable file throws std::runtime_error naming it, so a test
// whose input is gone fails instead of running on nothing.
#pragma once

#include <filesystem>
#include <string>

namespace orlix::test {

// The path of `relative` below the repository's root ("samples/penguins.csv");
// throws when no such file or folder exists.
std::string repositoryFile(const std::string& relative);

// The path of `relative` below samples/ ("excel/types.xls"); throws when missing.
std::string sampleFile(const std::string& relative);

// Every byte of the file at `path`; throws when it is missing or cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace orlix::test
