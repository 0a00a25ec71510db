#include "app/ResultLists.h"

#include "app/ResultListBox.h"
#include "poles/PoleLists.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <span>
#include <utility>

namespace {

// More new lines than this are drawn before they are written: a list writes
// some 500 lines a millisecond.
constexpr int WrittenAtOnce = 2000;

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

ResultLists::ResultLists(ResultListBox* index, ResultListBox* angles)
    : QObject(index)
    , m_index(index)
    , m_angles(angles)
{
    for (ResultListBox* list : { index, angles }) {
        // Both lists are written together, so that their rows stay side by side.
        connect(list, &ResultListBox::textNeeded, this, &ResultLists::writeLines);
        connect(list->document(), &QTextDocument::contentsChanged, this, [this] {
            if (!m_writing)
                m_edited = true;
        });
        connect(list, &QPlainTextEdit::cursorPositionChanged, this, [this, list] {
            if (!m_writing)
                emit cursorMoved(list);
        });
    }
    QAccessible::installActivationObserver(this);
}

ResultLists::~ResultLists()
{
    QAccessible::removeActivationObserver(this);
}

void ResultLists::accessibilityActiveChanged(bool active)
{
    if (active)
        writeLines();
}

void ResultLists::clear(const PoleStore& store, const Crystal& crystal)
{
    m_writing = true;
    stopDrawing();
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
    const int written = prefixShown ? m_count : 0;
    if (prefixShown && m_listed) {
        drawLines(store, crystal, second, false);
    } else if (count - written > WrittenAtOnce && !QAccessible::isActive()) {
        // An assistive tool reads the lists' documents, so they are written for it.
        drawLines(store, crystal, second, true);
    } else if (prefixShown) {
        if (m_count < count) {
            const PoleLists lines
                = BuildLists(store, lattice, m_count, crystal.planeAngles, second);
            AppendToList(m_index, lines.indexList);
            AppendToList(m_angles, lines.angleList);
        }
    } else {
        stopDrawing();
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

void ResultLists::drawLines(
    const PoleStore& store, const Crystal& crystal, const Lattice* second, bool fromScratch)
{
    if (fromScratch) {
        stopDrawing();
        for (ResultListBox* list : { m_index, m_angles }) {
            if (!list->document()->isEmpty())
                list->clear();
        }
        m_listed = std::make_shared<Listed>(Listed { &store, crystal.lattice,
            second ? std::optional(*second) : std::nullopt, crystal.planeAngles });
    }
    for (ResultListBox* list : { m_index, m_angles }) {
        list->showLines(
            store.PoleCount(), [listed = m_listed, index = list == m_index](int first, int count) {
                const std::span<const Entry> entries = listed->store->entries();
                const std::size_t from = std::min(entries.size(), std::size_t(first));
                const PoleLists lines = BuildLists(
                    entries.subspan(from, std::min(entries.size() - from, std::size_t(count))),
                    listed->lattice, listed->planeAngles,
                    listed->second ? &*listed->second : nullptr);
                return index ? lines.indexList : lines.angleList;
            });
    }
}

void ResultLists::stopDrawing()
{
    m_listed.reset();
    m_index->dropLines();
    m_angles->dropLines();
}

void ResultLists::writeLines()
{
    if (!m_listed)
        return;
    m_listed.reset();
    const bool writing = std::exchange(m_writing, true);
    m_index->writeLines();
    m_angles->writeLines();
    m_writing = writing;
}

void ResultLists::select(int n, QPlainTextEdit* except)
{
    if (m_edited)
        return;
    m_writing = true;
    for (ResultListBox* list : { m_index, m_angles }) {
        if (list != except)
            list->selectLine(n);
    }
    m_writing = false;
}

void ResultLists::clearSelection()
{
    m_writing = true;
    for (ResultListBox* list : { m_index, m_angles })
        list->clearLineSelection();
    m_writing = false;
}
