// Quiz pages built from the real bank: the matching must find, for pages of
// any twenty entries with shuffled options, exactly the letters the shuffle
// put the correct options at.
#include "tools/quiz_page.h"

#include <gtest/gtest.h>

#include <set>

#include "answer/question_bank.h"
#include "answer/question_matching.h"
#include "tests/support/printers.h"

namespace {

void expectMatched(const QuizPage& page) {
    MatchOutcome outcome = matchPageQuestions(page.text, questionBank());
    ASSERT_TRUE(outcome.complete()) << "question " << outcome.unreadableQuestion;
    ASSERT_EQ(page.questions.size(), static_cast<std::size_t>(kQuizQuestionCount));
    for (int i = 1; i <= kQuizQuestionCount; ++i) {
        EXPECT_EQ(arrayElement(outcome.questions, i).answerLetters,
                  page.questions[static_cast<std::size_t>(i - 1)].expectedLetters)
            << "question " << i << ", entry "
            << page.questions[static_cast<std::size_t>(i - 1)].entry;
    }
}

TEST(QuizPageTest, EveryEntryIsAnsweredOnAPage) {
    for (int first = 1; first <= kBankEntryCount; first += kQuizQuestionCount) {
        std::vector<int> entries;
        for (int k = first; k < first + kQuizQuestionCount; ++k) entries.push_back(k);
        SCOPED_TRACE(first);
        expectMatched(makeQuizPageOf(questionBank(), entries, static_cast<std::uint32_t>(first)));
    }
}

TEST(QuizPageTest, PagesOfRandomEntriesAreAnswered) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        QuizPage page = makeQuizPage(questionBank(), seed);
        std::set<int> entries;
        for (const QuizPageQuestion& q : page.questions) entries.insert(q.entry);
        EXPECT_EQ(entries.size(), static_cast<std::size_t>(kQuizQuestionCount));
        expectMatched(page);
    }
}

TEST(QuizPageTest, TheSameSeedGivesTheSamePage) {
    EXPECT_EQ(makeQuizPage(questionBank(), 7).text, makeQuizPage(questionBank(), 7).text);
    EXPECT_NE(makeQuizPage(questionBank(), 7).text, makeQuizPage(questionBank(), 8).text);
}

TEST(QuizPageTest, OptionsStandTwoLinesApartBelowTheQuestion) {
    QuizPage page = makeQuizPageOf(questionBank(), {1}, 3);
    TextArray lines = splitText(page.text, "\r\n");
    int n = 0;
    for (int i = 1; i <= arraySize(lines) && n == 0; ++i) {
        if (findText(arrayElement(lines, i), "1.", omitted, 0) == 1) n = i;
    }
    ASSERT_GT(n, 0);
    EXPECT_EQ(arrayElement(lines, n).bytes(), "1.我国的火警电话是多少？");
    const char* prefixes[] = {"A.", "B.", "C.", "D."};
    std::set<std::string> options;
    for (int y = 0; y < 4; ++y) {
        const Text& line = arrayElement(lines, n + 2 + 2 * y);
        EXPECT_EQ(textLeft(line, 2).bytes(), prefixes[y]);
        options.insert(textRight(line, textLength(line) - 2).bytes());
        EXPECT_EQ(arrayElement(lines, n + 1 + 2 * y), Text());
    }
    EXPECT_EQ(options, (std::set<std::string>{"110", "119", "120", "122"}));
}

}  // namespace
