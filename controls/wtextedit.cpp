#include "controls/wtextedit.h"

#include "canvas/cattributes.h"
#include "util/logcategories.h"

namespace {

// The text goes into a device command as it stands: a separator or a line end in it would
// end the command and start another.
bool isSafeEntry(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QLatin1Char(';') ||
            c == QLatin1Char('"'))
            return false;
    }
    return true;
}

} // namespace

WTextEdit::WTextEdit(QQuickItem *parent)
    : WWidget(parent)
{}

WTextEdit::~WTextEdit() = default;

void WTextEdit::configure(const CAttributes *range)
{
    if (range)
        m_format = range->format();
}

void WTextEdit::linkValue(WWidget *source)
{
    if (source == this || !transform())
        return;
    const QString shown = transform()->displayText();
    if (shown != m_currentText) {
        setUpdating(true);
        setText(shown);
        setUpdating(false);
        m_currentText = shown;
    }
    // The chain ends when it comes back to the source.
    if (peer())
        peer()->linkValue(source);
}

void WTextEdit::onTextChanged()
{
    if (isUpdating() || !quickItem())
        return;
    const QString typed = text();
    if (typed == m_currentText)
        return;
    if (!isSafeEntry(typed)) {
        qCWarning(lcControls) << "WTextEdit::onTextChanged: refused" << typed;
        setUpdating(true);
        setText(m_currentText);
        setUpdating(false);
        return;
    }
    m_currentText = typed;
    if (canSend()) {
        transform()->setValueText(typed);
        protocol()->write(transform());
    }
    if (peer())
        peer()->linkValue(this);
}

void WTextEdit::outputCurrentText(const QString &text)
{
    if (text == m_currentText)
        return;
    m_currentText = text;
    if (peer())
        peer()->linkValue(this);
}
