// vexaro-inspect [--utf8] [--eval EXPR] PAGE.html
//
// Loads a page (HTML in code page 936) into the browser component and prints,
// through the late-bound layer as the tool reads a page, its visible text
// (the document element's innerText), or with --eval the value of a script
// expression, the way the page object brings one back: the page's script
// writes it into a hidden element "resultjs", whose innerText is then read.
// The text is printed in code page 936, or in UTF-8 with --utf8.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "browser/page/browser.h"
#include "emulation/testing.h"
#include "runtime/automation_call.h"

namespace {

constexpr char kAddress[] = "http://inspected.example/";

int usage() {
    std::fprintf(stderr, "usage: vexaro-inspect [--utf8] [--eval EXPR] PAGE.html\n");
    return 2;
}

// The expression's value as text, or false with the call's error.
bool evaluate(const AutomationObject& document, const Text& expression, Text& value) {
    AutomationObject body = readObjectProperty(document, "body");
    callMethod(body, "insertAdjacentHTML",
               {"beforeEnd", "<div id=\"resultjs\" style=\"display:none\"></div>"});
    AutomationObject window = readObjectProperty(document, "parentWindow");
    callMethod(window, "execScript",
               {concatText("document.all.resultjs.innerText=", expression), "JScript"});
    if (lastCallError() != 0) return false;
    AutomationObject all = readObjectProperty(document, "all");
    AutomationObject result = callObjectMethod(all, "item", {"resultjs"});
    value = readTextProperty(result, "innerText");
    return lastCallError() == 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool utf8 = false;
    const char* expression = nullptr;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--utf8") == 0) {
            utf8 = true;
        } else if (std::strcmp(argv[i], "--eval") == 0 && i + 1 < argc) {
            expression = argv[++i];
        } else if (path == nullptr && argv[i][0] != '-') {
            path = argv[i];
        } else {
            return usage();
        }
    }
    if (path == nullptr) return usage();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vexaro-inspect: cannot read %s\n", path);
        return 2;
    }
    std::string html{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    CoInitialize(nullptr);
    int status = 0;
    {
        browser::PageSet pages;
        pages.add(kAddress, std::move(html));
        browser::Browser browser(std::move(pages), kAddress);
        AutomationObject document = AutomationObject::adopt(browser.document());

        Text output;
        if (expression != nullptr) {
            // Arguments are taken as the terminal gives them: UTF-8 with --utf8.
            Text code(utf8 ? emulation::utf8ToAnsi(expression) : std::string(expression));
            if (!evaluate(document, code, output)) {
                std::fprintf(stderr, "vexaro-inspect: %s\n",
                             emulation::ansiToUtf8(lastCallErrorText().bytes()).c_str());
                status = 1;
            }
        } else {
            AutomationObject root = readObjectProperty(document, "documentElement");
            output = readTextProperty(root, "innerText");
        }
        if (status == 0) {
            std::string bytes = utf8 ? emulation::ansiToUtf8(output.bytes()) : output.bytes();
            std::fwrite(bytes.data(), 1, bytes.size(), stdout);
            if (expression != nullptr) std::fputc('\n', stdout);
        }
    }
    CoUninitialize();
    return status;
}
