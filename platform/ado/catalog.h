// Catalog: the tables of a data source, as ADOX lists them.
// Errors are DataError naming the source.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orlix::ado {

class Catalog {
 public:
  // Opens the source the connection string names (the ActiveConnection).
  void setActiveConnection(std::string_view connectionString);
  // Table names in catalog order: text files of the folder, SQLite and ODBC
  // tables (system tables left out), sheets, dBase files.
  const std::vector<std::string>& tables() const { return tables_; }
  // The same under ADOX's names.
  void SetActiveConnection(std::string_view connectionString) { setActiveConnection(connectionString); }
  const std::vector<std::string>& Tables() const { return tables_; }

 private:
  std::vector<std::string> tables_;
};

}  // namespace orlix::ado
