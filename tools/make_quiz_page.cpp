// make-quiz-page [--seed N] PAGE.txt EXPECTED.txt
//
// Writes a quiz page text (code page 936) of twenty bank entries with their
// options shuffled, and beside it the page letters that answer them, in the
// form vexaro-match prints.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "answer/question_bank.h"
#include "tools/quiz_page.h"

namespace {

bool writeFile(const char* path, const Text& text) {
    std::ofstream out(path, std::ios::binary);
    out << text.bytes();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::uint32_t seed = 201802;
    int first = 1;
    if (argc == 5 && std::strcmp(argv[1], "--seed") == 0) {
        seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
        first = 3;
    }
    if (argc - first != 2) {
        std::fprintf(stderr, "usage: make-quiz-page [--seed N] PAGE.txt EXPECTED.txt\n");
        return 2;
    }
    QuizPage page = makeQuizPage(questionBank(), seed);
    if (!writeFile(argv[first], page.text) ||
        !writeFile(argv[first + 1], expectedLettersListing(page))) {
        std::fprintf(stderr, "make-quiz-page: cannot write %s or %s\n", argv[first],
                     argv[first + 1]);
        return 1;
    }
    return 0;
}
