// One late-bound property read through the call layer, against a direct C++
// call of the same getter.
#include <benchmark/benchmark.h>

#include "runtime/automation_call.h"
#include "tests/support/probe_object.h"

namespace {

void BM_ReadTextPropertyLateBound(benchmark::State& state) {
    Probe* probe = Probe::create();
    AutomationObject object = AutomationObject::adopt(probe);
    for (auto _ : state) {
        Text name = readTextProperty(object, "Name");
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_ReadTextPropertyLateBound);

void BM_ReadTextPropertyDirect(benchmark::State& state) {
    Probe* probe = Probe::create();
    AutomationObject object = AutomationObject::adopt(probe);
    for (auto _ : state) {
        std::u16string name = probe->name();
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_ReadTextPropertyDirect);

}  // namespace
