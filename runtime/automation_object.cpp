#include "runtime/automation_object.h"

#include <utility>

#include "runtime/wide_text.h"

AutomationObject& AutomationObject::operator=(AutomationObject&& other) noexcept {
    if (this != &other) {
        reset();
        pointer_ = other.detach();
    }
    return *this;
}

AutomationObject AutomationObject::adopt(IUnknown* pointer) {
    AutomationObject object;
    object.pointer_ = pointer;
    return object;
}

AutomationObject AutomationObject::copyOf(IUnknown* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return adopt(pointer);
}

IUnknown** AutomationObject::put() {
    reset();
    return &pointer_;
}

void AutomationObject::reset() {
    if (IUnknown* old = std::exchange(pointer_, nullptr)) old->Release();
}

IUnknown* AutomationObject::detach() { return std::exchange(pointer_, nullptr); }

AutomationObject copyObject(const AutomationObject& source) {
    return AutomationObject::copyOf(source.get());
}

void clearObject(AutomationObject& object) { object.reset(); }

bool isEmptyObject(const AutomationObject& object) { return object.get() == nullptr; }

namespace {

bool readInterfaceId(const Text& text, IID& iid) {
    if (text.empty()) {
        iid = IID_IUnknown;
        return true;
    }
    WideText wide = toWideText(text);
    HRESULT hr = findText(text, "{", omitted, 0) == 1 ? CLSIDFromString(wide.c_str(), &iid)
                                                      : CLSIDFromProgID(wide.c_str(), &iid);
    return SUCCEEDED(hr);
}

}  // namespace

bool queryObjectInterface(AutomationObject& target, const AutomationObject& source,
                          const Text& interfaceId) {
    IID iid;
    if (!readInterfaceId(interfaceId, iid) || isEmptyObject(source)) return false;
    void* found = nullptr;
    if (FAILED(source.get()->QueryInterface(iid, &found)) || found == nullptr) return false;
    target = AutomationObject::adopt(static_cast<IUnknown*>(found));
    return true;
}
