#include "Soak.h"

const PoleLists& Soak::expectedLists()
{
    // Entries' indices and angles do not depend on the orientation, so the
    // lines stay while the crystal turns. The entries themselves are
    // compared, not the store's epoch, which is the window's own bookkeeping.
    const Crystal& crystal = m_state.scene.crystal;
    const std::vector<Entry>& entries = m_state.store.entries();
    const std::optional<Lattice> second
        = m_state.scene.second ? std::optional(m_state.scene.second->lattice) : std::nullopt;
    const bool sameView = m_listsLattice == crystal.lattice && m_listsRule == crystal.rule
        && m_listsSecond == second;
    if (sameView && entries == m_listsEntries)
        return m_listsExpected;
    const bool grown = sameView && entries.size() > m_listsEntries.size()
        && std::equal(m_listsEntries.begin(), m_listsEntries.end(), entries.begin());
    if (!grown)
        m_listsExpected = {};
    PoleLists lines = BuildLists(m_state.store, crystal.lattice,
        grown ? int(m_listsEntries.size()) : 0, PlaneAngles::Full, m_state.scene.secondLattice());
    m_listsExpected.indexList
        += lines.indexList.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_listsExpected.angleList
        += lines.angleList.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_listsEntries = entries;
    m_listsLattice = crystal.lattice;
    m_listsRule = crystal.rule;
    m_listsSecond = second;
    return m_listsExpected;
}

void Soak::checkInvariants()
{
    const int count = m_state.store.PoleCount();
    SOAK_CHECK(count >= 0 && count <= PoleStore::MaxPoles,
        QStringLiteral("the store holds %1").arg(count));
    SOAK_CHECK(m_form->pickedPole() >= -1 && m_form->pickedPole() < count,
        QStringLiteral("pole %1 is picked of %2").arg(m_form->pickedPole()).arg(count));
    SOAK_CHECK(m_form->isEnabled() && m_form->isVisible(),
        QStringLiteral("the window is disabled or hidden"));
    for (int k = 0; k < 4; ++k)
        SOAK_CHECK(m_viewItems[k]->isChecked()
                == (m_state.scene.row == &DocumentedViews()[std::size_t(k)]),
            QStringLiteral("the mark of view item %1 is wrong").arg(k));
    SOAK_CHECK(m_viewItems[4]->isChecked() == m_state.scene.isFree()
            && m_direction->isEnabled() == m_state.scene.isFree()
            && m_family->isEnabled() == m_state.scene.isFree(),
        QStringLiteral("the free view's marks are wrong"));
    SOAK_CHECK(m_plotSize->findText(m_plotSize->currentText()) >= 0,
        QStringLiteral("the plot size shows \"%1\"").arg(m_plotSize->currentText()));
    // Whatever the box holds, the width drawn is a width.
    SOAK_CHECK(m_state.display.lineWidth >= 1 && m_state.display.lineWidth <= MaxLineWidth
            && ReadPlotSize(QString::number(m_state.display.plotSize)),
        QStringLiteral("the display settings are %1, %2")
            .arg(m_state.display.lineWidth)
            .arg(m_state.display.plotSize));
    // However the crystal was turned, a turn it stays: a NaN from a drag
    // would go on drawing nothing, unnoticed by every other check.
    const Matrix3& turn = m_state.free.orientation.zeroTilt.matrix();
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            SOAK_CHECK(std::fabs(Dot(turn.rows[i], turn.rows[j]) - (i == j ? 1.0 : 0.0)) < 1e-9,
                QStringLiteral("the crystal's orientation is no turn"));
    if (m_listsTyped)
        return;
    const PoleLists& expected = expectedLists();
    for (std::size_t k = 0; k < 2; ++k) {
        const QString shown = m_lists[k]->shownText();
        const QString& wanted = k == 0 ? expected.indexList : expected.angleList;
        SOAK_CHECK(shown.count(u'\n') == count,
            QStringLiteral("%1 has %2 lines for %3 entries")
                .arg(m_lists[k]->objectName())
                .arg(shown.count(u'\n'))
                .arg(count));
        SOAK_CHECK(shown == wanted,
            QStringLiteral("%1 is not the store's lines").arg(m_lists[k]->objectName()));
    }
}

void Soak::checkPicture()
{
    const PainterSurface& shown = m_form->surface();
    PainterSurface fresh(
        PictureSize::WidthTwips, PictureSize::HeightTwips, shown.image().devicePixelRatio());
    fresh.setBackground(shown.background());
    fresh.setInk(shown.ink());
    DrawPicture(fresh, m_shown, m_state.store);
    const QImage& a = shown.image();
    const QImage& b = fresh.image();
    SOAK_CHECK(a.size() == b.size(), QStringLiteral("the picture has another size"));
    const int differing = Pixels::DifferingPixels(a, b);
    // Both pictures stay behind, in the folder the soak was run from, to be
    // looked at.
    if (differing != 0) {
        a.save(QStringLiteral("soak-shown.png"));
        b.save(QStringLiteral("soak-whole-draw.png"));
    }
    SOAK_CHECK(differing == 0,
        QStringLiteral("the picture differs from a whole draw in %1 pixels (store %2)")
            .arg(differing)
            .arg(m_state.store.PoleCount()));
}

void Soak::checkReopened(const OpenedWork& work)
{
    RunState reopened;
    Adopt(reopened, work);
    const PoleLists lists = BuildLists(reopened.store, reopened.scene.crystal.lattice, 0,
        PlaneAngles::Full, reopened.scene.secondLattice());
    // A session keeps each crystal's entries apart, the first's first.
    const PoleLists shown = BuildLists(GroupedStore(m_state.store), m_state.scene.crystal.lattice,
        0, PlaneAngles::Full, m_state.scene.secondLattice());
    SOAK_CHECK(lists.indexList == shown.indexList && lists.angleList == shown.angleList,
        QStringLiteral("the saved session opens to other lists"));
    const qreal ratio = m_form->surface().image().devicePixelRatio();
    const auto picture = [ratio](const RunState& state) {
        PainterSurface surface(PictureSize::WidthTwips, PictureSize::HeightTwips, ratio);
        DrawPicture(surface, { state.scene, state.display }, state.store);
        return surface.image();
    };
    const QImage saved = picture(reopened);
    // A turned crystal comes back to the last bits of its orientation: its
    // marks and lines may move by a fraction of a pixel, which shades their
    // edges a little otherwise, but never by a pixel.
    const bool free = m_state.scene.isFree();
    const int differing = Pixels::DifferingPixels(saved, picture(m_state), free ? 96 : 0);
    const int allowed = free ? saved.width() * saved.height() / 1000 : 0;
    SOAK_CHECK(differing <= allowed,
        QStringLiteral("the saved session opens to another picture: %1 pixels differ")
            .arg(differing));
}
