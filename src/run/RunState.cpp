#include "run/RunState.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// A length or an angle as the dialog shows it: no more digits than it has.
QString number(double value)
{
    return QString::number(value, 'g', 6);
}

QString direction(const Vector3& v, bool fourIndices)
{
    const bool whole = std::all_of(
        v.begin(), v.end(), [](double x) { return x == std::round(x) && std::fabs(x) < 32768; });
    if (whole) {
        return IndexText(
            IndexKind::Direction, { int16_t(v[0]), int16_t(v[1]), int16_t(v[2]) }, fourIndices);
    }
    return QStringLiteral("[%1 %2 %3]").arg(number(v[0]), number(v[1]), number(v[2]));
}

} // namespace

const std::array<QString, 3>& StartUpAngleCaptions()
{
    // The captions differ in their spaces: U+3000 and U+0020 are both meant.
    static const std::array<QString, 3> captions {
        QStringLiteral(u"[100]\u3000との \u3000角度差"),
        QStringLiteral(u"[110]\u3000との\u3000 角度差"),
        QStringLiteral(u"[111]\u3000との\u3000 角度差"),
    };
    return captions;
}

const ViewRow* RunState::row() const
{
    return freeChosen ? nullptr : FindView(CrystalSystem, SymmetryMode);
}

std::optional<View> RunState::view() const
{
    if (freeChosen)
        return free.view();
    const ViewRow* row = this->row();
    return row ? std::optional<View>(row->view) : std::nullopt;
}

std::array<QString, 3> RunState::angleCaptions() const
{
    if (!projectionChosen)
        return StartUpAngleCaptions();
    if (freeChosen)
        return ReferencesOf(free.system).captions;
    const ViewRow* row = this->row();
    return row ? row->captions : StartUpAngleCaptions();
}

QString RunState::viewName() const
{
    if (!freeChosen) {
        const ViewRow* row = this->row();
        return row ? row->name : QString();
    }
    const LatticeParameters& p = free.parameters;
    const std::array<bool, 6> shown = FreeParameters(free.system);
    const std::array<QString, 6> names { QStringLiteral("a"), QStringLiteral("b"),
        QStringLiteral("c"), QStringLiteral("α"), QStringLiteral("β"), QStringLiteral("γ") };
    const std::array<double, 6> values { p.a, p.b, p.c, p.alpha, p.beta, p.gamma };
    QStringList cell;
    for (std::size_t k = 0; k < 6; ++k)
        if (shown[k])
            cell << QStringLiteral("%1 = %2%3")
                        .arg(names[k], number(values[k]),
                            k < 3 ? QStringLiteral(" Å") : QStringLiteral("°"));
    return QStringLiteral("%1（%2）、中心 %3")
        .arg(SystemName(free.system), cell.join(QStringLiteral("、")),
            direction(free.centre(), UsesFourIndices(free.system)));
}

void RunState::chooseDocumented(const ViewRow& row)
{
    store.InitPoleData();
    CrystalSystem = row.crystalSystem;
    SymmetryMode = row.symmetryMode;
    freeChosen = false;
    projectionChosen = true;
}

void RunState::chooseFree(const FreeViewSettings& settings)
{
    store.InitPoleData();
    free = settings;
    freeChosen = true;
    projectionChosen = true;
}
