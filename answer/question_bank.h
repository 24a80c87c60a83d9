// The question bank compiled into the program: 200 entries of six lines,
// code page 936 text with "\r\n" line breaks and none at the end.
//
// Entry k occupies lines 6k-5 to 6k: "k、" with the kind word and the question
// text, then "A、" to "D、" with the option texts, then "答案：" with the
// letters of the correct options in ascending order.
#pragma once

#include "runtime/bytes.h"
#include "runtime/text.h"

inline constexpr int kBankEntryCount = 200;
inline constexpr int kBankLinesPerEntry = 6;
inline constexpr int kBankLineCount = kBankEntryCount * kBankLinesPerEntry;
// "A、": the option letter and a two-byte mark.
inline constexpr int kBankOptionPrefixLength = 3;

// The embedded block, one constant for the life of the program.
const Bytes& questionBank();

// The bank as one run uses it: the text and its lines, built anew each run.
struct LoadedBank {
    Text bankText;
    TextArray bankLines;  // element n is line n
};

LoadedBank loadBank(const Bytes& bank);
