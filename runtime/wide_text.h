// Text crosses the COM boundary as UTF-16, converted in the ANSI code page
// (936) with MultiByteToWideChar and WideCharToMultiByte, no flags.
#pragma once

#include <string>

#include "platform/win32.h"
#include "runtime/text.h"

using WideText = std::basic_string<OLECHAR>;

WideText toWideText(const Text& text);
Text fromWideText(const OLECHAR* text, int length);

// A new BSTR with the text's UTF-16 form; the caller frees it.
BSTR allocateBstr(const Text& text);
// The text of a BSTR; a null or empty string gives the empty text.
Text textOfBstr(BSTR text);
