// Matching on small hand-made banks and pages, where each case shows one rule.
#include "answer/question_matching.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/conversions.h"
#include "tests/support/printers.h"

namespace {

struct Entry {
    const char* question;
    std::vector<const char*> options;  // A to D
    const char* answer;                // what follows "答案："
};

Text joinLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += "\r\n";
        joined += lines[i];
    }
    return Text(joined);
}

Bytes bankOf(const std::vector<Entry>& entries) {
    std::vector<std::string> lines;
    const char* letters[] = {"A", "B", "C", "D"};
    for (std::size_t k = 0; k < entries.size(); ++k) {
        lines.push_back(std::to_string(k + 1) + "、单选题" + entries[k].question);
        for (int x = 0; x < 4; ++x)
            lines.push_back(std::string(letters[x]) + "、" + entries[k].options[x]);
        lines.push_back(std::string("答案：") + entries[k].answer);
    }
    return toBytes(joinLines(lines));
}

// A page question in the layout the matching reads: the question line, then
// the options two lines apart, with something on every unread line.
std::vector<std::string> pageQuestion(int number, const char* question,
                                      const std::vector<const char*>& options) {
    std::vector<std::string> lines{std::to_string(number) + "." + question};
    const char* letters[] = {"A", "B", "C", "D"};
    for (int y = 0; y < 4; ++y) {
        lines.push_back(y == 0 ? "" : "unread");
        lines.push_back(std::string(letters[y]) + "." + options[y]);
    }
    lines.push_back("");
    return lines;
}

const std::vector<Entry> kBank = {
    {"火警电话是多少", {"110", "119", "120", "122"}, "B"},
    {"哪些是灭火的方法", {"冷却", "窒息", "助燃", "隔离"}, "ABD"},
    {"急救电话是多少", {"110", "119", "120", "122"}, "C"},
    {"最后一题", {"甲", "乙", "丙", "丁"}, "A"},
};

// A page of twenty questions whose i-th is built by `question(i)`.
template <class MakeQuestion>
Text pageOf(MakeQuestion question) {
    std::vector<std::string> lines{"网上答题"};
    for (int i = 1; i <= kQuizQuestionCount; ++i) {
        std::vector<std::string> block = question(i);
        lines.insert(lines.end(), block.begin(), block.end());
    }
    lines.push_back("下一题");
    return joinLines(lines);
}

const Text& lettersOf(const MatchOutcome& outcome, int i) {
    return arrayElement(outcome.questions, i).answerLetters;
}

TEST(QuestionMatchingTest, LettersFollowTheOptionTextsNotTheirPlaces) {
    Text page = pageOf([](int i) {
        if (i == 1) return pageQuestion(1, "火警电话是多少", {"119", "110", "122", "120"});
        // The options in reverse order: bank A, B and D become page D, C and A.
        if (i == 2) return pageQuestion(2, "哪些是灭火的方法", {"隔离", "助燃", "窒息", "冷却"});
        return pageQuestion(i, "急救电话是多少", {"110", "119", "120", "122"});
    });
    MatchOutcome outcome = matchPageQuestions(page, bankOf(kBank));
    ASSERT_TRUE(outcome.complete());
    EXPECT_EQ(lettersOf(outcome, 1).bytes(), "A");
    EXPECT_EQ(lettersOf(outcome, 2).bytes(), "DCA");  // in the bank's letter order
    EXPECT_EQ(lettersOf(outcome, 20).bytes(), "C");

    const PageQuestion& q = arrayElement(outcome.questions, 2);
    EXPECT_EQ(q.questionText.bytes(), "哪些是灭火的方法");
    EXPECT_EQ(q.optionA.bytes(), "隔离");
    EXPECT_EQ(q.optionD.bytes(), "冷却");
    EXPECT_EQ(q.answerLine, 12);
    EXPECT_EQ(q.bankOptionC, Text());  // not a correct letter
    EXPECT_EQ(q.bankOptionD.bytes(), "隔离");
}

TEST(QuestionMatchingTest, TheFirstMarkerAnywhereInThePageIsUsed) {
    // Question 1's marker "1." also stands at the end of the header line.
    Text page = pageOf([](int i) {
        return pageQuestion(i, "火警电话是多少", {"119", "110", "122", "120"});
    });
    Text header = "第201.急救电话是多少\r\n\r\nA.120\r\n\r\nB.110\r\n\r\nC.119\r\n\r\nD.122\r\n";
    MatchOutcome outcome = matchPageQuestions(concatText(header, page), bankOf(kBank));
    ASSERT_TRUE(outcome.complete());
    EXPECT_EQ(lettersOf(outcome, 1).bytes(), "A");  // 急救电话, whose 120 is page option A
    EXPECT_EQ(lettersOf(outcome, 11).bytes(), "A");
}

TEST(QuestionMatchingTest, OneLetterAInTheQuestionShortensItTo30Bytes) {
    struct Case {
        const char* question;
        const char* expected;
    };
    const Case cases[] = {
        {"一二三四五六七八九十一二三四五A级防火门的耐火时间", "一二三四五六七八九十一二三四五"},
        {"一二三四五六七八九十一二三四五六a级", "一二三四五六七八九十一二三四五"},
        {"一二三四五六七八九十一二三四AA级防火门的耐火时间",
         "一二三四五六七八九十一二三四AA级防火门的耐火时间"},
        {"一二三四五六七八九十一二三四五六七八九十", "一二三四五六七八九十一二三四五六七八九十"},
        // Thirty bytes may end inside a two-byte character.
        {"A一二三四五六七八九十一二三四五六", "A一二三四五六七八九十一二三四\xCE"},
    };
    for (const Case& c : cases) {
        Text page = pageOf([&](int i) {
            return pageQuestion(i, c.question, {"甲", "乙", "丙", "丁"});
        });
        MatchOutcome outcome = matchPageQuestions(page, bankOf(kBank));
        ASSERT_TRUE(outcome.complete()) << c.question;
        EXPECT_EQ(arrayElement(outcome.questions, 1).questionText.bytes(), c.expected);
    }
}

TEST(QuestionMatchingTest, LetterCountsAndDuplicates) {
    struct Case {
        Entry entry;
        std::vector<const char*> pageOptions;
        const char* expected;
    };
    const Case cases[] = {
        // Two page options equal to one correct bank option both get their letters.
        {{"第一题的文字", {"甲", "乙", "丙", "丁"}, "B"}, {"乙", "乙", "丙", "丁"}, "AB"},
        // Two correct bank options equal to one page option give its letter twice.
        {{"第一题的文字", {"甲", "甲", "丙", "丁"}, "AB"}, {"丁", "丙", "甲", "乙"}, "CC"},
        // A letter that occurs twice counts as absent.
        {{"第一题的文字", {"甲", "乙", "丙", "丁"}, "AAC"}, {"甲", "乙", "丙", "丁"}, "C"},
        // Letters are counted without regard to case.
        {{"第一题的文字", {"甲", "乙", "丙", "丁"}, "bd"}, {"甲", "乙", "丙", "丁"}, "BD"},
        // No page option equals the correct one.
        {{"第一题的文字", {"甲", "乙", "丙", "丁"}, "D"}, {"甲", "乙", "丙", "戊"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<Entry> bank = {c.entry, kBank[3]};
        Text page = pageOf([&](int i) { return pageQuestion(i, "第一题的文字", c.pageOptions); });
        MatchOutcome outcome = matchPageQuestions(page, bankOf(bank));
        ASSERT_TRUE(outcome.complete());
        EXPECT_EQ(lettersOf(outcome, 1).bytes(), c.expected) << c.entry.answer;
    }
}

TEST(QuestionMatchingTest, AQuestionNotInTheBankReadsEntryOnesOptionDLine) {
    // Line 5 (entry 1's option D line) is taken as the answer line: its "D"
    // selects line 4, entry 1's option C text.
    Text page = pageOf([](int i) {
        return pageQuestion(i, "不在题库里的题目", {"119", "120", "甲", "乙"});
    });
    MatchOutcome outcome = matchPageQuestions(page, bankOf(kBank));
    ASSERT_TRUE(outcome.complete());
    const PageQuestion& q = arrayElement(outcome.questions, 1);
    EXPECT_EQ(q.answerLine, 5);
    EXPECT_EQ(q.bankOptionD.bytes(), "120");
    EXPECT_EQ(q.answerLetters.bytes(), "B");
}

TEST(QuestionMatchingTest, APageWithNineteenQuestionsMatchesTheTwentiethAgainstEntryOne) {
    std::vector<std::string> lines{"网上答题"};
    for (int i = 1; i <= 19; ++i) {
        auto block = pageQuestion(i, "急救电话是多少", {"119", "110", "122", "120"});
        lines.insert(lines.end(), block.begin(), block.end());
    }
    MatchOutcome outcome = matchPageQuestions(joinLines(lines), bankOf(kBank));
    ASSERT_TRUE(outcome.complete());
    const PageQuestion& q = arrayElement(outcome.questions, 20);
    EXPECT_EQ(q.questionText, Text());
    EXPECT_EQ(q.pageLine, 1);          // the first non-empty line
    EXPECT_EQ(q.answerLine, 6);        // entry 1's answer
    EXPECT_EQ(q.optionA.bytes(), "");  // page line 3, "1.急救…" is line 2; line 3 is empty
    EXPECT_EQ(lettersOf(outcome, 19).bytes(), "D");
}

// The sound behaviour where the checked access would end the program: the
// question is named and nothing after it is matched.
TEST(QuestionMatchingTest, UnreadableQuestionsStopTheRunWithoutEndingTheProgram) {
    struct Case {
        const char* what;
        Text page;
        int question;
        UnreadableReason reason;
    };
    Text full = pageOf([](int i) {
        return i == 20 ? pageQuestion(i, "急救电话是多少", {"119", "110", "122", "120"})
                       : pageQuestion(i, "火警电话是多少", {"119", "110", "122", "120"});
    });
    Text cutShort = textLeft(full, findText(full, "20.", omitted, 0) + 20);
    Text lastEntry = pageOf([](int i) {
        return i == 4 ? pageQuestion(
                            i, "甲",
                            {"甲", "乙", "丙", "丁"})  // found in line 20, option A of entry 4
                      : pageQuestion(i, "火警电话是多少", {"119", "110", "122", "120"});
    });
    const Case cases[] = {
        {"empty page", Text(), 1, UnreadableReason::kPageTooShort},
        {"a foreign text", "no quiz here\r\njust two lines", 1, UnreadableReason::kPageTooShort},
        {"page cut inside question 20", cutShort, 20, UnreadableReason::kPageTooShort},
        {"question in the bank's last five lines", lastEntry, 4, UnreadableReason::kBankOverrun},
    };
    for (const Case& c : cases) {
        MatchOutcome outcome = matchPageQuestions(c.page, bankOf(kBank));
        EXPECT_FALSE(outcome.complete()) << c.what;
        EXPECT_EQ(outcome.unreadableQuestion, c.question) << c.what;
        EXPECT_EQ(outcome.reason, c.reason) << c.what;
        for (int i = c.question; i <= kQuizQuestionCount; ++i) {
            EXPECT_EQ(lettersOf(outcome, i), Text()) << c.what << ", question " << i;
        }
    }
}

}  // namespace
