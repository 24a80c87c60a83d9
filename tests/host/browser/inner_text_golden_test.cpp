// Golden files for the body's innerText: golden/input/NAME.html (UTF-8)
// beside golden/expected/NAME.txt (UTF-8, the "\r\n" line breaks written as
// "\n", and one final newline that is not part of the text). Adding a pair
// adds a case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "browser/dom/code_page_936.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/inner_text.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDirectory = VEXARO_BROWSER_GOLDEN_DIR;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// "\r\n" as "\n"; a "\n" or "\r" on its own is kept, so that it shows.
std::string withUnixLineBreaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

TEST(InnerTextGoldenTest, EveryPageGivesItsExpectedText) {
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(kGoldenDirectory / "input")) {
        if (entry.path().extension() == ".html") inputs.push_back(entry.path());
    }
    ASSERT_FALSE(inputs.empty()) << "no golden pages in " << kGoldenDirectory;
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        fs::path expectedPath = kGoldenDirectory / "expected" / input.stem();
        expectedPath += ".txt";
        ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath;
        std::string expected = readFile(expectedPath);
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(expected.back(), '\n');
        expected.pop_back();

        auto document = dom::parseDocumentUtf8(readFile(input));
        ASSERT_NE(document->body(), nullptr);
        std::string text = dom::innerText(*document->body());
        for (std::size_t at = text.find('\n'); at != std::string::npos;
             at = text.find('\n', at + 1)) {
            ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "a line break without \\r at " << at;
        }
        EXPECT_EQ(withUnixLineBreaks(dom::cp936ToUtf8(text)), expected);
    }
}

}  // namespace
