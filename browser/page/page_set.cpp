#include "browser/page/page_set.h"

#include "browser/page/address.h"

namespace browser {

PageSet& PageSet::add(std::string_view address, std::string cp936Html) {
    pages_[withoutFragment(address)] = std::move(cp936Html);
    return *this;
}

const std::string* PageSet::find(std::string_view address) const {
    auto found = pages_.find(withoutFragment(address));
    return found == pages_.end() ? nullptr : &found->second;
}

}  // namespace browser
