// vexaro-match PAGE.txt
//
// Prints the page letters the tool would click for the twenty questions of a
// quiz page text (code page 936): lines "N<TAB>LETTERS". When a question
// cannot be read, prints nothing on standard output, names the question on
// standard error and exits 1.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "answer/question_bank.h"
#include "answer/question_matching.h"
#include "runtime/conversions.h"

namespace {

const char* describe(UnreadableReason reason) {
    switch (reason) {
        case UnreadableReason::kPageTooShort:
            return "the page text ends before its four option lines";
        case UnreadableReason::kBankOverrun:
            return "its text is found only in the last lines of the question bank";
        case UnreadableReason::kNone:
            break;
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vexaro-match PAGE.txt\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vexaro-match: cannot read %s\n", argv[1]);
        return 2;
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};

    MatchOutcome outcome = matchPageQuestions(toText(Bytes(std::move(bytes))), questionBank());
    if (!outcome.complete()) {
        std::fprintf(stderr, "vexaro-match: question %d cannot be read: %s\n",
                     outcome.unreadableQuestion, describe(outcome.reason));
        return 1;
    }
    for (int i = 1; i <= kQuizQuestionCount; ++i) {
        std::printf("%d\t%s\n", i, arrayElement(outcome.questions, i).answerLetters.c_str());
    }
    return 0;
}
