#include "app/ResultListBox.h"

#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

ResultListBox::ResultListBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Text put into the document by other means than the box's own writing
    // is what the box must show from then on.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_lines && !m_writing)
            dropLines();
    });
}

void ResultListBox::showLines(int count, LineSource lines)
{
    m_lines = std::move(lines);
    m_count = std::max(count, 0);
    applyRange();
    viewport()->update();
}

void ResultListBox::dropLines()
{
    if (!m_lines)
        return;
    {
        const QScopedValueRollback adjusting(m_adjusting, true);
        verticalScrollBar()->setValue(0);
    }
    m_lines = {};
    m_count = 0;
    m_top = 0;
    m_selected = -1;
    // The text box's own range, for the document it holds.
    verticalScrollBar()->setRange(0, 0);
    viewport()->update();
}

void ResultListBox::writeLines()
{
    if (!m_lines)
        return;
    const LineSource lines = std::exchange(m_lines, {});
    const int top = m_top;
    const QScopedValueRollback writing(m_writing, true);
    // The text box still stands at the top of its empty document.
    {
        const QScopedValueRollback adjusting(m_adjusting, true);
        verticalScrollBar()->setValue(0);
    }
    QTextCursor whole(document());
    whole.select(QTextCursor::Document);
    whole.insertText(lines(0, m_count));
    const QTextBlock first = document()->findBlockByNumber(top);
    if (m_selected >= 0)
        selectWritten(m_selected);
    else
        setTextCursor(QTextCursor(first));
    verticalScrollBar()->setValue(first.firstLineNumber());
    m_count = 0;
    m_top = 0;
    m_selected = -1;
    viewport()->update();
}

QString ResultListBox::shownText() const
{
    if (!m_lines)
        return toPlainText();
    return m_lines(0, m_count).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void ResultListBox::selectLine(int n)
{
    if (!m_lines) {
        selectWritten(n);
        ensureCursorVisible();
        return;
    }
    if (n < 0 || n >= m_count)
        return;
    m_selected = n;
    if (n < m_top) {
        verticalScrollBar()->setValue(n);
    } else {
        // Below the lines in view, it comes to the bottom.
        const qreal room = viewport()->height() - (m_top == 0 ? document()->documentMargin() : 0);
        const int shown = int(room / std::max(lineHeight(), qreal(1))) + 1;
        const QStringList above
            = linesOf(std::max(m_top, n - shown), n - std::max(m_top, n - shown) + 1);
        qreal height = 0;
        int top = n + 1;
        for (auto it = above.rbegin(); it != above.rend(); ++it) {
            height += heightOf(*it);
            if (height > room)
                break;
            --top;
        }
        if (top > m_top)
            verticalScrollBar()->setValue(top);
    }
    viewport()->update();
}

void ResultListBox::clearLineSelection()
{
    if (m_lines) {
        m_selected = -1;
        viewport()->update();
        return;
    }
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        cursor.clearSelection();
        setTextCursor(cursor);
    }
}

void ResultListBox::selectWritten(int n)
{
    const QTextBlock line = document()->findBlockByNumber(n);
    if (!line.isValid())
        return;
    QTextCursor cursor(line);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void ResultListBox::needText()
{
    if (!m_lines)
        return;
    emit textNeeded();
    writeLines();
}

QStringList ResultListBox::linesOf(int first, int count) const
{
    first = std::clamp(first, 0, m_count);
    count = std::clamp(count, 0, m_count - first);
    if (count == 0)
        return {};
    QStringList lines = m_lines(first, count).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

qreal ResultListBox::layOut(QTextLayout& layout) const
{
    // As the document's own layout lays out a paragraph.
    const QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    // The text box gives its layout the viewport's width.
    qreal width = viewport()->width();
    if (width <= 0)
        width = qreal(INT_MAX);
    width -= 2 * margin;
    layout.setTextOption(doc->defaultTextOption());
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
    }
    layout.endLayout();
    return height;
}

qreal ResultListBox::heightOf(const QString& line) const
{
    QTextLayout layout(
        line, document()->defaultFont(), document()->documentLayout()->paintDevice());
    return layOut(layout);
}

qreal ResultListBox::lineHeight() const
{
    return heightOf(QStringLiteral("0"));
}

void ResultListBox::applyRange()
{
    const QScopedValueRollback adjusting(m_adjusting, true);
    const qreal margin = document()->documentMargin();
    const qreal visible = viewport()->height() - margin - 1;
    const qreal line = std::max(lineHeight(), qreal(1));
    // As the text box counts the lines that fit above the end: the empty
    // paragraph after the last line break, with the margin below it, and
    // every whole line above it.
    qreal height = line + margin;
    int fit = 0;
    if (height <= visible) {
        fit = 1;
        const QStringList last = linesOf(m_count - int(visible / line) - 1, m_count);
        for (auto it = last.rbegin(); it != last.rend(); ++it) {
            height += heightOf(*it);
            if (height > visible)
                break;
            ++fit;
        }
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, m_count + 1 - fit));
    bar->setPageStep(std::max(1, fit));
    m_top = std::clamp(m_top, 0, bar->maximum());
    bar->setValue(m_top);
}

void ResultListBox::paintEvent(QPaintEvent* event)
{
    if (!m_lines) {
        QPlainTextEdit::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const qreal margin = document()->documentMargin();
    // The text box keeps its right margin clear.
    QRect clip = event->rect();
    clip.setRight(std::min(clip.right(), int(viewport()->width() - margin + cursorWidth())));
    painter.setClipRect(clip);
    painter.setPen(palette().text().color());
    const int bottom = viewport()->height();
    // The first line stands below the document's margin, any other at the very top.
    qreal y = m_top == 0 ? margin : 0;
    const int shown = int(bottom / std::max(lineHeight(), qreal(1))) + 2;
    // A selected line in the colours the text box gives a selection.
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextLayout::FormatRange selection;
    selection.start = 0;
    selection.format.setBackground(palette().brush(group, QPalette::Highlight));
    selection.format.setForeground(palette().brush(group, QPalette::HighlightedText));
    QStyleOption option;
    option.initFrom(this);
    if (style()->styleHint(QStyle::SH_RichText_FullWidthSelection, &option, this))
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    int n = m_top;
    for (const QString& text : linesOf(m_top, shown)) {
        QTextLayout layout(
            text, document()->defaultFont(), document()->documentLayout()->paintDevice());
        const qreal height = layOut(layout);
        selection.length = int(text.size());
        if (y + height >= clip.top())
            layout.draw(&painter, QPointF(0, y),
                n == m_selected ? QList { selection } : QList<QTextLayout::FormatRange> {}, clip);
        ++n;
        y += height;
        if (y > bottom)
            break;
    }
}

void ResultListBox::scrollContentsBy(int dx, int dy)
{
    if (!m_lines) {
        QPlainTextEdit::scrollContentsBy(dx, dy);
        return;
    }
    if (!m_adjusting)
        m_top = verticalScrollBar()->value();
    viewport()->update();
}

// The text box sets its scroll bar for its empty document as it handles
// these; the lines drawn set it back.
template <typename Handle> void ResultListBox::keepRange(Handle handle)
{
    {
        const QScopedValueRollback adjusting(m_adjusting, true);
        handle();
    }
    if (m_lines)
        applyRange();
}

void ResultListBox::resizeEvent(QResizeEvent* event)
{
    keepRange([&] { QPlainTextEdit::resizeEvent(event); });
}

void ResultListBox::showEvent(QShowEvent* event)
{
    keepRange([&] { QPlainTextEdit::showEvent(event); });
}

void ResultListBox::changeEvent(QEvent* event)
{
    keepRange([&] { QPlainTextEdit::changeEvent(event); });
}

// What acts on the text, on the box or on its viewport, finds it written.
bool ResultListBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
        needText();
        break;
    default:
        break;
    }
    return QPlainTextEdit::event(event);
}

bool ResultListBox::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
        needText();
        break;
    default:
        break;
    }
    return QPlainTextEdit::viewportEvent(event);
}
