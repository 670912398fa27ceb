// Time of one Layout call on large trees. The diagram is built once; laying it
// out again gives the same result, so every iteration does the same work.
#include <benchmark/benchmark.h>

#include <random>

#include "platform/graphon/diagram.h"
#include "tree_builders.h"
#include "treelayout/tierio_ctrl.h"

namespace orlix {
namespace {

void layOut(benchmark::State& state, const treelayout::testing::TreeShape& shape) {
  graphon::Diagram diagram;
  treelayout::testing::buildDiagram(diagram, shape);
  treelayout::TierioCtrl ctrl;
  for (auto _ : state) {
    ctrl.Layout(&diagram);
    benchmark::DoNotOptimize(diagram.nodes().item(1).left());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(shape.size.size()));
}

void BM_RandomTree(benchmark::State& state) {
  std::mt19937 rng(42);
  layOut(state, treelayout::testing::randomTree(rng, static_cast<std::int32_t>(state.range(0)), 3000, 1500));
}
BENCHMARK(BM_RandomTree)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Caterpillar(benchmark::State& state) {
  layOut(state, treelayout::testing::caterpillar(static_cast<std::int32_t>(state.range(0)), 2500, 1000));
}
BENCHMARK(BM_Caterpillar)->Arg(10000)->Unit(benchmark::kMillisecond);

// Two long paths side by side: the right one is compared against the left one
// at every depth, the quadratic case of apportioning.
void BM_TwoPaths(benchmark::State& state) {
  const auto length = static_cast<std::int32_t>(state.range(0));
  treelayout::testing::TreeShape shape{{-1}, {{2500, 1000}}};
  for (std::int32_t side = 0; side < 2; ++side)
    for (std::int32_t i = 0; i < length; ++i) {
      shape.parent.push_back(i == 0 ? 0 : static_cast<std::int32_t>(shape.parent.size()) - 1);
      shape.size.push_back({2500, 1000});
    }
  layOut(state, shape);
}
BENCHMARK(BM_TwoPaths)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlix
