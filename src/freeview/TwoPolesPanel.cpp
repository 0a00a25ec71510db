#include "freeview/TwoPolesPanel.h"

#include "files/IndexList.h"
#include "orientation/HolderTilt.h"
#include "plotting/NumericText.h"
#include "scene/Crystal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const std::array<QString, 2> Ordinals { QStringLiteral("1つ目"), QStringLiteral("2つ目") };

QLineEdit* Field(QWidget* parent, const QString& name, const QString& accessible, int width)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setMaximumWidth(width);
    return box;
}

} // namespace

TwoPolesPanel::TwoPolesPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("2つの極から方位"), parent)
{
    setObjectName(QStringLiteral("grpTwoPoles"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("指数"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("極角 (°)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("方位角 (°)"), this), 0, 3);
    for (std::size_t n = 0; n < m_poles.size(); ++n) {
        const QString prefix = QStringLiteral("txtPole%1").arg(n + 1);
        const QString ordinal = Ordinals[n] + QStringLiteral("の極");
        PoleFields& fields = m_poles[n];
        fields.index = Field(this, prefix, ordinal + QStringLiteral(" 指数"), 130);
        fields.polar
            = Field(this, prefix + QStringLiteral("Polar"), ordinal + QStringLiteral(" 極角"), 80);
        fields.azimuth = Field(
            this, prefix + QStringLiteral("Azimuth"), ordinal + QStringLiteral(" 方位角"), 80);
        fields.pick = new QPushButton(QStringLiteral("図で指定"), this);
        fields.pick->setObjectName(QStringLiteral("cmdPole%1Pick").arg(n + 1));
        fields.pick->setAccessibleName(ordinal + QStringLiteral(" の位置を図で指定"));
        fields.pick->setCheckable(true);
        const int row = int(n) + 1;
        grid->addWidget(new QLabel(ordinal, this), row, 0);
        grid->addWidget(fields.index, row, 1);
        grid->addWidget(fields.polar, row, 2);
        grid->addWidget(fields.azimuth, row, 3);
        grid->addWidget(fields.pick, row, 4);
        // One pole at a time waits for the picture.
        connect(fields.pick, &QPushButton::toggled, this, [this, n](bool on) {
            if (on)
                m_poles[1 - n].pick->setChecked(false);
        });
        for (QLineEdit* box : { fields.index, fields.polar, fields.azimuth })
            connect(box, &QLineEdit::returnPressed, this, &TwoPolesPanel::solve);
    }
    auto* solve = new QPushButton(QStringLiteral("方位を求める"), this);
    solve->setObjectName(QStringLiteral("cmdSolveTwoPoles"));
    connect(solve, &QPushButton::clicked, this, &TwoPolesPanel::solve);
    m_misfit = new QLabel(this);
    m_misfit->setObjectName(QStringLiteral("lblMisfit"));
    m_misfit->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* note = new QLabel(
        QStringLiteral("面は (h k l)、方向は [u v w]（六方晶・三方晶では四指数も可）。測定位置は "
                       "Z からの極角と、X から Y へ測る方位角です。「図で指定」のあと図をクリック"
                       "すると、その位置を取ります。1つ目の極をその位置に、2つ目を2つの位置を含む"
                       "面に置きます。ずれ（位置の間の角 − 結晶の中の角）が 5° を超えるときは"
                       "求めません。"),
        this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* result = new QHBoxLayout;
    result->addWidget(solve);
    result->addWidget(m_misfit, 1);
    layout->addLayout(result);
    layout->addWidget(note);
}

void TwoPolesPanel::showCrystal(const Crystal& crystal)
{
    if (!m_lattice || !(*m_lattice == crystal.lattice))
        m_misfit->clear();
    m_lattice = crystal.lattice;
}

std::optional<int> TwoPolesPanel::waitingForPlace() const
{
    for (std::size_t n = 0; n < m_poles.size(); ++n)
        if (m_poles[n].pick->isChecked())
            return int(n);
    return std::nullopt;
}

void TwoPolesPanel::takePlace(const SamplePlace& place)
{
    const std::optional<int> n = waitingForPlace();
    if (!n)
        return;
    PoleFields& fields = m_poles[std::size_t(*n)];
    fields.polar->setText(QString::number(place.polar, 'f', 3));
    fields.azimuth->setText(QString::number(place.azimuth, 'f', 3));
    fields.pick->setChecked(false);
}

void TwoPolesPanel::stopWaiting()
{
    for (PoleFields& fields : m_poles)
        fields.pick->setChecked(false);
}

std::variant<MeasuredPole, QString> TwoPolesPanel::pole(int n) const
{
    const PoleFields& fields = m_poles[std::size_t(n)];
    const QString typed = fields.index->text().trimmed();
    const IndexListRead read = ReadIndexList(
        typed.toUtf8(), { m_lattice && UsesFourIndices(m_lattice->system()), true });
    if (!read.error.isEmpty() || read.entries.size() != 1)
        return TwoPoleFieldMessages::BadIndex.arg(Ordinals[std::size_t(n)], typed);
    const std::optional<double> polar = ParseNumericText(fields.polar->text());
    const std::optional<double> azimuth = ParseNumericText(fields.azimuth->text());
    if (!polar || !azimuth)
        return TwoPoleFieldMessages::BadPlace.arg(Ordinals[std::size_t(n)]);
    const IndexEntry& entry = read.entries.front();
    return MeasuredPole { entry.kind, entry.index, { *polar, *azimuth } };
}

std::variant<TwoPoleOrientation, QString> TwoPolesPanel::solution() const
{
    if (!m_lattice)
        return QString();
    std::array<MeasuredPole, 2> poles;
    for (int n = 0; n < 2; ++n) {
        const std::variant<MeasuredPole, QString> read = pole(n);
        if (const QString* why = std::get_if<QString>(&read))
            return *why;
        poles[std::size_t(n)] = std::get<MeasuredPole>(read);
    }
    return OrientationFromTwoPoles(*m_lattice, poles[0], poles[1]);
}

void TwoPolesPanel::solve()
{
    const std::variant<TwoPoleOrientation, QString> found = solution();
    if (const QString* why = std::get_if<QString>(&found)) {
        if (!why->isEmpty())
            emit refused(*why);
        return;
    }
    const TwoPoleOrientation& solved = std::get<TwoPoleOrientation>(found);
    m_misfit->setText(QStringLiteral("ずれ %1（測定位置の間の角 − 結晶の中の角）")
                          .arg(SignedAngleText(solved.misfit)));
    emit this->solved(solved.orientation);
}
