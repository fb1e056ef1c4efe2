#include "platform/ui/dialog_impl.h"

#include "platform/ui/control_factory.h"
#include "platform/ui/control_impl.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/strings.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>
#include <string_view>

namespace ui::detail {

namespace {

// The template's controls, with the Chinese template's own placements put
// in: an override replaces the control with its id (unnamed controls: the
// one of the same kind and English text); an override matching none is added.
std::vector<res::ControlTemplate> ControlsFor(const res::DialogTemplate& tpl,
                                              res::Language language) {
    std::vector<res::ControlTemplate> controls(tpl.controls.begin(), tpl.controls.end());
    if (language != res::Language::Chinese) {
        return controls;
    }
    for (const res::ControlTemplate& override : tpl.chineseOverrides) {
        auto same = [&override](const res::ControlTemplate& c) {
            if (override.id > 0) {
                return c.id == override.id;
            }
            return c.id == override.id && c.kind == override.kind && c.textEn && override.textEn &&
                   std::string_view(c.textEn) == override.textEn;
        };
        auto it = std::find_if(controls.begin(), controls.end(), same);
        if (it != controls.end()) {
            *it = override;
        } else {
            controls.push_back(override);
        }
    }
    return controls;
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// A frameless text shorter than one line of the font grows about its middle:
// the CJK font's line is taller than the original's, and its glyphs would
// lose their bottom strokes in the template's rectangle.
QRect TextRect(const res::ControlTemplate& c, QRect rect, int lineHeight) {
    const bool text = c.kind == res::ControlKind::Static || c.kind == res::ControlKind::HyperLink;
    const bool framed = (c.style & (res::kSunken | res::kBorder)) != 0;
    if (!text || framed || rect.height() >= lineHeight) {
        return rect;
    }
    const int extra = lineHeight - rect.height();
    return rect.adjusted(0, -(extra / 2), 0, extra - extra / 2);
}

} // namespace

DialogImpl::DialogImpl(Dialog& self_, const res::DialogTemplate* tpl_,
                       std::optional<res::Language> language_)
    : self(self_), tpl(tpl_), requestedLanguage(language_) {}

DialogImpl::~DialogImpl() {
    if (parent) {
        auto& siblings = ImplOf(*parent)->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), &self), siblings.end());
    }
    for (Dialog* child : children) {
        ImplOf(*child)->parent = nullptr;
    }
    destroyWindow(false);
}

bool DialogImpl::build(Kind kind_, QWidget* parentWidget) {
    if (!tpl) {
        return false;
    }
    if (window) {
        destroyWindow(false);
    }
    kind = kind_;
    language = requestedLanguage.value_or(UiLanguage());
    font = DialogFont(tpl->fontPoints, language);
    units = DialogBaseUnits(tpl->fontPoints);
    ending = false;
    endCode = kIdCancel;
    shown = false;

    const bool chinese = language == res::Language::Chinese;
    const Rect size = DialogUnitsToPixels(
        Rect{0, 0, chinese ? tpl->cxZh : tpl->cxEn, chinese ? tpl->cyZh : tpl->cyEn}, units);
    if (kind == Kind::Child) {
        window = new PageWindow(*this, parentWidget);
        window->resize(size.Width(), size.Height());
        window->setVisible(false);
    } else {
        auto* dialog = new DialogWindow(*this, parentWidget);
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;
        if (!tpl->child) {
            flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
        }
        dialog->setWindowFlags(flags);
        dialog->setFixedSize(size.Width(), size.Height());
        const char* caption = chinese && tpl->captionZh ? tpl->captionZh : tpl->captionEn;
        dialog->setWindowTitle(QString::fromUtf8(caption ? caption : ""));
        dialog->setModal(kind == Kind::Modal);
        window = dialog;
    }
    window->setFont(font);
    buildControls();
    return true;
}

void DialogImpl::retireControls() {
    for (auto& c : controls) {
        c->detach();
        retired.push_back(std::move(c));
    }
    controls.clear();
}

void DialogImpl::buildControls() {
    retireControls();
    const std::vector<res::ControlTemplate> list = ControlsFor(*tpl, language);
    // A closed combo box is as tall as the font needs, at most 14 units.
    const int comboLimit = DialogUnitsToPixels(Rect{0, 0, 0, 14}, units).bottom;
    QComboBox probe;
    probe.setFont(font);
    const int comboHeight = std::min(probe.sizeHint().height(), comboLimit);
    const int lineHeight = QFontMetrics(font).height();

    std::vector<QWidget*> groupBoxes;
    for (const res::ControlTemplate& c : list) {
        const Rect px = DialogUnitsToPixels(Rect{c.x, c.y, c.x + c.cx, c.y + c.cy}, units);
        QWidget* widget = CreateControlWidget(c, language, window,
                                              TextRect(c, ToQRect(px), lineHeight), comboHeight);
        auto control = std::make_unique<ControlImpl>(*this, c, widget);
        control->connectSignals();
        if (c.kind == res::ControlKind::GroupBox) {
            groupBoxes.push_back(widget);
        }
        controls.push_back(std::move(control));
    }
    // Group boxes only frame; whatever lies inside stays on top and clickable.
    for (QWidget* box : groupBoxes) {
        box->lower();
    }
    for (const res::ComboList& combo : tpl->combos) {
        if (!control(combo.id)) {
            continue;
        }
        Control handle = self.Item(combo.id);
        const auto items = language == res::Language::Chinese && !combo.itemsZh.empty()
                               ? combo.itemsZh
                               : combo.itemsEn;
        for (const char* item : items) {
            handle.AddString(item ? item : "");
        }
        handle.SetCurSel(kErr); // the original's combos start with nothing selected
    }
    for (const auto& c : controls) {
        for (const auto& [key, handler] : handlers) {
            if (key.first == c->id &&
                (key.second == Notify::Clicked || key.second == Notify::MouseEnter ||
                 key.second == Notify::MouseLeave)) {
                c->acceptMouse();
            }
        }
    }
    setUpRadioGroups();
}

// Radio buttons that follow one another in the template form a group; a
// control with the group style starts a new one.
void DialogImpl::setUpRadioGroups() {
    std::vector<ControlImpl*> group;
    auto close = [&group] {
        for (ControlImpl* member : group) {
            member->radioGroup = group;
        }
        group.clear();
    };
    for (const auto& c : controls) {
        if (c->kind != res::ControlKind::RadioButton || (c->style & res::kGroup)) {
            close();
        }
        if (c->kind == res::ControlKind::RadioButton) {
            group.push_back(c.get());
        }
    }
    close();
}

void DialogImpl::destroyWindow(bool runOnDestroy) {
    if (!window) {
        retireControls();
        return;
    }
    if (runOnDestroy) {
        self.OnDestroy();
        for (Dialog* child : std::vector<Dialog*>(children)) {
            if (ImplOf(*child)->window) {
                child->DestroyWindow();
            }
        }
    }
    QWidget* doomed = window.data();
    window = nullptr;
    // Cut the widgets off first: hiding and deleting them sends focus events
    // that must not reach handlers of a dialog being torn down.
    retireControls();
    if (auto* dialog = dynamic_cast<DialogWindow*>(doomed)) {
        dialog->detach();
    } else if (auto* page = dynamic_cast<PageWindow*>(doomed)) {
        page->detach();
    }
    if (doomed) {
        doomed->hide();
        // Inside one of its own handlers the window is still on the stack.
        if (dispatchDepth > 0) {
            doomed->deleteLater();
        } else {
            delete doomed;
        }
    }
}

ControlImpl* DialogImpl::control(int id) const {
    if (id == 0 || id == -1) {
        return nullptr;
    }
    for (const auto& c : controls) {
        if (c->id == id) {
            return c.get();
        }
    }
    return nullptr;
}

bool DialogImpl::hasHandler(int id, Notify notify) const {
    return handlers.count({id, notify}) != 0;
}

void DialogImpl::dispatch(int id, Notify notify) {
    const ScopedCommandId current(id);
    const DispatchScope scope(*this);
    auto it = handlers.find({id, notify});
    if (it != handlers.end()) {
        const std::function<void()> handler = it->second; // it may rebind itself
        handler();
        return;
    }
    if (notify == Notify::Clicked && id == kIdOk) {
        self.OnOK();
    } else if (notify == Notify::Clicked && id == kIdCancel) {
        self.OnCancel();
    }
}

void DialogImpl::closeRequested() {
    const DispatchScope scope(*this);
    self.OnClose();
}

void DialogImpl::cancelRequested() {
    const ScopedCommandId current(kIdCancel);
    const DispatchScope scope(*this);
    self.OnCancel();
}

void DialogImpl::showContextMenu(const QPoint& globalPos) {
    auto* menu = new QMenu(window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& [text, handler] : contextMenu) {
        QAction* action = menu->addAction(QString::fromStdString(text));
        QObject::connect(action, &QAction::triggered, menu, [this, call = handler] {
            const DispatchScope scope(*this);
            call();
        });
    }
    menu->popup(globalPos);
}

} // namespace ui::detail
