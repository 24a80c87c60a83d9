#include "browser/page/cookie_jar.h"

#include <cstdlib>

#include "browser/dom/element.h"

namespace browser {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// True for "max-age=0" (or below) and for an "expires" date whose year is
// before 1971, the way pages delete a cookie.
bool deletes(std::string_view attribute) {
    size_t equals = attribute.find('=');
    if (equals == std::string_view::npos) return false;
    std::string name = dom::asciiLower(trimmed(attribute.substr(0, equals)));
    std::string value(trimmed(attribute.substr(equals + 1)));
    if (name == "max-age") return std::atol(value.c_str()) <= 0;
    if (name != "expires") return false;
    for (size_t i = 0; i + 4 <= value.size(); ++i) {
        bool digits = true;
        for (size_t k = 0; k < 4; ++k)
            digits = digits && value[i + k] >= '0' && value[i + k] <= '9';
        if (digits) return std::atoi(value.substr(i, 4).c_str()) < 1971;
    }
    return false;
}

}  // namespace

std::string CookieJar::cookies(std::string_view domain) const {
    auto jar = jars_.find(domain);
    if (jar == jars_.end()) return {};
    std::string text;
    for (const auto& [name, value] : jar->second) {
        if (!text.empty()) text += "; ";
        text += name.empty() ? value : name + "=" + value;
    }
    return text;
}

void CookieJar::setCookie(std::string_view domain, std::string_view assignment) {
    size_t semicolon = assignment.find(';');
    std::string_view pair = trimmed(assignment.substr(0, semicolon));
    bool remove = false;
    while (semicolon != std::string_view::npos) {
        assignment = assignment.substr(semicolon + 1);
        semicolon = assignment.find(';');
        remove = remove || deletes(assignment.substr(0, semicolon));
    }
    if (pair.empty()) return;
    size_t equals = pair.find('=');
    std::string name(equals == std::string_view::npos ? std::string_view()
                                                      : trimmed(pair.substr(0, equals)));
    std::string value(equals == std::string_view::npos ? pair : pair.substr(equals + 1));

    auto& jar = jars_[std::string(domain)];
    for (auto it = jar.begin(); it != jar.end(); ++it) {
        if (it->first != name) continue;
        if (remove) {
            jar.erase(it);
        } else {
            it->second = value;
        }
        return;
    }
    if (!remove) jar.emplace_back(std::move(name), std::move(value));
}

}  // namespace browser
