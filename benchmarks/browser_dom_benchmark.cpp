// The browser core on a page of 5,000 elements (1,000 quiz-like questions of
// five elements each): parsing, innerText, a full layout, and a walk over
// every element by tag name.
#include <benchmark/benchmark.h>

#include <string>

#include "browser/dom/element_queries.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/inner_text.h"
#include "browser/dom/layout.h"

namespace {

constexpr int kQuestions = 1000;

const std::string& bigPage() {
    static const std::string page = [] {
        std::string html = "<html><head><title>题</title></head><body>";
        for (int i = 0; i < kQuestions; ++i) {
            std::string n = std::to_string(i);
            html += "<div><p>" + n +
                    ".题目文本 question text</p><p><label><input type=radio name=ra_" + n +
                    " value=A>A.选项 option</label></p></div>";
        }
        return html + "<p><a href='#'>下一题</a></p></body></html>";
    }();
    return page;
}

void BM_ParseFiveThousandElements(benchmark::State& state) {
    for (auto _ : state) {
        auto document = dom::parseDocument(bigPage());
        benchmark::DoNotOptimize(document.get());
    }
}
BENCHMARK(BM_ParseFiveThousandElements)->Unit(benchmark::kMillisecond);

void BM_InnerTextOfFiveThousandElements(benchmark::State& state) {
    auto document = dom::parseDocument(bigPage());
    for (auto _ : state) {
        std::string text = dom::innerText(*document->body());
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_InnerTextOfFiveThousandElements)->Unit(benchmark::kMillisecond);

void BM_LayoutOfFiveThousandElements(benchmark::State& state) {
    auto document = dom::parseDocument(bigPage());
    for (auto _ : state) {
        document->markChanged();
        benchmark::DoNotOptimize(dom::offsetTop(*document->body()->lastChild()->asElement()));
    }
}
BENCHMARK(BM_LayoutOfFiveThousandElements)->Unit(benchmark::kMillisecond);

void BM_AllElementsWalk(benchmark::State& state) {
    auto document = dom::parseDocument(bigPage());
    for (auto _ : state) {
        auto inputs = dom::getElementsByTagName(*document, "INPUT");
        benchmark::DoNotOptimize(inputs.data());
    }
}
BENCHMARK(BM_AllElementsWalk)->Unit(benchmark::kMicrosecond);

}  // namespace
