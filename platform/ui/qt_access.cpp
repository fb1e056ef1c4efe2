#include "platform/ui/qt_access.h"

#include "platform/ui/control_impl.h"
#include "platform/ui/dialog_impl.h"

namespace ui {

QWidget* WidgetOf(const Control& control) {
    detail::ControlImpl* impl = ImplOf(control);
    return impl ? impl->widget.data() : nullptr;
}

QWidget* WindowOf(const Dialog& dialog) {
    return ImplOf(dialog)->window.data();
}

} // namespace ui
