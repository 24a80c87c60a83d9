// The bundled quiz page in the browser component, worked through the
// late-bound layer as the tool works it: its text gives the generator's
// letters, and clicking them makes the page grade itself twenty out of
// twenty.
#include <gtest/gtest.h>

#include <string>

#include "answer/question_bank.h"
#include "answer/question_matching.h"
#include "browser/page/browser.h"
#include "com/dispatch_object.h"
#include "runtime/automation_call.h"
#include "runtime/conversions.h"
#include "tools/quiz_page.h"

namespace {

constexpr char kAddress[] = "http://quiz.example/201802";

// Clicks the element through its own click method, as the tool does.
void click(const AutomationObject& element) {
    ASSERT_FALSE(isEmptyObject(element));
    callMethod(element, "click");
    ASSERT_EQ(lastCallError(), 0) << lastCallErrorText().bytes();
}

// The first element of the page whose whole visible text is "下一题", as the
// tool's locator "innertext=下一题" finds it: all elements in document order.
AutomationObject nextButton(const AutomationObject& document) {
    AutomationObject all = readObjectProperty(document, "all");
    const auto count = static_cast<std::int32_t>(readNumberProperty(all, "length"));
    for (std::int32_t i = 0; i < count; ++i) {
        AutomationObject element = callObjectMethod(all, "item", {i});
        if (readTextProperty(element, "innerText") == Text("下一题")) return element;
    }
    return {};
}

// A script value of the page, brought back as text.
Text pageValue(const AutomationObject& document, const char* expression) {
    AutomationObject window = readObjectProperty(document, "parentWindow");
    callMethod(window, "execScript",
               {concatText("document.title = String(", expression, ")"), "JScript"});
    return readTextProperty(document, "title");
}

TEST(QuizPageComponentTest, ClickingTheMatchedLettersScoresTwentyOfTwenty) {
    const long objectsAtStart = DispatchObject::liveObjects();
    {
        QuizPage quiz = makeQuizPage(questionBank(), 201802);
        browser::PageSet pages;
        pages.add(kAddress, quiz.html.bytes());
        browser::Browser browser(std::move(pages), kAddress);
        AutomationObject document = AutomationObject::adopt(browser.document());

        AutomationObject root = readObjectProperty(document, "documentElement");
        Text pageText = readTextProperty(root, "innerText");
        ASSERT_EQ(pageText, quiz.text);
        MatchOutcome outcome = matchPageQuestions(pageText, questionBank());
        ASSERT_TRUE(outcome.complete());

        const char* letters = "ABCD";
        for (int j = 1; j <= kQuizQuestionCount; ++j) {
            const Text& answer = arrayElement(outcome.questions, j).answerLetters;
            ASSERT_EQ(answer, quiz.questions[static_cast<std::size_t>(j - 1)].expectedLetters);
            AutomationObject options =
                callObjectMethod(document, "getElementsByName", {concatText("ra_", toText(j - 1))});
            ASSERT_EQ(readNumberProperty(options, "length"), 4.0);
            for (std::int32_t k = 0; k < 4; ++k) {
                if (findText(answer, Text(std::string(1, letters[k])), omitted, 0) == -1) continue;
                click(callObjectMethod(options, "item", {k}));
            }
            click(nextButton(document));
        }
        EXPECT_EQ(pageValue(document, "answered").bytes(), "20");
        EXPECT_EQ(pageValue(document, "score").bytes(), "20");
    }
    EXPECT_EQ(DispatchObject::liveObjects(), objectsAtStart);
}

TEST(QuizPageComponentTest, WrongOrMissingClicksCostTheirQuestions) {
    QuizPage quiz = makeQuizPage(questionBank(), 7);
    browser::PageSet pages;
    pages.add(kAddress, quiz.html.bytes());
    browser::Browser browser(std::move(pages), kAddress);
    AutomationObject document = AutomationObject::adopt(browser.document());
    AutomationObject next = nextButton(document);
    for (int j = 1; j <= kQuizQuestionCount; ++j) click(next);  // nothing chosen anywhere
    EXPECT_EQ(pageValue(document, "answered").bytes(), "20");
    EXPECT_EQ(pageValue(document, "score").bytes(), "0");
}

}  // namespace
