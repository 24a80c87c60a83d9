// findText and splitText on the question bank, the largest text they meet.
#include <benchmark/benchmark.h>

#include "answer/question_bank.h"
#include "runtime/conversions.h"

namespace {

const Text& bankText() {
    static const Text text = toText(questionBank());
    return text;
}

// A needle that is not there makes findText look at every character start.
void BM_FindTextAcrossTheBank(benchmark::State& state) {
    const Text needle = "答案：ABCDE";  // not in the bank, so every character start is tried
    for (auto _ : state) {
        benchmark::DoNotOptimize(findText(bankText(), needle, omitted, 1));
    }
    state.SetBytesProcessed(state.iterations() * textLength(bankText()));
}
BENCHMARK(BM_FindTextAcrossTheBank);

void BM_SplitTheBankIntoLines(benchmark::State& state) {
    for (auto _ : state) {
        TextArray lines = splitText(bankText(), "\r\n");
        benchmark::DoNotOptimize(arraySize(lines));
    }
    state.SetBytesProcessed(state.iterations() * textLength(bankText()));
}
BENCHMARK(BM_SplitTheBankIntoLines);

}  // namespace
