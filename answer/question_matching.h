// Matching the quiz page's twenty questions against the question bank.
//
// Around question i the page text (lines split at "\r\n") holds, on line n,
// "i." followed by the question text; on lines n+2, n+4, n+6 and n+8 a
// two-byte prefix and the texts of options A to D. Options are matched by
// text, so a page that shows an entry's options in another order still gets
// the right page letters.
#pragma once

#include "answer/page_question.h"
#include "runtime/array.h"
#include "runtime/bytes.h"
#include "runtime/text.h"

inline constexpr int kQuizQuestionCount = 20;
// "A." on the page: the option letter and one more byte.
inline constexpr int kPageOptionPrefixLength = 2;

// Why a question's lines could not be read.
enum class UnreadableReason {
    kNone,
    kPageTooShort,  // the page text ends before the question's option lines
    kBankOverrun,   // the question is found in the bank's last five lines
};

struct MatchOutcome {
    // The twenty records, numbered 1 to 20. Matching stops at an unreadable
    // question: the records after it stay empty and nothing may be clicked.
    Array<PageQuestion> questions;
    int unreadableQuestion = 0;  // the question that stopped the run, 0 when none did
    UnreadableReason reason = UnreadableReason::kNone;

    bool complete() const { return unreadableQuestion == 0; }
};

MatchOutcome matchPageQuestions(const Text& pageText, const Bytes& bank);
