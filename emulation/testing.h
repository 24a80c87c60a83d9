// Host-only hooks into the emulated desktop, for tests and the demo. Nothing
// here exists on Windows; code that builds for both platforms never uses it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "emulation/com_base.h"
#include "emulation/win32_types.h"

namespace emulation {

// A message box as MessageBoxA showed it. Text and caption are the caller's
// bytes (code page 936), not converted.
struct ShownMessageBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

const std::vector<ShownMessageBox>& shownMessageBoxes();
void forgetShownMessageBoxes();

// Number of messages waiting in the calling thread's queue, the quit request
// included.
int queuedMessageCount();

// Code page 936 bytes as UTF-8, for text written to a terminal. Bytes that
// are not valid code page 936 become U+FFFD.
std::string ansiToUtf8(std::string_view ansi);
std::string utf8ToAnsi(std::string_view utf8);

// CoInitialize calls on the calling thread not yet balanced by
// CoUninitialize.
int comInitializeDepth();

// Programmatic identifiers CLSIDFromProgID (and CLSIDFromString) know besides
// the emulation's own ("InternetExplorer.Application", "Scripting.Dictionary").
// Names are matched without regard to ASCII case.
void registerProgId(const std::u16string& progId, const CLSID& clsid);
void forgetProgId(const std::u16string& progId);

}  // namespace emulation
