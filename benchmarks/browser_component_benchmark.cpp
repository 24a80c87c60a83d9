// The browser component through the late-bound layer, as the tool's
// element enumeration walks a page: on a page of 5,000 elements, all, then
// tags("INPUT"), its length, and item(i) of every input with one member read
// from each; and the same walk over all elements, as the finder does with
// the tag "*".
#include <benchmark/benchmark.h>

#include <string>

#include "browser/page/browser.h"
#include "runtime/automation_call.h"

namespace {

constexpr int kQuestions = 1000;
constexpr const char* kAddress = "http://quiz.example/big.html";

std::string bigPage() {
    std::string html = "<html><head><title>题</title></head><body>";
    for (int i = 0; i < kQuestions; ++i) {
        std::string n = std::to_string(i);
        html += "<div><p>" + n + ".题目文本 question text</p><p><label><input type=radio name=ra_" +
                n + " value=A>A.选项 option</label></p></div>";
    }
    return html + "<p><a href='#'>下一题</a></p></body></html>";
}

browser::Browser& bigBrowser() {
    static browser::Browser browser(browser::PageSet().add(kAddress, bigPage()), kAddress);
    return browser;
}

// all, tags(tag) (all itself for "*"), length, then item(i) and one read each.
void walk(benchmark::State& state, const char* tag, const char* member) {
    AutomationObject document = AutomationObject::adopt(bigBrowser().document());
    for (auto _ : state) {
        AutomationObject all = readObjectProperty(document, "all");
        AutomationObject collection =
            std::string(tag) == "*" ? copyObject(all) : readObjectProperty(all, "tags", {tag});
        int count = static_cast<int>(readNumberProperty(collection, "length"));
        for (int i = 0; i < count; ++i) {
            AutomationObject element =
                readObjectProperty(collection, "item", {static_cast<double>(i)});
            Text value = readTextProperty(element, member);
            benchmark::DoNotOptimize(value.bytes().data());
        }
        state.counters["elements"] = count;
    }
}

void BM_LateBoundWalkOverInputs(benchmark::State& state) { walk(state, "INPUT", "name"); }
BENCHMARK(BM_LateBoundWalkOverInputs)->Unit(benchmark::kMillisecond);

void BM_LateBoundWalkOverEveryElement(benchmark::State& state) { walk(state, "*", "tagName"); }
BENCHMARK(BM_LateBoundWalkOverEveryElement)->Unit(benchmark::kMillisecond);

void BM_LateBoundInnerTextOfFiveThousandElements(benchmark::State& state) {
    AutomationObject document = AutomationObject::adopt(bigBrowser().document());
    for (auto _ : state) {
        AutomationObject root = readObjectProperty(document, "documentElement");
        Text text = readTextProperty(root, "innerText");
        benchmark::DoNotOptimize(text.bytes().data());
    }
}
BENCHMARK(BM_LateBoundInnerTextOfFiveThousandElements)->Unit(benchmark::kMillisecond);

}  // namespace
