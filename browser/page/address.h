// Page addresses: "http://host:port/path?query#fragment" and the forms a page
// writes in its links and frames. Addresses are ASCII (code page 936 bytes
// pass through unchanged); nothing is percent-decoded.
#pragma once

#include <string>
#include <string_view>

namespace browser {

struct AddressParts {
    std::string scheme;    // "http", lower case; "" for a relative address
    std::string host;      // "quiz.example.com", lower case
    std::string port;      // "8080", or ""
    std::string path;      // "/dir/page.html"
    std::string query;     // "?a=1", with its "?", or ""
    std::string fragment;  // "#top", with its "#", or ""
};

AddressParts splitAddress(std::string_view address);

// The address a link or frame source means on a page at `base`: absolute
// addresses as they are, "//host/..." with the base's scheme, "/path" on the
// base's host, "?query" and "#fragment" on the base's path, anything else
// beside the base's last "/". "." and ".." segments are resolved.
std::string resolveAddress(std::string_view base, std::string_view relative);

// The address without its "#fragment".
std::string withoutFragment(std::string_view address);

// The host a page's domain is ("" for about:blank and other addresses
// without one).
std::string domainOf(std::string_view address);

// True for "javascript:..." (in any letter case).
bool isScriptAddress(std::string_view address);

}  // namespace browser
