#include "controls/RangeList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// One range of n numbers: the time should grow with n, no faster.
void StrToListOneRange(benchmark::State& state) {
    const AnsiString text = "1-" + std::to_string(state.range(0));
    TRangeList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.StrToList(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(StrToListOneRange)->Range(1000, 1000000)->Complexity(benchmark::oN);

// n single numbers, each checked against those read before it.
void StrToListSingleItems(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += std::to_string(i * 7 % 1000003) + ",";
    TRangeList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.StrToList(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(StrToListSingleItems)->Range(1000, 100000)->Complexity(benchmark::oN);

} // namespace
