// A window as a page's code sees it. The same window seen from a page of
// another domain is behind a boundary: its document (and running script in
// it) is refused with E_ACCESSDENIED, as the browser denies access, while
// IServiceProvider still hands out its web browser object (whose
// get_Document reaches the document: the browser's own path, which knows
// no boundary).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "browser/objects/browser_object.h"

namespace browser {

class Window;

class WindowObject : public TableObject<WindowObject>, public IServiceProvider {
public:
    // A new object (one reference, the caller's) for the window as seen
    // from a page of domain `viewer`; without a viewer, the window's own
    // view, which no boundary applies to.
    static IDispatch* create(std::shared_ptr<Window> window,
                             std::optional<std::string> viewer = std::nullopt);
    static WindowObject* from(IUnknown* object);

    Window& window() const { return *window_; }
    const std::shared_ptr<Window>& windowPointer() const { return window_; }
    const std::optional<std::string>& viewer() const { return viewer_; }
    // True when the viewer's domain differs from the domain of the page
    // the window shows.
    bool behindBoundary() const;
    // The domain this window's view hands on to the windows it gives out
    // (parent, top, frames): the viewer's, else its own page's.
    std::string viewingDomain() const;

    // `frames.name` and `frames[0]` in script.
    HRESULT namedProperty(std::string_view name, VARIANT* result) override;

    // IUnknown, for both IDispatch and IServiceProvider.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IServiceProvider: SID_SWebBrowserApp gives the window's web browser
    // object (IWebBrowser2, IWebBrowserApp, IWebBrowser, IDispatch).
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** object) override;

protected:
    void* otherInterface(REFIID riid) override;

private:
    WindowObject(std::shared_ptr<Window> window, std::optional<std::string> viewer);

    std::shared_ptr<Window> window_;
    std::optional<std::string> viewer_;
};

}  // namespace browser
