#include "browser/objects/member_table.h"

namespace browser {

namespace {

thread_local std::string exceptionText;

}  // namespace

const VARIANT* MethodArguments::at(UINT i) const {
    const VARIANT* value = arguments_.at(i);
    return value == nullptr ? nullptr : &dereferenced(*value);
}

bool MethodArguments::given(UINT i) const {
    const VARIANT* value = at(i);
    return value != nullptr && !isMissing(*value);
}

std::optional<std::string> MethodArguments::text(UINT i) const {
    if (!given(i)) return std::nullopt;
    return variantText(*at(i));
}

std::optional<long> MethodArguments::integer(UINT i) const {
    if (!given(i)) return std::nullopt;
    return variantInteger(*at(i));
}

std::optional<double> MethodArguments::number(UINT i) const {
    if (!given(i)) return std::nullopt;
    return variantNumber(*at(i));
}

std::optional<bool> MethodArguments::boolean(UINT i) const {
    if (!given(i)) return std::nullopt;
    return variantBoolean(*at(i));
}

IDispatch* MethodArguments::object(UINT i) const {
    if (!given(i)) return nullptr;
    return variantDispatch(*at(i));
}

const MemberEntry* MemberCatalog::find(std::string_view name) const {
    auto found = byName_.find(std::string(name));
    return found == byName_.end() ? nullptr : &entries_[found->second];
}

const MemberEntry* MemberCatalog::byId(DISPID id) const {
    for (const MemberEntry& entry : entries_) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

void MemberCatalog::describe(std::string interfaceName, std::vector<MemberEntry> entries,
                             const std::vector<MemberDescription>& members) {
    interfaceName_ = std::move(interfaceName);
    entries_ = std::move(entries);
    for (size_t i = 0; i < entries_.size(); ++i) byName_.emplace(entries_[i].name, i);
    auto description = std::make_shared<TypeDescription>(interfaceName_);
    for (const MemberDescription& member : members) description->add(member);
    description_ = std::move(description);
}

HRESULT raiseException(std::string_view message) {
    exceptionText = std::string(message);
    return DISP_E_EXCEPTION;
}

std::string takeExceptionText() {
    std::string text = std::move(exceptionText);
    exceptionText.clear();
    return text;
}

}  // namespace browser
