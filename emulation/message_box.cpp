// MessageBoxA of the emulated desktop: nobody is there to press a button, so
// the box is recorded for tests, written to standard error, and answered with
// its default button at once.
#include <cstdio>

#include "emulation/testing.h"
#include "emulation/user32.h"

namespace {

const char* iconName(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return "error";
        case MB_ICONQUESTION:
            return "question";
        case MB_ICONWARNING:
            return "warning";
        case MB_ICONINFORMATION:
            return "information";
        default:
            return "none";
    }
}

std::vector<emulation::ShownMessageBox>& boxes() {
    static std::vector<emulation::ShownMessageBox> shown;
    return shown;
}
}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    std::string textBytes = text != nullptr ? text : "";
    // Windows shows "Error" when no caption is given.
    std::string captionBytes = caption != nullptr ? caption : "Error";
    std::fprintf(stderr, "[message box owner=%lu icon=%s] %s: %s\n",
                 static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(owner)),
                 iconName(type), emulation::ansiToUtf8(captionBytes).c_str(),
                 emulation::ansiToUtf8(textBytes).c_str());
    std::fflush(stderr);
    boxes().push_back({owner, std::move(textBytes), std::move(captionBytes), type});
    return IDOK;
}

namespace emulation {
const std::vector<ShownMessageBox>& shownMessageBoxes() { return boxes(); }
void forgetShownMessageBoxes() { boxes().clear(); }
}  // namespace emulation
