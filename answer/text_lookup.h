// Text lookups of the answering engine, on the bank and on the page text.
#pragma once

#include "runtime/text.h"

// The number of the first line (split at "\r\n") that contains the needle,
// or 0. Without caseSensitive, one-byte letters match in either case. An
// empty needle is found in the first non-empty line.
int firstLineContaining(const Text& text, const Text& needle, bool caseSensitive);

// The text between the first startMarker at or after `start` and the next
// endMarker after it; empty when either is missing. "#引号" in a marker
// stands for a double quote.
Text textBetween(const Text& text, const Text& startMarker, const Text& endMarker, int start,
                 int ignoreCase);

// Non-overlapping occurrences of the needle at character starts; 0 when the
// text or the needle is empty.
int countOccurrences(const Text& text, const Text& needle, bool caseSensitive);
