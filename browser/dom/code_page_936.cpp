#include "browser/dom/code_page_936.h"

#include <iconv.h>

#include <cerrno>

namespace dom {
namespace {

// One iconv descriptor per direction, opened for each call: the tree is
// converted a page or a fragment at a time, so the cost is small.
class Conversion {
public:
    Conversion(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Conversion() {
        if (valid()) iconv_close(handle_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts from *source as far as it can; returns false when it stopped
    // at a sequence it cannot convert (left at *source).
    bool run(const char*& source, size_t& left, std::string& out) {
        char buffer[1024];
        while (left > 0) {
            char* input = const_cast<char*>(source);
            char* target = buffer;
            size_t room = sizeof buffer;
            size_t result = iconv(handle_, &input, &left, &target, &room);
            source = input;
            out.append(buffer, static_cast<size_t>(target - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t handle_;
};

// The length of the UTF-8 sequence that starts with lead, at least 1.
size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string cp936ToUtf8(std::string_view cp936) {
    std::string out;
    out.reserve(cp936.size() + cp936.size() / 2);
    Conversion conversion("UTF-8", "CP936");
    if (!conversion.valid()) return out;
    const char* source = cp936.data();
    size_t left = cp936.size();
    while (!conversion.run(source, left, out)) {
        out += "\xEF\xBF\xBD";  // U+FFFD
        unsigned char lead = static_cast<unsigned char>(*source);
        size_t skip = (lead >= 0x81 && lead <= 0xFE && left >= 2) ? 2 : 1;
        source += skip;
        left -= skip;
    }
    return out;
}

std::string utf8ToCp936(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    Conversion conversion("CP936", "UTF-8");
    if (!conversion.valid()) return out;
    const char* source = utf8.data();
    size_t left = utf8.size();
    while (!conversion.run(source, left, out)) {
        bool noBreakSpace = left >= 2 && static_cast<unsigned char>(source[0]) == 0xC2 &&
                            static_cast<unsigned char>(source[1]) == 0xA0;
        out += noBreakSpace ? ' ' : '?';
        // Step over the lead byte and the continuation bytes that belong to it.
        size_t length = utf8SequenceLength(static_cast<unsigned char>(*source));
        size_t skip = 1;
        while (skip < length && skip < left &&
               (static_cast<unsigned char>(source[skip]) & 0xC0) == 0x80) {
            ++skip;
        }
        source += skip;
        left -= skip;
    }
    return out;
}

}  // namespace dom
