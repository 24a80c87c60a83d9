// make-quiz-page [--seed N] PAGE.txt EXPECTED.txt [PAGE.html]
//
// Writes a quiz page text (code page 936) of twenty bank entries with their
// options shuffled, beside it the page letters that answer them, in the form
// vexaro-match prints, and optionally the same page as HTML.
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
    if (argc >= 3 && std::strcmp(argv[1], "--seed") == 0) {
        seed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
        first = 3;
    }
    const int outputs = argc - first;
    if (outputs != 2 && outputs != 3) {
        std::fprintf(stderr,
                     "usage: make-quiz-page [--seed N] PAGE.txt EXPECTED.txt [PAGE.html]\n");
        return 2;
    }
    QuizPage page = makeQuizPage(questionBank(), seed);
    const Text contents[] = {page.text, expectedLettersListing(page), page.html};
    for (int i = 0; i < outputs; ++i) {
        if (!writeFile(argv[first + i], contents[i])) {
            std::fprintf(stderr, "make-quiz-page: cannot write %s\n", argv[first + i]);
            return 1;
        }
    }
    return 0;
}
