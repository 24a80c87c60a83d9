#include "answer/question_matching.h"

#include "answer/question_bank.h"
#include "answer/text_lookup.h"
#include "runtime/conversions.h"

namespace {

constexpr int kShortenedQuestionLength = 30;
// Option lines stand two lines apart below the question line.
constexpr int kLastOptionLineOffset = 8;

Text withoutPrefix(const Text& line, int prefixLength) {
    return textRight(line, textLength(line) - prefixLength);
}

// Cuts question i and its options out of the page. Returns false, reading
// nothing, when the page text ends before the option lines: indexes taken
// from page text are checked here, not left to the fatal checked access.
bool readPageQuestion(int i, const Text& pageText, const TextArray& pageLines, PageQuestion& q) {
    q.questionText = textBetween(pageText, concatText(toText(i), "."), "\r\n", 0, 0);
    // A question text with exactly one "A" is looked up by its first 30 bytes.
    if (countOccurrences(q.questionText, "A", false) == 1) {
        q.questionText = textLeft(q.questionText, kShortenedQuestionLength);
    }
    q.pageLine = firstLineContaining(pageText, q.questionText, false);
    if (q.pageLine + kLastOptionLineOffset > arraySize(pageLines)) return false;

    Text* options[] = {&q.optionA, &q.optionB, &q.optionC, &q.optionD};
    for (int k = 0; k < 4; ++k) {
        *options[k] = withoutPrefix(arrayElement(pageLines, q.pageLine + 2 * (k + 1)),
                                    kPageOptionPrefixLength);
    }
    return true;
}

// Appends the page letters whose option texts equal the bank's correct
// options. Returns false when the question sits in the bank's last five lines,
// so that no answer line follows it.
bool matchAgainstBank(const LoadedBank& bank, PageQuestion& q) {
    q.answerLine = firstLineContaining(bank.bankText, q.questionText, false) + 5;
    if (q.answerLine > arraySize(bank.bankLines)) return false;
    q.answerText = arrayElement(bank.bankLines, q.answerLine);

    const char* letters[] = {"A", "B", "C", "D"};
    Text* bankOptions[] = {&q.bankOptionA, &q.bankOptionB, &q.bankOptionC, &q.bankOptionD};
    const Text* pageOptions[] = {&q.optionA, &q.optionB, &q.optionC, &q.optionD};
    for (int x = 0; x < 4; ++x) {
        // A letter that occurs twice counts as absent.
        if (countOccurrences(q.answerText, letters[x], false) != 1) continue;
        *bankOptions[x] = withoutPrefix(arrayElement(bank.bankLines, q.answerLine - 4 + x),
                                        kBankOptionPrefixLength);
        for (int y = 0; y < 4; ++y) {
            if (compareText(*bankOptions[x], *pageOptions[y]) == 0) {
                q.answerLetters = concatText(q.answerLetters, letters[y]);
            }
        }
    }
    return true;
}

}  // namespace

MatchOutcome matchPageQuestions(const Text& pageText, const Bytes& bankBlock) {
    LoadedBank bank = loadBank(bankBlock);
    TextArray pageLines = splitText(pageText, "\r\n");

    MatchOutcome outcome;
    resizeArray(outcome.questions, kQuizQuestionCount);
    for (int i = 1; i <= kQuizQuestionCount; ++i) {
        PageQuestion& q = arrayElement(outcome.questions, i);
        UnreadableReason reason = UnreadableReason::kNone;
        if (!readPageQuestion(i, pageText, pageLines, q)) {
            reason = UnreadableReason::kPageTooShort;
        } else if (!matchAgainstBank(bank, q)) {
            reason = UnreadableReason::kBankOverrun;
        }
        if (reason != UnreadableReason::kNone) {
            outcome.unreadableQuestion = i;
            outcome.reason = reason;
            return outcome;
        }
    }
    return outcome;
}
