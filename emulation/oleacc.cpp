// LresultFromObject and ObjectFromLresult. The reference taken by
// LresultFromObject belongs to the number it returns: ObjectFromLresult
// passes it on (as the interface asked for) and releases it, whether or not
// that interface exists. A number nobody collects keeps its reference until
// the thread's COM use ends, as Windows releases such references with the
// apartment; the emulation notices the end at its next oleacc call or
// message retrieval on the thread, or when the thread exits.
#include "emulation/oleacc.h"

#include <map>

#include "emulation/desktop_internal.h"
#include "emulation/testing.h"

namespace {

struct Uncollected {
    std::map<LRESULT, IUnknown*> objects;
    ~Uncollected() {
        for (auto& [number, object] : objects) object->Release();
    }
};

Uncollected& uncollected() {
    thread_local Uncollected table;
    return table;
}

LRESULT nextNumber = 0x0000C100;

void releaseIfApartmentEnded() {
    if (emulation::comInitializeDepth() > 0) return;
    auto& objects = uncollected().objects;
    while (!objects.empty()) {
        IUnknown* object = objects.begin()->second;
        objects.erase(objects.begin());
        object->Release();
    }
}

}  // namespace

LRESULT LresultFromObject(REFIID riid, WPARAM, LPUNKNOWN object) {
    releaseIfApartmentEnded();
    if (object == nullptr) return E_INVALIDARG;
    if (emulation::comInitializeDepth() == 0) return CO_E_NOTINITIALIZED;
    void* held = nullptr;
    HRESULT hr = object->QueryInterface(riid, &held);
    if (FAILED(hr) || held == nullptr) return hr != S_OK ? hr : E_NOINTERFACE;
    LRESULT number = nextNumber++;
    uncollected().objects[number] = static_cast<IUnknown*>(held);
    return number;
}

HRESULT ObjectFromLresult(LRESULT result, REFIID riid, WPARAM, void** object) {
    releaseIfApartmentEnded();
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    auto& objects = uncollected().objects;
    auto it = objects.find(result);
    if (it == objects.end()) return E_INVALIDARG;
    IUnknown* held = it->second;
    objects.erase(it);
    HRESULT hr = held->QueryInterface(riid, object);
    held->Release();
    return hr;
}

namespace emulation::desktop {

void releaseUncollectedObjectsIfApartmentEnded() { releaseIfApartmentEnded(); }

int pendingObjectResultCount() {
    releaseIfApartmentEnded();
    return static_cast<int>(uncollected().objects.size());
}

}  // namespace emulation::desktop
