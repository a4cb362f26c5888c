// Event bus delivery: many registered components and a burst of events each tick.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/sysEventComponent.h"
#include "core/sysEventHandler.h"

namespace {

class TCounter : public TsysEventComponent {
 public:
  explicit TCounter(std::uint64_t mask) { EventMask = mask; }
  void HandleEvent(TsysEvent* e) override { Sum += e->Code; }
  std::uint64_t Sum = 0;
};

// components: registered; a quarter listen to the mouse (like widgets), the rest to nothing.
void BM_BusTick(benchmark::State& state) {
  const int components = static_cast<int>(state.range(0));
  const int events = static_cast<int>(state.range(1));
  TsysEventHandler bus;
  std::vector<std::unique_ptr<TCounter>> all;
  for (int i = 0; i < components; ++i) {
    all.push_back(std::make_unique<TCounter>(i % 4 == 0 ? ekMouse : 0));
    bus.Register(all.back().get());
  }
  TCounter poster(0);
  bus.Register(&poster);
  for (auto _ : state) {
    for (int e = 0; e < events; ++e) poster.PostEvent(pmQueued, ekMouse, static_cast<std::uint16_t>(e), e, 0);
    bus.Tick();
  }
  state.SetItemsProcessed(state.iterations() * events);
  state.counters["deliveries/tick"] = static_cast<double>(events) * (components / 4);
}
BENCHMARK(BM_BusTick)->Args({2000, 200})->Args({2000, 20})->Args({200, 200})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
