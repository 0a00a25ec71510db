#include "app/WorkHistory.h"

#include <utility>

const QString WorkHistory::PlotText = QStringLiteral("面指数のプロット");
const QString WorkHistory::OpenText = QStringLiteral("開く");
const QString WorkHistory::ViewText = QStringLiteral("投影図の選択");

namespace {

const QString DeleteText = QStringLiteral("選択した極を削除");
const QString ClearText = QStringLiteral("クリア");
const QString CrystalText = QStringLiteral("結晶と方位");

// Entries appended: held here only while the step is undone.
class AppendStep : public WorkStep
{
public:
    AppendStep(std::vector<Entry> entries, const QString& text)
        : WorkStep(text)
        , m_count(int(entries.size()))
        , m_entries(std::move(entries))
    {
    }

protected:
    WorkChange forward(RunState& state) override
    {
        for (const Entry& entry : std::exchange(m_entries, {}))
            state.store.append(entry);
        return {};
    }
    WorkChange back(RunState& state) override
    {
        m_entries = state.store.takeLast(m_count);
        return { state.store.PoleCount() };
    }

private:
    int m_count;
    std::vector<Entry> m_entries;
};

class RemoveStep : public WorkStep
{
public:
    explicit RemoveStep(int position)
        : WorkStep(DeleteText)
        , m_position(position)
    {
    }

protected:
    WorkChange forward(RunState& state) override
    {
        m_entry = state.store.takeAt(m_position);
        return { m_position };
    }
    WorkChange back(RunState& state) override
    {
        state.store.insertAt(m_position, m_entry);
        return { m_position };
    }

private:
    int m_position;
    Entry m_entry;
};

// The entries a clear took away, moved here and back.
class ClearStep : public WorkStep
{
public:
    ClearStep()
        : WorkStep(ClearText)
    {
    }

protected:
    WorkChange forward(RunState& state) override
    {
        m_taken = state.store.takeAll();
        return { 0 };
    }
    WorkChange back(RunState& state) override
    {
        state.store.restore(std::exchange(m_taken, {}));
        return { 0 };
    }

private:
    std::vector<Entry> m_taken;
};

// The free view's crystal before and after; the entries stay.
class CrystalStep : public WorkStep
{
public:
    CrystalStep(Crystal before, Crystal after, int gesture)
        : WorkStep(CrystalText)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_gesture(gesture)
    {
    }
    int id() const override { return m_gesture > 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = dynamic_cast<const CrystalStep*>(other);
        if (!next || next->m_gesture != m_gesture)
            return false;
        m_after = next->m_after;
        // Turned back to where it began, the gesture changed nothing.
        setObsolete(m_after == m_before);
        return true;
    }

protected:
    WorkChange forward(RunState& state) override
    {
        state.changeFree(m_after);
        return { -1, true };
    }
    WorkChange back(RunState& state) override
    {
        state.changeFree(m_before);
        return { -1, true };
    }

private:
    Crystal m_before;
    Crystal m_after;
    int m_gesture;
};

// The whole run, swapped with the one the step holds: doing and undoing
// are the same exchange.
class ReplaceStep : public WorkStep
{
public:
    ReplaceStep(RunState other, const QString& text)
        : WorkStep(text)
        , m_other(std::move(other))
    {
    }

protected:
    WorkChange forward(RunState& state) override { return swap(state); }
    WorkChange back(RunState& state) override { return swap(state); }

private:
    WorkChange swap(RunState& state)
    {
        std::swap(state, m_other);
        // The boxes show the run's settings again even where they are the
        // same: text typed into a box but not yet drawn with must not
        // outlive the run it was typed over.
        return { 0, true, true };
    }

    RunState m_other;
};

} // namespace

void WorkStep::redo()
{
    emit m_history->changed(forward(m_history->m_state));
}

void WorkStep::undo()
{
    emit m_history->changed(back(m_history->m_state));
}

WorkHistory::WorkHistory(RunState& state, QObject* parent)
    : QObject(parent)
    , m_state(state)
{
    m_stack.setUndoLimit(StepLimit);
    // Found by its name, as the window's other parts are.
    m_stack.setObjectName(QStringLiteral("workHistory"));
    m_stack.setParent(this);
}

void WorkHistory::push(std::unique_ptr<WorkStep> step)
{
    step->m_history = this;
    m_stack.push(step.release());
}

void WorkHistory::append(std::vector<Entry> entries, const QString& text)
{
    if (!entries.empty())
        push(std::make_unique<AppendStep>(std::move(entries), text));
}

void WorkHistory::remove(int position)
{
    if (position >= 0 && position < m_state.store.PoleCount())
        push(std::make_unique<RemoveStep>(position));
}

void WorkHistory::clear()
{
    if (m_state.store.PoleCount() > 0)
        push(std::make_unique<ClearStep>());
}

void WorkHistory::changeCrystal(const Crystal& crystal, int gesture)
{
    if (m_state.scene.isFree() && !(crystal == m_state.free))
        push(std::make_unique<CrystalStep>(m_state.free, crystal, gesture));
}

void WorkHistory::replace(RunState after, const QString& text)
{
    push(std::make_unique<ReplaceStep>(std::move(after), text));
}
