// Every rule the bank format promises, proved on the bytes compiled into the
// program.
#include "answer/question_bank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "answer/text_lookup.h"
#include "runtime/conversions.h"
#include "tests/support/printers.h"

namespace {

const char* const kLetters[] = {"A", "B", "C", "D"};
const Text kAnswerPrefix = "答案：";
const Text kSingle = "单选题";
const Text kMultiple = "多选题";

bool hasAsciiLetter(const Text& text) {
    return std::any_of(text.bytes().begin(), text.bytes().end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

class QuestionBankTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bank_ = new LoadedBank(loadBank(questionBank())); }
    static void TearDownTestSuite() {
        delete bank_;
        bank_ = nullptr;
    }

    static const Text& line(int n) { return arrayElement(bank_->bankLines, n); }
    static int firstLineOf(int entry) { return (entry - 1) * kBankLinesPerEntry + 1; }

    // The question text of an entry: line 1 after "k、" and the kind word.
    static Text questionOf(int entry) {
        Text prefix = concatText(toText(entry), "、");
        return textMid(line(firstLineOf(entry)), textLength(prefix) + textLength(kSingle) + 1,
                       textLength(line(firstLineOf(entry))));
    }
    static Text answerLettersOf(int entry) {
        return textMid(line(firstLineOf(entry) + 5), textLength(kAnswerPrefix) + 1, 99);
    }

    static LoadedBank* bank_;
};

LoadedBank* QuestionBankTest::bank_ = nullptr;

TEST_F(QuestionBankTest, BlockIsTextWithCrLfBreaksOnly) {
    std::string_view bytes = questionBank().view();
    EXPECT_EQ(bytes.size(), 37516u);
    EXPECT_EQ(bytes.find('\0'), std::string_view::npos);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << i;
        }
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << i;
        }
    }
    EXPECT_NE(bytes.back(), '\n');
    EXPECT_EQ(textLength(bank_->bankText), 37516);
}

TEST_F(QuestionBankTest, TwelveHundredLinesTheLongest425Bytes) {
    ASSERT_EQ(arraySize(bank_->bankLines), kBankLineCount);
    int longest = 0;
    for (int n = 1; n <= kBankLineCount; ++n) longest = std::max(longest, textLength(line(n)));
    EXPECT_EQ(longest, 425);
    EXPECT_EQ(findText(line(kBankLineCount), kAnswerPrefix, omitted, 0), 1);
}

TEST_F(QuestionBankTest, EveryEntryKeepsTheSixLineLayout) {
    for (int k = 1; k <= kBankEntryCount; ++k) {
        SCOPED_TRACE(k);
        const int first = firstLineOf(k);
        Text head = concatText(toText(k), "、");
        ASSERT_EQ(textLeft(line(first), textLength(head)), head);
        Text kind = textMid(line(first), textLength(head) + 1, textLength(kSingle));
        EXPECT_TRUE(kind == kSingle || kind == kMultiple);

        Text question = questionOf(k);
        EXPECT_GE(textLength(question), 22);
        EXPECT_LE(textLength(question), 414);
        EXPECT_FALSE(hasAsciiLetter(question));

        std::set<std::string> options;
        for (int x = 0; x < 4; ++x) {
            const Text& optionLine = line(first + 1 + x);
            ASSERT_EQ(textLeft(optionLine, kBankOptionPrefixLength), concatText(kLetters[x], "、"));
            Text option = textRight(optionLine, textLength(optionLine) - kBankOptionPrefixLength);
            EXPECT_FALSE(option.empty());
            EXPECT_FALSE(hasAsciiLetter(option));
            EXPECT_NE(findText(option, "、", omitted, 0), 1);
            options.insert(option.bytes());
        }
        // Distinct options, so that each correct option has exactly one page letter.
        EXPECT_EQ(options.size(), 4u);

        ASSERT_EQ(textLeft(line(first + 5), textLength(kAnswerPrefix)), kAnswerPrefix);
        // One to four of the letters A to D, each once, in ascending order.
        const std::string letters = answerLettersOf(k).bytes();
        EXPECT_TRUE(!letters.empty() && letters.size() <= 4 &&
                    letters.find_first_not_of("ABCD") == std::string::npos &&
                    std::adjacent_find(letters.begin(), letters.end(),
                                       std::greater_equal<char>()) == letters.end())
            << letters;
        EXPECT_EQ(kind == kSingle, letters.size() == 1);
    }
}

TEST_F(QuestionBankTest, KindsAndAnswerSizes) {
    std::map<int, int> entriesByLetterCount;
    int shortest = 1000, longest = 0;
    for (int k = 1; k <= kBankEntryCount; ++k) {
        ++entriesByLetterCount[textLength(answerLettersOf(k))];
        shortest = std::min(shortest, textLength(questionOf(k)));
        longest = std::max(longest, textLength(questionOf(k)));
    }
    EXPECT_EQ(entriesByLetterCount, (std::map<int, int>{{1, 138}, {2, 13}, {3, 33}, {4, 16}}));
    EXPECT_EQ(shortest, 22);
    EXPECT_EQ(longest, 414);
}

TEST_F(QuestionBankTest, EveryQuestionIsFoundAtItsOwnEntry) {
    for (int k = 1; k <= kBankEntryCount; ++k) {
        EXPECT_EQ(firstLineContaining(bank_->bankText, questionOf(k), false), firstLineOf(k)) << k;
    }
}

// Stronger than lookup needs: no question text stands in any other line, so
// a quiz page of any twenty entries finds each question on its own line.
TEST_F(QuestionBankTest, NoQuestionTextStandsInAnotherLine) {
    for (int k = 1; k <= kBankEntryCount; ++k) {
        Text question = questionOf(k);
        for (int n = 1; n <= kBankLineCount; ++n) {
            if (n == firstLineOf(k)) continue;
            EXPECT_EQ(findText(line(n), question, omitted, 1), -1)
                << "entry " << k << ", line " << n;
        }
    }
}

}  // namespace
