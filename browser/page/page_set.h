// The pages a browser can load: HTML (code page 936) by address, held in
// memory. Addresses are matched exactly, without their "#fragment".
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace browser {

class PageSet {
public:
    // Adds or replaces the page at the address.
    PageSet& add(std::string_view address, std::string cp936Html);
    // The page's HTML, or nullptr when the set has no page there. The pointer
    // is valid until the set changes.
    const std::string* find(std::string_view address) const;

private:
    std::map<std::string, std::string, std::less<>> pages_;
};

}  // namespace browser
