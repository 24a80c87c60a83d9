#include "browser/page/address.h"

#include <vector>

#include "browser/dom/element.h"

namespace browser {

namespace {

bool isSchemeCharacter(char c, bool first) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (first) return letter;
    return letter || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The scheme's length when the address starts with "scheme:", else 0.
size_t schemeLength(std::string_view address) {
    for (size_t i = 0; i < address.size(); ++i) {
        if (address[i] == ':') return i;
        if (!isSchemeCharacter(address[i], i == 0)) return 0;
    }
    return 0;
}

// "/a/b/../c/./d" becomes "/a/c/d"; a trailing "." or ".." keeps its "/".
std::string normalisedPath(std::string_view path) {
    std::vector<std::string> segments;
    size_t start = path.empty() || path[0] != '/' ? 0 : 1;
    bool trailingSlash = false;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        std::string_view segment = path.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        bool last = end == std::string_view::npos;
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
            trailingSlash = last;
        } else if (segment == ".") {
            trailingSlash = last;
        } else {
            segments.emplace_back(segment);
            trailingSlash = false;
        }
        if (last) break;
        start = end + 1;
    }
    std::string joined;
    for (size_t i = 0; i < segments.size(); ++i) {
        joined += '/';
        joined += segments[i];
    }
    if (trailingSlash || joined.empty()) joined += '/';
    return joined;
}

std::string joined(const AddressParts& parts) {
    std::string address = parts.scheme + ":";
    if (!parts.host.empty() || parts.scheme == "http" || parts.scheme == "https" ||
        parts.scheme == "file") {
        address += "//" + parts.host;
        if (!parts.port.empty()) address += ":" + parts.port;
    }
    return address + parts.path + parts.query + parts.fragment;
}

}  // namespace

AddressParts splitAddress(std::string_view address) {
    AddressParts parts;
    size_t hash = address.find('#');
    if (hash != std::string_view::npos) {
        parts.fragment = address.substr(hash);
        address = address.substr(0, hash);
    }
    size_t question = address.find('?');
    if (question != std::string_view::npos) {
        parts.query = address.substr(question);
        address = address.substr(0, question);
    }
    size_t colon = schemeLength(address);
    if (colon > 0) {
        parts.scheme = dom::asciiLower(address.substr(0, colon));
        address = address.substr(colon + 1);
    }
    if (address.substr(0, 2) == "//") {
        address = address.substr(2);
        size_t slash = address.find('/');
        std::string_view authority = address.substr(0, slash);
        address = slash == std::string_view::npos ? std::string_view() : address.substr(slash);
        size_t at = authority.rfind('@');
        if (at != std::string_view::npos) authority = authority.substr(at + 1);
        size_t portColon = authority.rfind(':');
        if (portColon != std::string_view::npos) {
            parts.port = authority.substr(portColon + 1);
            authority = authority.substr(0, portColon);
        }
        parts.host = dom::asciiLower(authority);
        if (address.empty()) address = "/";
    }
    parts.path = address;
    return parts;
}

std::string resolveAddress(std::string_view base, std::string_view relative) {
    while (!relative.empty() && (relative.front() == ' ' || relative.front() == '\t' ||
                                 relative.front() == '\r' || relative.front() == '\n')) {
        relative.remove_prefix(1);
    }
    while (!relative.empty() && (relative.back() == ' ' || relative.back() == '\t' ||
                                 relative.back() == '\r' || relative.back() == '\n')) {
        relative.remove_suffix(1);
    }
    if (schemeLength(relative) > 0) {
        AddressParts parts = splitAddress(relative);
        if (parts.scheme == "http" || parts.scheme == "https") {
            parts.path = normalisedPath(parts.path);
            return joined(parts);
        }
        return std::string(relative);
    }
    AddressParts parts = splitAddress(base);
    if (parts.scheme.empty()) return std::string(relative);
    if (relative.empty()) {
        parts.fragment.clear();
        return joined(parts);
    }
    if (relative.substr(0, 2) == "//")
        return resolveAddress(base, parts.scheme + ":" + std::string(relative));
    AddressParts given = splitAddress(relative);
    if (relative.front() == '#') {
        parts.fragment = given.fragment;
        return joined(parts);
    }
    parts.fragment = given.fragment;
    if (relative.front() == '?') {
        parts.query = given.query;
        return joined(parts);
    }
    parts.query = given.query;
    if (relative.front() == '/') {
        parts.path = normalisedPath(given.path);
    } else {
        size_t slash = parts.path.rfind('/');
        std::string directory = slash == std::string::npos ? "/" : parts.path.substr(0, slash + 1);
        parts.path = normalisedPath(directory + given.path);
    }
    return joined(parts);
}

std::string withoutFragment(std::string_view address) {
    return std::string(address.substr(0, address.find('#')));
}

std::string domainOf(std::string_view address) { return splitAddress(address).host; }

bool isScriptAddress(std::string_view address) {
    return dom::equalsIgnoringAsciiCase(address.substr(0, 11), "javascript:");
}

}  // namespace browser
