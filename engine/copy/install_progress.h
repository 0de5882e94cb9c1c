#pragma once
// What an engine step reports while it works, and how it keeps the window alive. The copy-and-install
// page implements it on its controls; tests record what they are told. Texts arrive translated.

#include "core/string/tl_string.h"

namespace engine {

class IInstallProgress {
public:
    // The wizard header's title and subtitle, shown at once.
    virtual void SetHeading(const TLString& title, const TLString& subtitle) = 0;
    // The bar's maximum (its minimum is 0); the position goes back to 0.
    virtual void SetRange(int maximum) = 0;
    // Each of these two also dispatches the window messages waiting, so the window repaints.
    virtual void SetPosition(int position) = 0;
    virtual void SetText(const TLString& text) = 0;
    // Dispatches the waiting window messages without changing anything.
    virtual void DispatchMessages() = 0;
    virtual void SetCancelEnabled(bool enabled) = 0;
    virtual bool CancelRequested() const = 0;

protected:
    ~IInstallProgress() = default;
};

}  // namespace engine
