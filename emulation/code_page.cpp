// MultiByteToWideChar and WideCharToMultiByte for the ANSI code page 936 and
// for UTF-8, through iconv. Windows' code page 936 is GBK with 0x80 as the
// euro sign; iconv's CP936 agrees.
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "emulation/kernel32.h"
#include "emulation/testing.h"

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

// One iconv descriptor per direction and code page, opened on first use and
// kept for the life of the process.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much of [in, in + inLength) as possible; returns the number
    // of input bytes consumed and appends the output. Stops at the first
    // sequence it cannot convert.
    size_t convert(const char* in, size_t inLength, std::string& out) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* source = const_cast<char*>(in);
        size_t sourceLeft = inLength;
        char buffer[1024];
        while (sourceLeft > 0) {
            char* target = buffer;
            size_t targetLeft = sizeof buffer;
            size_t result = iconv(handle_, &source, &sourceLeft, &target, &targetLeft);
            out.append(buffer, static_cast<size_t>(target - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        return inLength - sourceLeft;
    }

private:
    iconv_t handle_;
};

Converter& toUtf16(UINT codePage) {
    static Converter fromAnsi("UTF-16LE", "CP936");
    static Converter fromUtf8("UTF-16LE", "UTF-8");
    return codePage == CP_UTF8 ? fromUtf8 : fromAnsi;
}

Converter& fromUtf16(UINT codePage) {
    static Converter toAnsi("CP936", "UTF-16LE");
    static Converter toUtf8("UTF-8", "UTF-16LE");
    return codePage == CP_UTF8 ? toUtf8 : toAnsi;
}

bool supported(UINT codePage) {
    return codePage == CP_ACP || codePage == 936 || codePage == CP_UTF8;
}

// Length in bytes of the character that starts a sequence iconv refused,
// so that the conversion can step over it.
size_t badSequenceLength(UINT codePage, const unsigned char* p, size_t left) {
    if (codePage == CP_UTF8) return 1;
    return (p[0] >= 0x81 && p[0] <= 0xFE && left >= 2 && p[1] >= 0x40 && p[1] != 0x7F) ? 2 : 1;
}

std::u16string decodeUtf16(const std::string& bytes) {
    std::u16string result(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < result.size(); ++i) {
        result[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return result;
}

// Converts multi-byte text to UTF-16, each undecodable character replaced.
// Sets `invalid` when a replacement was needed.
std::u16string multiByteToUtf16(UINT codePage, const char* text, size_t length, bool& invalid) {
    std::string utf16;
    size_t done = 0;
    while (done < length) {
        done += toUtf16(codePage).convert(text + done, length - done, utf16);
        if (done < length) {
            invalid = true;
            utf16.push_back(static_cast<char>(kReplacementCharacter & 0xFF));
            utf16.push_back(static_cast<char>(kReplacementCharacter >> 8));
            done += badSequenceLength(codePage, reinterpret_cast<const unsigned char*>(text) + done,
                                      length - done);
        }
    }
    return decodeUtf16(utf16);
}

std::string utf16ToMultiByte(UINT codePage, const char16_t* text, size_t length, char defaultChar,
                             bool& usedDefault) {
    std::string utf16;
    utf16.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        utf16.push_back(static_cast<char>(text[i] & 0xFF));
        utf16.push_back(static_cast<char>(text[i] >> 8));
    }
    std::string result;
    size_t done = 0;
    while (done < utf16.size()) {
        done += fromUtf16(codePage).convert(utf16.data() + done, utf16.size() - done, result);
        if (done < utf16.size()) {
            usedDefault = true;
            result.push_back(defaultChar);
            done += 2;
        }
    }
    return result;
}

size_t wideLengthOf(LPCWSTR text) {
    size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

}  // namespace

UINT GetACP() { return 936; }

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteLength,
                        LPWSTR wide, int wideLength) {
    if (!supported(codePage) || multiByte == nullptr || multiByteLength == 0 || wideLength < 0 ||
        (wide == nullptr && wideLength != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // A length of -1 converts up to and including the terminating zero.
    size_t length =
        multiByteLength < 0 ? std::strlen(multiByte) + 1 : static_cast<size_t>(multiByteLength);
    bool invalid = false;
    std::u16string converted = multiByteToUtf16(codePage, multiByte, length, invalid);
    if (invalid && (flags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    int needed = static_cast<int>(converted.size());
    if (wideLength == 0) return needed;
    if (needed > wideLength) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(wide, converted.data(), converted.size() * sizeof(char16_t));
    return needed;
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideLength, LPSTR multiByte,
                        int multiByteLength, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    if (!supported(codePage) || wide == nullptr || wideLength == 0 || multiByteLength < 0 ||
        (multiByte == nullptr && multiByteLength != 0) ||
        (codePage == CP_UTF8 && (defaultChar != nullptr || usedDefaultChar != nullptr))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length = wideLength < 0 ? wideLengthOf(wide) + 1 : static_cast<size_t>(wideLength);
    bool usedDefault = false;
    std::string converted = utf16ToMultiByte(
        codePage, wide, length, defaultChar != nullptr ? *defaultChar : '?', usedDefault);
    if (usedDefaultChar != nullptr) *usedDefaultChar = usedDefault ? TRUE : FALSE;
    int needed = static_cast<int>(converted.size());
    if (multiByteLength == 0) return needed;
    if (needed > multiByteLength) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(multiByte, converted.data(), converted.size());
    return needed;
}

namespace emulation {

std::string ansiToUtf8(std::string_view ansi) {
    if (ansi.empty()) return {};
    bool invalid = false;
    std::u16string wide = multiByteToUtf16(CP_ACP, ansi.data(), ansi.size(), invalid);
    bool usedDefault = false;
    return utf16ToMultiByte(CP_UTF8, wide.data(), wide.size(), '?', usedDefault);
}

std::string utf8ToAnsi(std::string_view utf8) {
    if (utf8.empty()) return {};
    bool invalid = false;
    std::u16string wide = multiByteToUtf16(CP_UTF8, utf8.data(), utf8.size(), invalid);
    bool usedDefault = false;
    return utf16ToMultiByte(CP_ACP, wide.data(), wide.size(), '?', usedDefault);
}

}  // namespace emulation
