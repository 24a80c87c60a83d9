// Cookies as document.cookie gives and takes them, one list per domain in the
// order the cookies were first set. Paths, expiry and the other attributes
// are read past: every page of a domain sees every cookie of that domain.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace browser {

class CookieJar {
public:
    // "a=b; c=d": the domain's cookies, in the order they were first set.
    std::string cookies(std::string_view domain) const;
    // "name=value; path=/; expires=...": adds the cookie or replaces the
    // value of the one with that name; "name=" with an expiry in the past
    // ("max-age=0" or an "expires" before 1971) removes it.
    void setCookie(std::string_view domain, std::string_view assignment);

private:
    std::map<std::string, std::vector<std::pair<std::string, std::string>>, std::less<>> jars_;
};

}  // namespace browser
