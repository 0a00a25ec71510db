#pragma once

#include "poles/PoleStore.h"
#include "scene/Crystal.h"

#include <QAccessible>
#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPlainTextEdit;
class ResultListBox;

// The two list boxes of results: the index list and the angle list. Both
// always end up holding exactly the lines built from the store; what the
// user types into them is replaced by the next rewrite. While they still
// hold the lines of an earlier part of the same store, a plot only appends
// its line: mending both lists whole made a plot at 32767 entries 18 ms.
// Many lines at once are drawn from the entries and written as text only
// when somebody needs it (see ResultListBox).
class ResultLists : public QObject, private QAccessible::ActivationObserver
{
    Q_OBJECT

public:
    ResultLists(ResultListBox* index, ResultListBox* angles);
    ~ResultLists() override;

    // Empties both lists for an empty store.
    void clear(const PoleStore& store, const Crystal& crystal);
    // Rewrites both lists from the store as the crystal writes its entries
    // and reads their angles.
    // With a second crystal's lattice, each line names its crystal.
    void show(const PoleStore& store, const Crystal& crystal, const Lattice* second = nullptr);
    // Whether the lines are the store's: nobody has typed into them since.
    bool holdStore() const { return !m_edited; }
    // Selects entry n's line in both lists but except; clears the selections.
    void select(int n, QPlainTextEdit* except);
    void clearSelection();

signals:
    // The user moved the text cursor of a list, not the program.
    void cursorMoved(QPlainTextEdit* list);

private:
    // What the lists draw their lines from while they are not written: the
    // store itself, which every change shows anew, read as it was shown.
    struct Listed
    {
        const PoleStore* store;
        Lattice lattice;
        std::optional<Lattice> second;
        PlaneAngles planeAngles;
    };
    void drawLines(
        const PoleStore& store, const Crystal& crystal, const Lattice* second, bool fromScratch);
    void writeLines();
    // The lists show their documents again.
    void stopDrawing();
    // An assistive tool reads the documents: one that starts finds them written.
    void accessibilityActiveChanged(bool active) override;

    ResultListBox* m_index;
    ResultListBox* m_angles;
    std::shared_ptr<Listed> m_listed;
    // The lines of the first count entries of a store epoch are shown; the
    // lists do not change as the crystal turns, only with its lattice.
    uint64_t m_epoch = 0;
    int m_count = -1;
    std::optional<Lattice> m_lattice;
    std::optional<Lattice> m_second;
    PlaneAngles m_planeAngles = PlaneAngles::Full;
    bool m_edited = false;
    bool m_writing = false;
};
