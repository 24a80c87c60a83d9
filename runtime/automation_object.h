// AutomationObject: a holder of at most one COM interface pointer that owns
// exactly one reference to it. Move-only; the reference is released when the
// holder is cleared, reassigned or destroyed.
#pragma once

#include "platform/win32.h"
#include "runtime/text.h"

class AutomationObject {
public:
    AutomationObject() = default;
    ~AutomationObject() { reset(); }
    AutomationObject(AutomationObject&& other) noexcept : pointer_(other.detach()) {}
    AutomationObject& operator=(AutomationObject&& other) noexcept;
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    // Takes over the caller's reference: no AddRef.
    static AutomationObject adopt(IUnknown* pointer);
    // Adds a reference of its own: the caller keeps theirs.
    static AutomationObject copyOf(IUnknown* pointer);

    IUnknown* get() const { return pointer_; }
    // The held pointer as the interface it was obtained as. Only valid for
    // the interface the holder was filled with (QueryInterface gives each
    // interface its own pointer).
    template <class Interface>
    Interface* as() const {
        return static_cast<Interface*>(pointer_);
    }
    // Releases what is held and hands out the slot for an out-parameter, so
    // that filling it never leaks the previous reference.
    IUnknown** put();
    void reset();
    // Gives up ownership: the caller now owns the reference.
    IUnknown* detach();

private:
    IUnknown* pointer_ = nullptr;
};

// A new holder with the source's pointer and one added reference.
AutomationObject copyObject(const AutomationObject& source);
void clearObject(AutomationObject& object);
bool isEmptyObject(const AutomationObject& object);

// Asks the source for an interface given as "{GUID}" text or a programmatic
// identifier (IUnknown when empty). On success the target is cleared and then
// holds the new interface; otherwise it is left as it was.
bool queryObjectInterface(AutomationObject& target, const AutomationObject& source,
                          const Text& interfaceId = Text());
