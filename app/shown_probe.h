#pragma once
// Acts on the first paint of a top-level window as TXV_ON_SHOWN asks (see
// app.h); does nothing when the variable is not set.

#include "platform/ui/dialog.h"

#include <memory>

class QObject;

class ShownProbe {
public:
    explicit ShownProbe(ui::Dialog& dialog);
    ~ShownProbe();
    ShownProbe(const ShownProbe&) = delete;
    ShownProbe& operator=(const ShownProbe&) = delete;

private:
    std::unique_ptr<QObject> m_filter;
};
