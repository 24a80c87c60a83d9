// The quiz page as HTML of the natural shapes, built from the generator's
// page text: its innerText must be that text exactly, byte for byte, and the
// matching must read the right letters from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "answer/question_bank.h"
#include "answer/question_matching.h"
#include "browser/dom/element_queries.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/inner_text.h"
#include "tests/host/browser/dom_test_support.h"
#include "tools/quiz_page.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
    return out;
}

// The generator's lines: two header lines and an empty one; per question
// its line, then an empty line before each option and one after the last;
// then the button's text.
constexpr std::size_t kHeaderLines = 3;
constexpr std::size_t kLinesPerQuestion = 10;

struct QuizHtmlShape {
    const char* name;
    const char* header;    // %1 and %2: the two header lines
    const char* question;  // around the question's line
    const char* option;    // around an option: %type, %name, %letter, %text
    const char* nextButton;
};

std::string filled(std::string pattern,
                   const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [key, value] : values) {
        for (std::size_t at = pattern.find(key); at != std::string::npos;
             at = pattern.find(key, at + value.size())) {
            pattern.replace(at, key.size(), value);
        }
    }
    return pattern;
}

std::string quizHtml(const QuizPage& page, const QuizHtmlShape& shape) {
    std::vector<std::string> lines = linesOf(page.text.bytes());
    std::string html =
        "<html><head><title>安全知识网上答题</title>"
        "<script>function next() { document.write('<p>不显示</p>'); }</script>"
        "<style>p { margin: 4px }</style></head>\n<body>\n";
    html += filled(shape.header, {{"%1", escaped(lines[0])}, {"%2", escaped(lines[1])}});
    html += "<form name=\"quiz\">\n";
    for (std::size_t q = 0; q < page.questions.size(); ++q) {
        std::size_t first = kHeaderLines + q * kLinesPerQuestion;
        html += filled(shape.question, {{"%text", escaped(lines[first])}});
        const char* type = textLength(page.questions[q].expectedLetters) > 1 ? "checkbox" : "radio";
        for (std::size_t option = 0; option < 4; ++option) {
            const std::string& line = lines[first + 2 + 2 * option];
            html += filled(shape.option, {{"%type", type},
                                          {"%name", "ra_" + std::to_string(q)},
                                          {"%letter", line.substr(0, 1)},
                                          {"%text", escaped(line)}});
        }
    }
    html += "<input type=\"hidden\" name=\"graded\" value=\"0\">\n";
    html += shape.nextButton;
    html += "</form>\n</body></html>\n";
    return html;
}

const std::vector<QuizHtmlShape> kShapes = {
    {"paragraphs", "<h2>%1</h2>\n<p>%2</p>\n", "<div class=\"question\">\n  <p>%text</p>\n",
     "  <p><label><input type=\"%type\" name=\"%name\" value=\"%letter\">%text</label></p>\n",
     "<p><a id=\"next\" href=\"#\" onclick=\"next()\">下一题</a></p>\n"},
    {"divs", "<div>%1</div>\n<div>%2<br><br></div>\n", "<div class=\"stem\">%text</div><br>\n",
     "<div>\n  <input type=\"%type\" name=\"%name\" value=\"%letter\"> %text\n</div><br>\n",
     "<div><span id=\"next\" onclick=\"next()\">下一题</span></div>\n"},
};

TEST(QuizPageTextTest, HtmlPagesGiveTheGeneratorsText) {
    for (std::uint32_t seed : {1u, 2u, 3u, 2018u}) {
        QuizPage page = makeQuizPage(questionBank(), seed);
        ASSERT_EQ(linesOf(page.text.bytes()).size(),
                  kHeaderLines + kLinesPerQuestion * page.questions.size() + 1);
        for (const QuizHtmlShape& shape : kShapes) {
            SCOPED_TRACE(std::string(shape.name) + ", seed " + std::to_string(seed));
            auto document = dom::parseDocument(quizHtml(page, shape));
            std::string text = dom::innerText(*document->body());
            ASSERT_EQ(dom_test::utf8(text), dom_test::utf8(page.text.bytes()));

            MatchOutcome outcome = matchPageQuestions(Text(text), questionBank());
            ASSERT_TRUE(outcome.complete()) << "question " << outcome.unreadableQuestion;
            for (int i = 1; i <= kQuizQuestionCount; ++i) {
                EXPECT_EQ(arrayElement(outcome.questions, i).answerLetters.bytes(),
                          page.questions[static_cast<std::size_t>(i - 1)].expectedLetters.bytes())
                    << "question " << i;
            }

            for (int q = 0; q < kQuizQuestionCount; ++q) {
                auto inputs = dom::getElementsByName(*document, "ra_" + std::to_string(q));
                ASSERT_EQ(inputs.size(), 4u) << "ra_" << q;
                EXPECT_EQ(inputs[0]->attribute("value"), "A");
                EXPECT_EQ(inputs[3]->attribute("value"), "D");
            }
            dom::Element* next = dom_test::byId(*document, "next");
            ASSERT_NE(next, nullptr);
            EXPECT_EQ(dom::innerText(*next), "下一题");
        }
    }
}

// The generator's own HTML: what the bundled page and the component's tests use.
TEST(QuizPageTextTest, GeneratedHtmlGivesTheGeneratorsText) {
    for (std::uint32_t seed : {1u, 7u, 201802u}) {
        SCOPED_TRACE(seed);
        QuizPage page = makeQuizPage(questionBank(), seed);
        auto document = dom::parseDocument(page.html.bytes());
        ASSERT_EQ(dom_test::utf8(dom::innerText(*document->body())),
                  dom_test::utf8(page.text.bytes()));
        for (int q = 0; q < kQuizQuestionCount; ++q) {
            auto inputs = dom::getElementsByName(*document, "ra_" + std::to_string(q));
            ASSERT_EQ(inputs.size(), 4u);
            const char* type =
                textLength(page.questions[static_cast<std::size_t>(q)].expectedLetters) > 1
                    ? "checkbox"
                    : "radio";
            for (dom::Element* input : inputs) EXPECT_EQ(input->attribute("type"), type);
        }
        dom::Element* next = dom_test::byId(*document, "next");
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(dom::innerText(*next), "下一题");
    }
}

}  // namespace
