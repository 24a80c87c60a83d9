// One question of the quiz page as the matching works it out.
#pragma once

#include <cstdint>

#include "runtime/text.h"

struct PageQuestion {
    // The question as cut from the page, possibly shortened to 30 bytes.
    Text questionText;
    // The first page line containing questionText, 0 when none does.
    std::int32_t pageLine = 0;
    // The page's option texts without their two-byte prefix.
    Text optionA, optionB, optionC, optionD;
    // The bank line taken as the entry's answer line, and that line.
    std::int32_t answerLine = 0;
    Text answerText;
    // The bank's option texts of the correct letters; empty for the others.
    Text bankOptionA, bankOptionB, bankOptionC, bankOptionD;
    // The page letters to click, in the bank's letter order. The only field
    // read once matching is done.
    Text answerLetters;
};
