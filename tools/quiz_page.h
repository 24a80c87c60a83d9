// Builds quiz page texts from the question bank, in the line layout the
// matching reads: a header, then for each of twenty questions its line
// "i.question", and two lines apart below it the options "A." to "D." in a
// shuffled order, and at the end the next-question button's text. Beside the
// text it gives the page letters that answer each question, worked out from
// the shuffle alone, so that they check the matching independently.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/array.h"
#include "runtime/bytes.h"
#include "runtime/text.h"

inline constexpr const char* kQuizTitle = "安全知识网上答题（201802期）";
inline constexpr const char* kQuizInstructions = "共20题，请选出正确答案后点击“下一题”";
inline constexpr const char* kNextButtonText = "下一题";
inline constexpr const char* kOptionLetters[4] = {"A", "B", "C", "D"};

struct QuizPageQuestion {
    Text questionText;                  // as the bank words it
    Text options[4];                    // option texts in page order, A to D
    int entry = 0;                      // bank entry number, 1 to 200
    int optionOrder[4] = {0, 1, 2, 3};  // bank option (0 = A) shown as page option A, B, C, D
    Text expectedLetters;               // page letters of the correct options, in bank letter order
};

struct QuizPage {
    std::vector<QuizPageQuestion> questions;  // in page order
    Text text;                                // code page 936, "\r\n" line breaks
    // The same page as HTML (code page 936) for the browser component: its
    // visible text is `text`, inputs "ra_0" to "ra_19" four per name (radio
    // for one right answer, checkbox for more), a "下一题" element that moves
    // on, and the page's own grading, which script can read: `score` (right
    // answers so far), `answered` (questions moved past) and `results`.
    Text html;
};

// Twenty distinct entries chosen and their options shuffled from the seed;
// the same seed gives the same page on every platform.
QuizPage makeQuizPage(const Bytes& bank, std::uint32_t seed);

// The given entries in the given order, options shuffled from the seed.
QuizPage makeQuizPageOf(const Bytes& bank, const std::vector<int>& entries, std::uint32_t seed);

// The page's visible text and its HTML, from its questions.
Text quizPageText(const QuizPage& page);
Text quizPageHtml(const QuizPage& page);

// The expected letters as vexaro-match prints them: "N\tLETTERS" lines.
Text expectedLettersListing(const QuizPage& page);
