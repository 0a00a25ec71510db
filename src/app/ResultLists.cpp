#include "app/ResultLists.h"

#include "poles/PoleLists.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

void AppendToList(QPlainTextEdit* list, const QString& lines)
{
    QTextCursor cursor(list->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lines);
}

// Makes the list hold exactly `text` by replacing only the stretch between
// the part that already matches at its start and at its end: what the user
// typed is replaced, and 32767 unchanged lines are not laid out again.
void ReplaceListText(QPlainTextEdit* list, QString text)
{
    // The document keeps each line break as a paragraph separator.
    text.replace(QStringLiteral("\r\n"), QString(QChar::ParagraphSeparator));
    const QString current = list->document()->toRawText();
    const qsizetype shorter = std::min(current.size(), text.size());
    qsizetype head = 0;
    while (head < shorter && current[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (
        tail < shorter - head && current[current.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    if (head == current.size() && head == text.size())
        return;
    QTextCursor cursor(list->document());
    cursor.setPosition(int(head));
    cursor.setPosition(int(current.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(text.mid(head, text.size() - tail - head));
}

} // namespace

ResultLists::ResultLists(QPlainTextEdit* index, QPlainTextEdit* angles)
    : QObject(index)
    , m_index(index)
    , m_angles(angles)
{
    for (QPlainTextEdit* list : { index, angles }) {
        connect(list->document(), &QTextDocument::contentsChanged, this, [this] {
            if (!m_writing)
                m_edited = true;
        });
        connect(list, &QPlainTextEdit::cursorPositionChanged, this, [this, list] {
            if (!m_writing)
                emit cursorMoved(list);
        });
    }
}

void ResultLists::clear(const PoleStore& store, const Crystal& crystal)
{
    m_writing = true;
    m_index->clear();
    m_angles->clear();
    m_writing = false;
    m_edited = false;
    m_epoch = store.epoch();
    m_count = 0;
    m_lattice = crystal.lattice;
    m_planeAngles = crystal.planeAngles;
}

void ResultLists::show(const PoleStore& store, const Crystal& crystal, const Lattice* second)
{
    const Lattice& lattice = crystal.lattice;
    const int count = store.PoleCount();
    const std::optional<Lattice> secondLattice = second ? std::optional(*second) : std::nullopt;
    const bool prefixShown = !m_edited && m_epoch == store.epoch() && m_lattice == lattice
        && m_second == secondLattice && m_planeAngles == crystal.planeAngles && m_count >= 0
        && m_count <= count;

    m_writing = true;
    if (prefixShown) {
        if (m_count < count) {
            const PoleLists lines
                = BuildLists(store, lattice, m_count, crystal.planeAngles, second);
            AppendToList(m_index, lines.indexList);
            AppendToList(m_angles, lines.angleList);
        }
    } else {
        const PoleLists lists = BuildLists(store, lattice, 0, crystal.planeAngles, second);
        ReplaceListText(m_index, lists.indexList);
        ReplaceListText(m_angles, lists.angleList);
    }
    m_writing = false;
    m_edited = false;
    m_epoch = store.epoch();
    m_count = count;
    m_lattice = lattice;
    m_second = secondLattice;
    m_planeAngles = crystal.planeAngles;
}

void ResultLists::select(int n, QPlainTextEdit* except)
{
    if (m_edited)
        return;
    m_writing = true;
    for (QPlainTextEdit* list : { m_index, m_angles }) {
        if (list == except)
            continue;
        const QTextBlock line = list->document()->findBlockByNumber(n);
        if (!line.isValid())
            continue;
        QTextCursor cursor(line);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        list->setTextCursor(cursor);
        list->ensureCursorVisible();
    }
    m_writing = false;
}

void ResultLists::clearSelection()
{
    m_writing = true;
    for (QPlainTextEdit* list : { m_index, m_angles }) {
        QTextCursor cursor = list->textCursor();
        if (cursor.hasSelection()) {
            cursor.clearSelection();
            list->setTextCursor(cursor);
        }
    }
    m_writing = false;
}
