#include "tools/quiz_page.h"

#include <numeric>

#include "answer/question_bank.h"
#include "answer/question_matching.h"
#include "runtime/conversions.h"

namespace {

// A small generator whose sequence is the same on every platform (the
// standard distributions are not).
class SeededSequence {
public:
    explicit SeededSequence(std::uint32_t seed) : state_(seed) {}

    // A number from 0 to bound - 1.
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }

private:
    std::uint64_t next() {  // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_;
};

template <class T, std::size_t N>
void shuffle(T (&items)[N], SeededSequence& sequence) {
    for (std::size_t i = N - 1; i > 0; --i) {
        std::swap(items[i], items[sequence.below(static_cast<std::uint32_t>(i + 1))]);
    }
}

Text bankLine(const LoadedBank& bank, int entry, int lineInEntry) {
    return arrayElement(bank.bankLines, (entry - 1) * kBankLinesPerEntry + lineInEntry);
}

// The question text: line 1 of the entry after "k、" and the six-byte kind word.
Text questionTextOf(const LoadedBank& bank, int entry) {
    Text line = bankLine(bank, entry, 1);
    int afterNumber = findText(line, "、", omitted, 0) + textLength("、");
    return textMid(line, afterNumber + textLength("单选题"), textLength(line));
}

Text optionTextOf(const LoadedBank& bank, int entry, int option) {
    Text line = bankLine(bank, entry, 2 + option);
    return textRight(line, textLength(line) - kBankOptionPrefixLength);
}

Text expectedLettersOf(const LoadedBank& bank, const QuizPageQuestion& q) {
    Text answer = bankLine(bank, q.entry, 6);
    Text letters;
    for (int bankOption = 0; bankOption < 4; ++bankOption) {
        if (findText(answer, kOptionLetters[bankOption], textLength("答案：") + 1, 0) == -1)
            continue;
        for (int pageOption = 0; pageOption < 4; ++pageOption) {
            if (q.optionOrder[pageOption] == bankOption)
                letters = concatText(letters, kOptionLetters[pageOption]);
        }
    }
    return letters;
}

}  // namespace

Text quizPageText(const QuizPage& page) {
    std::string text = concatText(kQuizTitle, "\r\n", kQuizInstructions, "\r\n\r\n").bytes();
    for (std::size_t i = 0; i < page.questions.size(); ++i) {
        const QuizPageQuestion& q = page.questions[i];
        text += concatText(toText(static_cast<std::int32_t>(i + 1)), ".", q.questionText, "\r\n")
                    .view();
        for (int pageOption = 0; pageOption < 4; ++pageOption) {
            text +=
                concatText("\r\n", kOptionLetters[pageOption], ".", q.options[pageOption], "\r\n")
                    .view();
        }
        text += "\r\n";
    }
    text += kNextButtonText;
    return Text(std::move(text));
}

QuizPage makeQuizPageOf(const Bytes& bankBlock, const std::vector<int>& entries,
                        std::uint32_t seed) {
    LoadedBank bank = loadBank(bankBlock);
    SeededSequence sequence(seed);
    QuizPage page;
    for (int entry : entries) {
        QuizPageQuestion q;
        q.entry = entry;
        shuffle(q.optionOrder, sequence);
        q.expectedLetters = expectedLettersOf(bank, q);
        q.questionText = questionTextOf(bank, entry);
        for (int pageOption = 0; pageOption < 4; ++pageOption) {
            q.options[pageOption] = optionTextOf(bank, entry, q.optionOrder[pageOption]);
        }
        page.questions.push_back(q);
    }
    page.text = quizPageText(page);
    page.html = quizPageHtml(page);
    return page;
}

QuizPage makeQuizPage(const Bytes& bank, std::uint32_t seed) {
    int entries[kBankEntryCount];
    std::iota(std::begin(entries), std::end(entries), 1);
    SeededSequence sequence(seed ^ 0x51A5EEDu);
    shuffle(entries, sequence);
    return makeQuizPageOf(bank, std::vector<int>(entries, entries + kQuizQuestionCount), seed);
}

Text expectedLettersListing(const QuizPage& page) {
    std::string listing;
    for (std::size_t i = 0; i < page.questions.size(); ++i) {
        listing += concatText(toText(static_cast<std::int32_t>(i + 1)), "\t",
                              page.questions[i].expectedLetters, "\n")
                       .view();
    }
    return Text(std::move(listing));
}
