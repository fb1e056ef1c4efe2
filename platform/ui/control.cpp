#include "platform/ui/control_impl.h"
#include "platform/ui/controls.h"
#include "platform/ui/static_text.h"
#include "platform/ui/tab_host.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace ui {

using detail::ControlImpl;

namespace {

QString ToQ(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQ(const QString& text) {
    return text.toStdString();
}

// The index at which a sorted list puts text: after every item that does
// not compare greater, ignoring case as the original does.
int SortedPosition(const QStringList& items, const QString& text) {
    int index = 0;
    while (index < items.size() && items[index].compare(text, Qt::CaseInsensitive) <= 0) {
        ++index;
    }
    return index;
}

QStringList ComboItems(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) {
        items << combo.itemText(i);
    }
    return items;
}

QStringList ListItems(const QListWidget& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.item(i)->text();
    }
    return items;
}

} // namespace

detail::ControlImpl* ImplOf(const Control& control) {
    return control.m_impl;
}

int Control::Id() const {
    return m_impl ? m_impl->id : 0;
}

res::ControlKind Control::Kind() const {
    return m_impl ? m_impl->kind : res::ControlKind::Static;
}

uint32_t Control::TemplateStyle() const {
    return m_impl ? m_impl->style : 0;
}

std::string Control::Text() const {
    if (!m_impl || !m_impl->widget) {
        return {};
    }
    if (auto* s = m_impl->staticText()) {
        return FromQ(s->text());
    }
    if (auto* b = m_impl->button()) {
        return FromQ(b->text());
    }
    if (auto* c = m_impl->combo()) {
        if (c->lineEdit()) {
            return FromQ(c->lineEdit()->text());
        }
        return c->currentIndex() < 0 ? std::string() : FromQ(c->currentText());
    }
    if (m_impl->isEdit()) {
        QString text = m_impl->editText();
        if (m_impl->textEdit()) {
            text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        }
        return FromQ(text);
    }
    return {};
}

void Control::SetText(std::string_view text) {
    if (!m_impl || !m_impl->widget) {
        return;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    const QString value = ToQ(text);
    if (auto* s = m_impl->staticText()) {
        s->setText(value);
    } else if (auto* b = m_impl->button()) {
        b->setText(value);
    } else if (auto* c = m_impl->combo()) {
        if (c->lineEdit()) {
            c->lineEdit()->setText(value);
        }
    } else if (m_impl->isEdit()) {
        m_impl->setEditText(value);
    } else {
        m_impl->widget->setWindowTitle(value);
    }
}

void Control::Enable(bool enable) {
    if (m_impl && m_impl->widget) {
        m_impl->widget->setEnabled(enable);
    }
}

bool Control::IsEnabled() const {
    return m_impl && m_impl->widget && m_impl->widget->isEnabled();
}

void Control::Show(bool show) {
    if (m_impl && m_impl->widget) {
        m_impl->widget->setVisible(show);
    }
}

bool Control::IsVisible() const {
    return m_impl && m_impl->widget && !m_impl->widget->isHidden();
}

void Control::SetFocus() {
    if (m_impl && m_impl->widget) {
        m_impl->widget->setFocus(Qt::OtherFocusReason);
    }
}

bool Control::HasFocus() const {
    if (!m_impl || !m_impl->widget) {
        return false;
    }
    QWidget* focus = m_impl->widget->window()->focusWidget();
    return focus && (focus == m_impl->widget || m_impl->widget->isAncestorOf(focus));
}

void Control::Redraw() {
    if (m_impl) {
        m_impl->repaintNow();
    }
}

Rect Control::WindowRect() const {
    if (!m_impl || !m_impl->widget) {
        return {};
    }
    const QRect r = m_impl->widget->geometry();
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect Control::ClientRect() const {
    if (!m_impl || !m_impl->widget) {
        return {};
    }
    return Rect{0, 0, m_impl->widget->width(), m_impl->widget->height()};
}

// ----- buttons -----

int Control::GetCheck() const {
    if (!m_impl) {
        return 0;
    }
    auto* b = m_impl->button();
    return b && b->isChecked() ? 1 : 0;
}

void Control::SetCheck(int state) {
    if (!m_impl) {
        return;
    }
    if (auto* b = m_impl->button(); b && b->isCheckable()) {
        const ControlImpl::CodeChange guard(*m_impl);
        b->setChecked(state != 0);
    }
}

// ----- lists -----

int Control::GetCount() const {
    if (!m_impl) {
        return 0;
    }
    if (auto* c = m_impl->combo()) {
        return c->count();
    }
    if (auto* l = m_impl->list()) {
        return l->count();
    }
    if (auto* t = m_impl->tab()) {
        return t->bar()->count();
    }
    return 0;
}

int Control::GetCurSel() const {
    if (!m_impl) {
        return kErr;
    }
    if (auto* c = m_impl->combo()) {
        return c->currentIndex();
    }
    if (auto* l = m_impl->list()) {
        const int row = l->currentRow();
        return row >= 0 && l->item(row)->isSelected() ? row : kErr;
    }
    if (auto* t = m_impl->tab()) {
        return t->bar()->currentIndex();
    }
    return kErr;
}

int Control::SetCurSel(int index) {
    if (!m_impl) {
        return kErr;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    if (auto* c = m_impl->combo()) {
        const bool inside = index >= 0 && index < c->count();
        c->setCurrentIndex(inside ? index : -1);
        if (!inside && c->lineEdit()) {
            c->lineEdit()->clear();
        }
        return inside ? index : kErr;
    }
    if (auto* l = m_impl->list()) {
        if (index < 0 || index >= l->count()) {
            l->setCurrentRow(-1);
            l->clearSelection();
            return kErr;
        }
        l->setCurrentRow(index);
        return index;
    }
    if (auto* t = m_impl->tab()) {
        if (index < 0 || index >= t->bar()->count()) {
            return kErr;
        }
        const int previous = t->bar()->currentIndex();
        t->bar()->setCurrentIndex(index);
        return previous;
    }
    return kErr;
}

int Control::AddString(std::string_view text) {
    if (!m_impl) {
        return kErr;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    const QString value = ToQ(text);
    const bool sorted = (m_impl->style & res::kSort) != 0;
    if (auto* c = m_impl->combo()) {
        const int index = sorted ? SortedPosition(ComboItems(*c), value) : c->count();
        const QString edit = c->lineEdit() ? c->lineEdit()->text() : QString();
        c->insertItem(index, value);
        if (c->lineEdit()) {
            c->lineEdit()->setText(edit);
        }
        return index;
    }
    if (auto* l = m_impl->list()) {
        const int index = sorted ? SortedPosition(ListItems(*l), value) : l->count();
        l->insertItem(index, value);
        return index;
    }
    return kErr;
}

int Control::InsertString(int index, std::string_view text) {
    if (!m_impl) {
        return kErr;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    const QString value = ToQ(text);
    const int count = GetCount();
    if (index == -1) {
        index = count;
    }
    if (index < 0 || index > count) {
        return kErr;
    }
    if (auto* c = m_impl->combo()) {
        const QString edit = c->lineEdit() ? c->lineEdit()->text() : QString();
        c->insertItem(index, value);
        if (c->lineEdit()) {
            c->lineEdit()->setText(edit);
        }
        return index;
    }
    if (auto* l = m_impl->list()) {
        l->insertItem(index, value);
        return index;
    }
    return kErr;
}

int Control::DeleteString(int index) {
    if (!m_impl || index < 0 || index >= GetCount()) {
        return kErr;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    if (auto* c = m_impl->combo()) {
        // Deleting the selected item leaves no selection (the edit keeps its text).
        const bool wasSelected = c->currentIndex() == index;
        const QString edit = c->lineEdit() ? c->lineEdit()->text() : QString();
        c->removeItem(index);
        if (wasSelected) {
            c->setCurrentIndex(-1);
            if (c->lineEdit()) {
                c->lineEdit()->setText(edit);
            }
        }
        return c->count();
    }
    if (auto* l = m_impl->list()) {
        const bool wasSelected = GetCurSel() == index;
        delete l->takeItem(index);
        if (wasSelected) {
            l->setCurrentRow(-1);
            l->clearSelection();
        }
        return l->count();
    }
    return kErr;
}

void Control::ResetContent() {
    if (!m_impl) {
        return;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    if (auto* c = m_impl->combo()) {
        c->clear();
        if (c->lineEdit()) {
            c->lineEdit()->clear();
        }
    } else if (auto* l = m_impl->list()) {
        l->clear();
    }
}

std::string Control::GetItemText(int index) const {
    if (!m_impl || index < 0 || index >= GetCount()) {
        return {};
    }
    if (auto* c = m_impl->combo()) {
        return FromQ(c->itemText(index));
    }
    if (auto* l = m_impl->list()) {
        return FromQ(l->item(index)->text());
    }
    if (auto* t = m_impl->tab()) {
        return FromQ(t->bar()->tabText(index));
    }
    return {};
}

// ----- tabs -----

int Control::InsertItem(int index, std::string_view text) {
    if (!m_impl) {
        return kErr;
    }
    auto* t = m_impl->tab();
    if (!t || index < 0) {
        return kErr;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    return t->bar()->insertTab(std::min(index, t->bar()->count()), ToQ(text));
}

void Control::DeleteAllItems() {
    if (!m_impl) {
        return;
    }
    if (auto* t = m_impl->tab()) {
        const ControlImpl::CodeChange guard(*m_impl);
        while (t->bar()->count() > 0) {
            t->bar()->removeTab(t->bar()->count() - 1);
        }
    }
}

// ----- edits -----

void Control::SetLimitText(int limit) {
    if (m_impl) {
        m_impl->limit = std::max(0, limit);
    }
}

int Control::GetLimitText() const {
    return m_impl ? m_impl->limit : 0;
}

void Control::SetReadOnly(bool readOnly) {
    if (m_impl) {
        m_impl->setReadOnly(readOnly);
    }
}

bool Control::IsReadOnly() const {
    if (!m_impl) {
        return false;
    }
    if (auto* e = m_impl->lineEdit()) {
        return e->isReadOnly();
    }
    if (auto* t = m_impl->textEdit()) {
        return t->isReadOnly();
    }
    return false;
}

void Control::GetSel(int& start, int& end) const {
    start = end = 0;
    if (m_impl) {
        m_impl->selection(start, end);
    }
}

void Control::SetSel(int start, int end) {
    if (m_impl) {
        m_impl->setSelection(start, end);
    }
}

void Control::ReplaceSel(std::string_view text) {
    if (m_impl) {
        m_impl->replaceSelection(ToQ(text));
    }
}

void Control::AppendText(std::string_view text) {
    if (!m_impl) {
        return;
    }
    const ControlImpl::CodeChange guard(*m_impl);
    QString value = ToQ(text);
    if (auto* e = m_impl->lineEdit()) {
        e->end(false);
        e->insert(value);
    } else if (auto* t = m_impl->textEdit()) {
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QTextCursor cursor = t->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(value);
        t->setTextCursor(cursor);
    }
}

void Control::ScrollCaret() {
    if (!m_impl) {
        return;
    }
    if (auto* t = m_impl->textEdit()) {
        t->ensureCursorVisible();
    }
}

int Control::GetLineCount() const {
    if (!m_impl) {
        return 0;
    }
    if (auto* t = m_impl->textEdit()) {
        return t->document()->blockCount();
    }
    return m_impl->lineEdit() ? 1 : 0;
}

void Control::LineScroll(int lines) {
    if (!m_impl) {
        return;
    }
    if (auto* t = m_impl->textEdit()) {
        QScrollBar* bar = t->verticalScrollBar();
        bar->setValue(bar->value() + lines);
    }
}

// ----- appearance -----

void Control::SetTextColor(Color color) {
    if (m_impl) {
        m_impl->setTextColor(color);
    }
}

Color Control::TextColor() const {
    return m_impl ? m_impl->textColor() : Color{};
}

void Control::SetFontHeight(int height) {
    if (m_impl) {
        m_impl->fontHeight = height;
        m_impl->applyFont();
    }
}

int Control::FontHeight() const {
    return m_impl ? m_impl->fontHeight : 0;
}

void Control::SetFontWeight(int weight) {
    if (m_impl) {
        m_impl->fontWeight = weight;
        m_impl->applyFont();
    }
}

int Control::FontWeight() const {
    if (!m_impl) {
        return 0;
    }
    return m_impl->fontWeight > 0 ? m_impl->fontWeight : 400;
}

void Control::SetFontUnderline(bool underline) {
    if (m_impl) {
        m_impl->underline = underline;
        m_impl->applyFont();
    }
}

void Control::SetShrinkToFit(bool shrink) {
    if (m_impl) {
        if (auto* s = m_impl->staticText()) {
            s->setShrinkToFit(shrink);
        }
    }
}

void Control::SetTransparentBackground(bool transparent) {
    if (!m_impl) {
        return;
    }
    if (auto* s = m_impl->staticText()) {
        s->setFillBackground(!transparent);
    } else if (m_impl->widget) {
        m_impl->widget->setAutoFillBackground(!transparent);
    }
    m_impl->repaintNow();
}

void Control::SetHandCursor(bool hand) {
    if (!m_impl || !m_impl->widget) {
        return;
    }
    if (hand) {
        m_impl->acceptMouse();
        m_impl->widget->setCursor(Qt::PointingHandCursor);
    } else {
        m_impl->widget->unsetCursor();
    }
}

void Control::SetPaintHook(std::function<void()> hook) {
    if (m_impl) {
        m_impl->paintHook = std::move(hook);
    }
}

} // namespace ui
