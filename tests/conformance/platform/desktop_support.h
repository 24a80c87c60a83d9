// What the desktop's conformance tests need that the two platforms provide
// differently: a window that does not answer, mouse input as the hardware
// delivers it, and a census of live objects for leak checks. The Windows
// build gets them from the system, the host build from the emulation's
// hooks; each has its own source file.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

// A top-level window that receives messages but never answers them: on
// Windows it belongs to a thread that does not look at its queue; on the
// host it is a hung window of the emulation.
class UnansweringWindow {
public:
    UnansweringWindow();
    ~UnansweringWindow();
    UnansweringWindow(const UnansweringWindow&) = delete;
    UnansweringWindow& operator=(const UnansweringWindow&) = delete;

    HWND handle() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Mouse input at a screen point, queued for the thread of the window under
// it as the hardware would queue it.
void injectMouseMove(int x, int y);
void injectLeftButton(bool down);

// The objects of the process that a test must leave as it found them:
// windows of the calling thread, and GDI and user objects, as text.
std::string desktopCensus();

// Records the messages that windows of the probe class receive.
struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    bool operator==(const LoggedMessage& other) const {
        return window == other.window && message == other.message && wParam == other.wParam &&
               lParam == other.lParam;
    }
};
void PrintTo(const LoggedMessage& logged, std::ostream* out);

// A fixture for tests that make windows: it registers the probe class, whose
// procedure logs the messages a test asks for and answers them as
// DefWindowProcA does, destroys the windows a test made, and checks that
// the census is unchanged at the end.
class DesktopTest : public ::testing::Test {
public:
    static constexpr const char* kProbeClass = "VexaroProbe";
    // A probe window whose user data is this answers WM_NCHITTEST with
    // HTTRANSPARENT.
    static constexpr LONG_PTR kTransparent = 0x7A7A;

    // Messages to log, from now on; the log starts empty.
    static void logMessages(std::vector<UINT> messages);
    static std::vector<LoggedMessage>& log();

    // Dispatches everything the thread's queue holds.
    static void pump();

protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the probe class, destroyed at the end of the test.
    HWND makeWindow(DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                    const char* text = "", DWORD exStyle = 0);
    HWND makeWindowOfClass(const char* className, DWORD style, int x, int y, int width, int height,
                           HWND parent = nullptr, const char* text = "", DWORD exStyle = 0);

private:
    std::string census_;
    std::vector<HWND> windows_;
};
