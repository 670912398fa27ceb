// Time to open each file format's largest sample through its connection string
// and read a table into a record-set table (the Access and .xls readers include
// the child process they run in).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/ado/open_provider.h"
#include "tests/support/test_files.h"

namespace {

using orlix::ado::openProvider;
using orlix::test::sampleFile;

void Read(benchmark::State& state, const std::string& connection, const std::string& table) {
  std::size_t rows = 0;
  for (auto _ : state) {
    auto t = openProvider(connection)->query(table);
    rows = t->rowCount();
    benchmark::DoNotOptimize(t);
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void Access(benchmark::State& s) {
  Read(s, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + sampleFile("access/compIndexTestV2000.mdb") +
              ";Jet OLEDB:Engine Type=4;", "[Table1]");
}
void Xls(benchmark::State& s) {
  Read(s, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + sampleFile("excel/profiles.xls") +
              ";Extended Properties=Excel 8.0;", "[PROFILELEVELS$]");
}
void Dbase(benchmark::State& s) {
  Read(s, "Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=" +
              sampleFile("dbase") + ";DriverId=21;FIL=dBase III;MaxBufferSize=2048;PageTimeout=600;UID=admin;",
       "[blockgroups]");
}
void Html(benchmark::State& s) {
  Read(s, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + sampleFile("html/banklist.html") +
              ";Extended Properties=HTML Import;", "[banklist]");
}

BENCHMARK(Access)->Unit(benchmark::kMillisecond);
BENCHMARK(Xls)->Unit(benchmark::kMillisecond);
BENCHMARK(Dbase)->Unit(benchmark::kMillisecond);
BENCHMARK(Html)->Unit(benchmark::kMillisecond);

}  // namespace
