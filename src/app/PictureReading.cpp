#include "app/PictureReading.h"

#include "app/PictureBox.h"
#include "app/ResultLists.h"
#include "figure/PlotPoles.h"
#include "freeview/GreatCirclePath.h"
#include "painting/PainterSurface.h"
#include "poles/PoleLists.h"

#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QToolTip>
#include <QTransform>

#include <algorithm>

namespace {

// The ring keeps this many pixels clear of the mark it surrounds.
constexpr double RingGap = 3.0;

} // namespace

PictureReading::PictureReading(const RunState& state, PictureBox* picture,
    const PainterSurface& surface, ResultLists& lists, PlacementCache& placements)
    : QObject(picture)
    , m_state(state)
    , m_picture(picture)
    , m_surface(surface)
    , m_lists(lists)
    , m_placements(placements)
{
    m_reshow.setSingleShot(true);
    m_reshow.setInterval(picture->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
    connect(&m_reshow, &QTimer::timeout, this, [this] { pointerMoved(m_reshowAt); });
}

double PictureReading::markReachTwips() const
{
    // The disc and half of its outline; the free view's marks are larger.
    const double radius = m_state.scene.isFree() ? FigureMarkRadius(m_state.display.plotSize)
                                                 : m_state.display.plotSize;
    return radius + m_state.display.lineWidth * PictureSize::TwipsPerPixel / 2.0;
}

PictureReader PictureReading::reader(std::array<QString, 3> names) const
{
    return PictureReader(m_state.scene, m_state.store,
        m_placements.marks(m_state.scene.placer(), m_state.store), std::move(names),
        markReachTwips());
}

void PictureReading::pointerMoved(QPoint pixel)
{
    const Projector projector = m_state.scene.projector();
    const PictureReader reader = this->reader(m_state.referenceNames());
    const TwipsPoint at = PictureReader::PixelCentre(pixel.x(), pixel.y(), m_picture->zoom());
    // One look among all the marks serves both.
    const int pole = reader.PoleAt(at);
    const QString text = reader.ToolTip(at, pole, m_picked);
    showZone(projector, pole);
    m_reshow.stop();
    // Qt takes a tip down of its own accord (a click, a key, its time out):
    // the same text is shown again unless it is still up.
    if (text == m_readout && (text.isEmpty() || QToolTip::isVisible()))
        return;
    m_readout = text;
    describeReadout();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(m_picture->mapToGlobal(pixel), text, m_picture);
}

void PictureReading::pointerLeft()
{
    m_reshow.stop();
    m_readout.clear();
    describeReadout();
    QToolTip::hideText();
}

void PictureReading::describeReadout()
{
    if (!m_state.scene.isFree())
        return;
    const QString picture
        = PictureReader::Description(m_state.scene.name(), m_state.store.PoleCount());
    m_picture->setAccessibleDescription(
        m_readout.isEmpty() ? picture : picture + u'\n' + m_readout);
}

std::optional<HolderTilt> PictureReading::tiltsAt(QPoint pixel) const
{
    const PictureReader reader = this->reader({});
    const TwipsPoint at = PictureReader::PixelCentre(pixel.x(), pixel.y(), m_picture->zoom());
    return reader.TiltsAt(at, reader.PoleAt(at));
}

void PictureReading::showZone(const Projector& projector, int hovered)
{
    // The free view draws the zone of the picked entry and the one under
    // the pointer while the pointer is on it.
    QPainterPath circle;
    if (m_state.scene.isFree() && m_picked >= 0 && hovered >= 0 && hovered != m_picked
        && m_picked < m_state.store.PoleCount()) {
        const Placer placer = m_state.scene.placer();
        const auto toView = [&](int n) {
            const Entry& entry = m_state.store.at(n);
            const Projector& own = placer.of(entry);
            return own.toView(EntryVector(own.lattice(), entry));
        };
        circle = GreatCirclePath(projector.frame(), Cross(toView(m_picked), toView(hovered)));
    }
    // Drawn in the widget's pixels, zoom times the picture's.
    const double zoom = m_picture->zoom();
    const Frame& frame = projector.frame();
    m_picture->showGreatCircle(QTransform::fromScale(zoom, zoom).map(circle),
        QPointF(frame.x, frame.y) * zoom / PictureSize::TwipsPerPixel,
        2.0 * frame.scale * zoom / PictureSize::TwipsPerPixel);
}

void PictureReading::hideZone()
{
    m_picture->showGreatCircle({}, {}, 0);
}

void PictureReading::clicked(QPoint pixel)
{
    const int entry
        = reader({}).PoleAt(PictureReader::PixelCentre(pixel.x(), pixel.y(), m_picture->zoom()));
    if (entry >= 0)
        pick(entry, nullptr);
    else
        unpick();
    m_readout.clear();
    pointerMoved(pixel);
    // Qt takes the tip down as the button comes up and disposes of it only
    // later; a tip shown before then would be lost with it. So the click's
    // readout comes back after the tool tip delay, unless a move shows it
    // first.
    m_reshowAt = pixel;
    m_reshow.start();
}

void PictureReading::listCursorMoved(QPlainTextEdit* list, bool isIndexList)
{
    // Only while the lines are the store's: typed text would put other
    // entries on them.
    if (!m_lists.holdStore())
        return;
    const QTextBlock line = list->textCursor().block();
    const int n = line.blockNumber();
    if (n >= m_state.store.PoleCount())
        return;
    // A key that types moves the cursor before the edit is reported.
    const Entry& entry = m_state.store.at(n);
    const Crystal& crystal = m_state.scene.crystal;
    if (line.text()
        == (isIndexList ? IndexLine(entry, crystal.lattice)
                        : AngleLine(entry, crystal.lattice, crystal.planeAngles)))
        pick(n, list);
}

void PictureReading::pickPlane(const Index3& plane)
{
    const Index3 opposite { int16_t(-plane[0]), int16_t(-plane[1]), int16_t(-plane[2]) };
    const std::vector<Entry>& entries = m_state.store.entries();
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) {
        return entry.kind == IndexKind::Plane && (entry.index == plane || entry.index == opposite);
    });
    if (found != entries.end()) {
        pick(int(found - entries.begin()), nullptr);
        return;
    }
    unpick();
    m_plane = plane;
    showRing();
}

void PictureReading::pick(int entry, QPlainTextEdit* fromList)
{
    m_plane.reset();
    if (entry != m_picked)
        emit pickChanged(entry);
    m_picked = entry;
    m_lists.select(entry, fromList);
    showRing();
}

void PictureReading::unpick()
{
    if (m_plane) {
        m_plane.reset();
        m_picture->hideRing();
    }
    if (m_picked < 0)
        return;
    m_picked = -1;
    emit pickChanged(-1);
    m_picture->hideRing();
    hideZone();
    m_lists.clearSelection();
}

void PictureReading::showRing()
{
    const Projector projector = m_state.scene.projector();
    TwipsPoint at {};
    if (m_plane) {
        at = projector.planePole(*m_plane);
    } else if (m_picked >= 0 && m_picked < m_state.store.PoleCount()) {
        at = m_placements.of(m_state.scene.placer(), m_state.store)[std::size_t(m_picked)].at;
    } else {
        m_picture->hideRing();
        return;
    }
    // The mark grows with the picture; the gap around it stays a few pixels.
    const double zoom = m_picture->zoom();
    const double radius = markReachTwips() * zoom / PictureSize::TwipsPerPixel + RingGap;
    m_picture->showRing(m_surface.markCentre(at.x, at.y) * zoom, radius, m_surface.ink());
}
