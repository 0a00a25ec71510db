#pragma once

#include "run/RunState.h"

#include <QObject>
#include <QUndoCommand>
#include <QUndoStack>

#include <memory>
#include <vector>

// What a step changed, so that the window shows just that anew.
struct WorkChange
{
    // The first store position whose entry is no longer the one it was, or
    // -1 when every entry kept its place (entries appended, a crystal turned).
    int firstMoved = -1;
    // The view or its crystal: check marks, captions, the index boxes.
    bool view = false;
    // The display settings, which the two boxes then show.
    bool display = false;
};

class WorkHistory;

// One step of the work's history. A kind of step holds only what it
// changed: forward() makes the change, back() takes it back, and each says
// what it changed. The history calls them; nothing else does.
class WorkStep : public QUndoCommand
{
public:
    explicit WorkStep(const QString& text)
        : QUndoCommand(text)
    {
    }
    void redo() final;
    void undo() final;

protected:
    virtual WorkChange forward(RunState& state) = 0;
    virtual WorkChange back(RunState& state) = 0;

private:
    friend class WorkHistory;
    WorkHistory* m_history = nullptr;
};

// Every change to the work goes through here, as one step of one undo
// stack: a plot (entries appended), a deletion, クリア, another crystal or
// orientation (a whole drag or key repeat merged into one step), a
// projection choice and opening a file. The methods make the change and
// keep it; undoing and redoing a step emit changed() as making it does,
// and the window shows the run anew. A new kind of change is a WorkStep
// subclass that holds what it changes, made and kept by push(); where it
// is one of the kinds below, its method serves.
class WorkHistory : public QObject
{
    Q_OBJECT

public:
    // Each step holds at most a full store, 16 bytes an entry with the
    // family it was plotted in (524,272 bytes): 36 steps stay within 20 MB
    // however they were taken, with room for what each allocation costs.
    static constexpr int StepLimit = 36;
    static_assert(sizeof(Entry) <= 16);

    explicit WorkHistory(RunState& state, QObject* parent = nullptr);

    QUndoStack& stack() { return m_stack; }
    // Makes the step's change and keeps it.
    void push(std::unique_ptr<WorkStep> step);

    // Entries plotted at the end of the store: typed, a family, an index list.
    void append(std::vector<Entry> entries, const QString& text);
    void remove(int position);
    // Empties the store; nothing is kept when it is empty already.
    void clear();
    // Another crystal or orientation for the free view. Steps with the same
    // gesture (above 0) are one: a drag, or a key held down.
    void changeCrystal(const Crystal& crystal, int gesture = 0);
    // The whole run replaced: another view (which empties the store), or a
    // session opened.
    void replace(RunState after, const QString& text);

    // The names the steps go by.
    static const QString PlotText;
    static const QString OpenText;
    static const QString ViewText;

signals:
    void changed(const WorkChange& change);

private:
    friend class WorkStep;
    RunState& m_state;
    QUndoStack m_stack;
};
