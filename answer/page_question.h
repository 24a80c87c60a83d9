// One question of the quiz page as the matching works it out.
#pragma once

#include <cstdint>

#include "runtime/text.h"

struct PageQuestion {
    Text questionText;      // cut from the page, possibly shortened to 30 bytes
    std::int32_t pageLine = 0;    // first page line containing questionText, 0 when none
    Text optionA, optionB, optionC, optionD;  // page option texts without their prefix
    std::int32_t answerLine = 0;  // bank line taken as the entry's answer line
    Text answerText;        // that bank line
    // The bank's option texts of the correct letters, empty for the others.
    Text bankOptionA, bankOptionB, bankOptionC, bankOptionD;
    Text answerLetters;     // the page letters to click, in the bank's letter order
};
