#pragma once

#include <QPlainTextEdit>

#include <functional>

class QTextLayout;

// A list box that can show its lines before it holds them as text. Writing
// 32767 lines into a text document takes some 60 ms a list, nearly all of it
// the document's paragraphs; drawn from where they come from, only the lines
// in view cost anything. The text is written the first time somebody needs
// it: the focus comes to the box, a key, a click, a drop, the context menu,
// or the program selecting a line. Until then the box draws each line where
// the written text would stand, and scrolls by whole lines.
class ResultListBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    // The lines first to first + count - 1, each ending in CR LF.
    using LineSource = std::function<QString(int first, int count)>;

    explicit ResultListBox(QWidget* parent = nullptr);

    // Shows count lines from `lines` over the empty document; the line at
    // the top stays where it was, as far as it can.
    void showLines(int count, LineSource lines);
    // Stops drawing lines: the box shows its document again.
    void dropLines();
    // Whether the box draws lines that its document does not hold yet.
    bool drawsLines() const { return bool(m_lines); }
    // Writes the lines drawn into the document, the same line at the top.
    void writeLines();
    // What the box shows, as its document's plain text would read.
    QString shownText() const;
    // Selects line n, as the program picks an entry, and brings it into
    // view; drawn lines are not written for it.
    void selectLine(int n);
    void clearLineSelection();

signals:
    // The box draws lines and somebody needs their text; whoever answers
    // calls writeLines(), or the box writes them itself.
    void textNeeded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void needText();
    QStringList linesOf(int first, int count) const;
    // Lays the line out as the document lays out its paragraphs; returns its height.
    qreal layOut(QTextLayout& layout) const;
    qreal heightOf(const QString& line) const;
    qreal lineHeight() const;
    // The scroll bar in whole lines, the last line's end at the bottom.
    void applyRange();
    template <typename Handle> void keepRange(Handle handle);
    void selectWritten(int n);

    LineSource m_lines;
    int m_count = 0;
    int m_top = 0;
    // The line selected among the lines drawn, or -1.
    int m_selected = -1;
    // The text box's own handling resets the scroll bar to its empty document.
    bool m_adjusting = false;
    bool m_writing = false;
};
