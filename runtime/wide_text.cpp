#include "runtime/wide_text.h"

WideText toWideText(const Text& text) {
    if (text.empty()) return {};
    int length = textLength(text);
    int needed = MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, nullptr, 0);
    if (needed <= 0) return {};
    WideText wide(static_cast<std::size_t>(needed), OLECHAR{0});
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, wide.data(), needed);
    return wide;
}

Text fromWideText(const OLECHAR* text, int length) {
    if (text == nullptr || length <= 0) return {};
    int needed = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, bytes.data(), needed, nullptr, nullptr);
    return Text(std::move(bytes));
}

BSTR allocateBstr(const Text& text) {
    WideText wide = toWideText(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

Text textOfBstr(BSTR text) { return fromWideText(text, static_cast<int>(SysStringLen(text))); }
