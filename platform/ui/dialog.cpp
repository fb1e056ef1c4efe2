#include "platform/ui/dialog.h"

#include "platform/ui/control_impl.h"
#include "platform/ui/dialog_impl.h"
#include "platform/ui/dialog_window.h"
#include "platform/ui/tab_host.h"

#include <atomic>

namespace ui {

using detail::DialogImpl;

namespace {

std::atomic<int> g_currentCommandId{0};

} // namespace

DialogImpl* ImplOf(const Dialog& dialog) {
    return dialog.m_impl.get();
}

Dialog::Dialog(int templateId, std::optional<res::Language> language)
    : m_impl(std::make_unique<DialogImpl>(*this, res::FindDialogTemplate(templateId), language)) {}

Dialog::Dialog(const res::DialogTemplate& dialogTemplate, std::optional<res::Language> language)
    : m_impl(std::make_unique<DialogImpl>(*this, &dialogTemplate, language)) {}

Dialog::~Dialog() = default;

int Dialog::DoModal(Dialog* owner) {
    m_impl->parent = owner;
    QWidget* ownerWindow = owner ? ImplOf(*owner)->window.data() : nullptr;
    if (!m_impl->build(DialogImpl::Kind::Modal, ownerWindow)) {
        return kErr;
    }
    auto* window = static_cast<detail::DialogWindow*>(m_impl->window.data());
    OnInitDialog();
    if (!m_impl->ending) {
        m_impl->shown = true;
        OnShowWindow(true);
    }
    if (!m_impl->ending) {
        const int result = window->exec();
        if (!m_impl->ending) {
            m_impl->endCode = result;
        }
    }
    const int code = m_impl->endCode;
    DestroyWindow();
    return code;
}

bool Dialog::Create(Dialog& parent, int hostId) {
    detail::ControlImpl* host = ImplOf(parent)->control(hostId);
    if (!host || !host->widget) {
        return false;
    }
    m_impl->parent = &parent;
    auto& siblings = ImplOf(parent)->children;
    if (std::find(siblings.begin(), siblings.end(), this) == siblings.end()) {
        siblings.push_back(this);
    }
    if (!m_impl->build(DialogImpl::Kind::Child, host->widget.data())) {
        return false;
    }
    OnInitDialog();
    return true;
}

bool Dialog::CreateModeless(Dialog* owner) {
    m_impl->parent = owner;
    QWidget* ownerWindow = owner ? ImplOf(*owner)->window.data() : nullptr;
    if (!m_impl->build(DialogImpl::Kind::Modeless, ownerWindow)) {
        return false;
    }
    OnInitDialog();
    Show(true);
    return true;
}

void Dialog::EndDialog(int code) {
    if (!m_impl->window) {
        return;
    }
    if (m_impl->kind == DialogImpl::Kind::Modal) {
        m_impl->ending = true;
        m_impl->endCode = code;
        static_cast<detail::DialogWindow*>(m_impl->window.data())->done(code);
    } else {
        Show(false);
    }
}

void Dialog::DestroyWindow() {
    m_impl->destroyWindow(true);
}

bool Dialog::IsWindow() const {
    return !m_impl->window.isNull();
}

int Dialog::TemplateId() const {
    return m_impl->tpl ? m_impl->tpl->id : 0;
}

res::Language Dialog::Language() const {
    return m_impl->language;
}

Dialog* Dialog::Parent() const {
    return m_impl->parent;
}

Control Dialog::Item(int id) const {
    return Control(m_impl->control(id));
}

std::string Dialog::Caption() const {
    return m_impl->window ? m_impl->window->windowTitle().toStdString() : std::string();
}

void Dialog::SetCaption(std::string_view caption) {
    if (m_impl->window) {
        m_impl->window->setWindowTitle(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    }
}

void Dialog::Show(bool show) {
    QWidget* window = m_impl->window.data();
    if (!window) {
        return;
    }
    const bool changed = m_impl->shown != show;
    m_impl->shown = show;
    window->setVisible(show);
    if (changed) {
        OnShowWindow(show);
    }
}

bool Dialog::IsVisible() const {
    return m_impl->window && m_impl->shown;
}

void Dialog::Enable(bool enable) {
    if (m_impl->window) {
        m_impl->window->setEnabled(enable);
    }
}

bool Dialog::IsEnabled() const {
    return m_impl->window && m_impl->window->isEnabled();
}

void Dialog::MoveWindow(const Rect& rect) {
    if (QWidget* window = m_impl->window.data()) {
        if (m_impl->kind == DialogImpl::Kind::Child) {
            window->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        } else {
            window->setFixedSize(rect.Width(), rect.Height());
            window->move(rect.left, rect.top);
        }
    }
}

Rect Dialog::WindowRect() const {
    QWidget* window = m_impl->window.data();
    if (!window) {
        return {};
    }
    const QRect r = window->geometry();
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect Dialog::ClientRect() const {
    QWidget* window = m_impl->window.data();
    return window ? Rect{0, 0, window->width(), window->height()} : Rect{};
}

Rect Dialog::MapDialogRect(const Rect& dialogUnits) const {
    return detail::DialogUnitsToPixels(dialogUnits, m_impl->units);
}

void Dialog::OnCommand(int id, Notify notify, std::function<void()> handler) {
    m_impl->handlers[{id, notify}] = std::move(handler);
    if (notify == Notify::Clicked || notify == Notify::MouseEnter || notify == Notify::MouseLeave) {
        if (detail::ControlImpl* control = m_impl->control(id)) {
            control->acceptMouse();
        }
    }
}

int Dialog::CurrentCommandId() {
    return g_currentCommandId.load(std::memory_order_relaxed);
}

void Dialog::AddContextMenuItem(std::string text, std::function<void()> handler) {
    m_impl->contextMenu.emplace_back(std::move(text), std::move(handler));
}

ScopedCommandId::ScopedCommandId(int id)
    : m_previous(g_currentCommandId.exchange(id, std::memory_order_relaxed)) {}

ScopedCommandId::~ScopedCommandId() {
    g_currentCommandId.store(m_previous, std::memory_order_relaxed);
}

} // namespace ui
