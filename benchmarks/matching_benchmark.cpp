// One full matching run: twenty questions of the bundled quiz page against
// the bank, as the tool does it when the icon is dropped.
#include <benchmark/benchmark.h>

#include "answer/question_bank.h"
#include "answer/question_matching.h"
#include "tools/quiz_page.h"

namespace {

void BM_MatchTwentyQuestions(benchmark::State& state) {
    const QuizPage page = makeQuizPage(questionBank(), 201802);
    for (auto _ : state) {
        MatchOutcome outcome = matchPageQuestions(page.text, questionBank());
        if (!outcome.complete()) state.SkipWithError("the bundled page did not match");
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_MatchTwentyQuestions)->Unit(benchmark::kMillisecond);

}  // namespace
