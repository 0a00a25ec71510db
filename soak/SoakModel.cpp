#include "Soak.h"

QString FullWidth(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out += QChar(char16_t(0xff10 + (c.unicode() - u'0')));
        else if (c == u'-')
            out += QChar(char16_t(0xff0d));
        else if (c == u'.')
            out += QChar(char16_t(0xff0e));
        else
            out += c;
    }
    return out;
}

// Whether two stores are listed alike. A direction in four indices stands
// for [U V W] and for [3U 3V 3W] alike where U + V is no multiple of 3, and
// an index list gives back the smaller; every other entry must be the same.
// Which family a member was plotted with is not listed, and a file keeps
// it only while the members still make their family.
bool SameAsListed(const std::vector<Entry>& a, const std::vector<Entry>& b, bool fourIndices)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const Entry& x, const Entry& y) {
        return (x.kind == y.kind && x.index == y.index)
            || (fourIndices && x.kind == IndexKind::Direction && y.kind == IndexKind::Direction
                && IndexText(x.kind, x.index, true) == IndexText(y.kind, y.index, true));
    });
}

std::vector<Entry> Grouped(std::vector<Entry> entries)
{
    std::stable_partition(
        entries.begin(), entries.end(), [](const Entry& e) { return e.crystal == 0; });
    return entries;
}

PoleStore GroupedStore(const PoleStore& store)
{
    PoleStore grouped;
    for (const Entry& entry : Grouped(store.entries()))
        grouped.append(entry);
    return grouped;
}

qint64 PeakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

Soak::Soak(uint64_t seed, int actions)
    : m_seed(seed)
    , m_actions(actions)
    , m_random(seed)
{
    for (const KindInfo& info : Kinds)
        m_weightTotal += info.weight;
}

void Soak::fail(const QString& why)
{
    std::fprintf(stderr, "soak: FAILED at step %d: %s\n", m_step, qPrintable(why));
    printReplay();
    std::_Exit(1);
}

void Soak::printReplay() const
{
    std::fprintf(stderr, "soak: the last %zu actions:\n", m_history.size());
    for (const std::string& line : m_history)
        std::fprintf(stderr, "  %s\n", line.c_str());
    std::fprintf(stderr, "soak: step %d; replay with SOAK_SEED=%" PRIu64 " SOAK_ACTIONS=%d\n",
        m_step, uint64_t(m_seed), m_step + 1);
    std::fflush(stderr);
}

QString Soak::garbage(int longest)
{
    QString text;
    const int length = between(1, longest);
    for (int i = 0; i < length; ++i) {
        switch (below(4)) {
        case 0:
            text += QChar(char16_t(between(0x20, 0x7e)));
            break;
        case 1:
            text += QChar(char16_t(between(0x3000, 0x9fff)));
            break;
        case 2:
            text += QChar(char16_t(between(0xff01, 0xff5e)));
            break;
        default:
            text += QLatin1Char("0123456789-. ,()[]e"[below(19)]);
            break;
        }
    }
    return text;
}

QString Soak::indexText()
{
    static const QStringList odd = { "", " ", "0", "-0", "+1", "2.5", "-2.5", ".5", "2.", "1e3",
        "1e300", "1e400", "-1e400", "inf", "-inf", "nan", "32767", "-32767", "-32768", "32768",
        "65535", "-65536", "99999999999999999999", "0x10", "1,000", "--1", "1e", "abc",
        QStringLiteral("\u22127"), QStringLiteral("一"), QStringLiteral("\u3000"), "\t3",
        "0.999999999", "-0.5", "4.9e-324", "1.7976931348623157e308" };
    const int roll = below(100);
    if (roll < 55)
        return QString::number(between(-6, 6));
    if (roll < 65)
        return QString::number(between(-200, 200));
    if (roll < 72)
        return FullWidth(QString::number(between(-9, 9)));
    if (roll < 78)
        return QString::number(uniform(-10, 10), 'f', between(1, 3));
    if (roll < 92)
        return odd[below(int(odd.size()))];
    return garbage(40);
}

// Mostly crystals the dialog takes; now and then lengths and angles that
// make no cell, directions that are no direction, or extreme values.
Crystal Soak::randomFree(bool* made)
{
    static constexpr LatticeSystem Systems[] = { LatticeSystem::Cubic, LatticeSystem::Tetragonal,
        LatticeSystem::Orthorhombic, LatticeSystem::Hexagonal, LatticeSystem::Trigonal,
        LatticeSystem::Monoclinic, LatticeSystem::Triclinic };
    const LatticeSystem system = Systems[below(7)];
    LatticeParameters p;
    if (chance(20)) {
        p = CrystalPresets()[std::size_t(below(int(CrystalPresets().size())))].parameters;
    } else {
        p = { uniform(1, 12), uniform(1, 12), uniform(1, 12), uniform(60, 120), uniform(60, 120),
            uniform(60, 120) };
    }
    if (chance(10)) {
        double* fields[] = { &p.a, &p.b, &p.c, &p.alpha, &p.beta, &p.gamma };
        const double odd[] = { 0.0, -1.0, 1e-300, 1e300, 180.0, 0.0, 179.999, 0.001, 1e-9,
            std::nan(""), INFINITY };
        *fields[below(6)] = odd[below(int(std::size(odd)))];
    }
    const auto direction = [this] {
        if (chance(70))
            return Vector3 { double(between(-3, 3)), double(between(-3, 3)),
                double(between(-3, 3)) };
        return Vector3 { uniform(-5, 5), uniform(-5, 5), uniform(-5, 5) };
    };
    const Vector3 centre = chance(3) ? Vector3 { 0, 0, 0 } : direction();
    std::optional<Vector3> up = chance(5) ? centre : direction();
    const NetOptions net { chance(80) ? between(1, 4) : between(5, 10), chance(70), chance(20),
        chance(30), chance(20) ? ProjectionKind::EqualArea : ProjectionKind::Stereographic };
    // Now and then a group of the system other than its holohedry.
    std::optional<SpaceGroup> group;
    if (chance(50)) {
        const auto any = SpaceGroup::FromText(QString::number(between(1, 230)));
        if (const SpaceGroup* g = std::get_if<SpaceGroup>(&any); g && g->fits(system))
            group = *g;
    }
    if (chance(30))
        up.reset();
    std::variant<Crystal, QString> settings = Crystal::Make(system, p, centre, up, net, group);
    *made = std::holds_alternative<Crystal>(settings);
    note(QStringLiteral(" system %1 a %2 b %3 c %4 α %5 β %6 γ %7 centre [%8 %9 %10] limit %11")
             .arg(int(system))
             .arg(p.a)
             .arg(p.b)
             .arg(p.c)
             .arg(p.alpha)
             .arg(p.beta)
             .arg(p.gamma)
             .arg(centre[0])
             .arg(centre[1])
             .arg(centre[2])
             .arg(net.limit));
    if (!*made) {
        note(QStringLiteral(" (refused: %1)").arg(std::get<QString>(settings)));
        return {};
    }
    return std::get<Crystal>(settings);
}

QPoint Soak::picturePoint()
{
    m_aimed = false;
    const int count = m_state.store.PoleCount();
    // On a mark, so that clicks pick and the tool tip names poles.
    if (count > 0 && chance(40)) {
        // Placed as the picture places it: by its own crystal's projector.
        const Entry& entry = m_state.store.at(below(count));
        const TwipsPoint at = Place(m_state.scene.placer().of(entry), entry).at;
        if (std::isfinite(at.x) && std::isfinite(at.y) && std::fabs(at.x) < 1e6
            && std::fabs(at.y) < 1e6) {
            m_aimed = chance(50);
            const int jitter = m_aimed ? 0 : 3;
            return QPoint(
                int(std::floor(at.x / PictureSize::TwipsPerPixel)) + between(-jitter, jitter),
                int(std::floor(at.y / PictureSize::TwipsPerPixel)) + between(-jitter, jitter));
        }
    }
    if (chance(5))
        return QPoint(between(-50, PictureSize::WidthPixels + 50),
            between(-50, PictureSize::HeightPixels + 50));
    return QPoint(below(PictureSize::WidthPixels), below(PictureSize::HeightPixels));
}

void Soak::type(QWidget* widget, const QString& text)
{
    const bool ascii
        = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 128; });
    if (ascii && !text.contains(u'\t')) {
        QTest::keyClicks(widget, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(widget, &commit);
}

void Soak::process()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<bool> Soak::marks() const
{
    std::vector<bool> out;
    for (const QAction* item : m_viewItems)
        out.push_back(item->isChecked());
    out.push_back(m_direction->isChecked());
    out.push_back(m_direction->isEnabled());
    out.push_back(m_family->isChecked());
    out.push_back(m_family->isEnabled());
    return out;
}

Snapshot Soak::snapshot() const
{
    Snapshot s;
    s.entries = m_state.store.entries();
    s.indexList = m_lists[0]->shownText();
    s.angleList = m_lists[1]->shownText();
    s.marks = marks();
    s.plotSize = m_plotSize->currentText();
    s.lineWidth = m_lineWidth->currentText();
    s.display = m_state.display;
    s.freeChosen = m_state.scene.isFree();
    s.free = m_state.free;
    s.row = m_state.scene.row;
    s.picked = m_form->pickedPole();
    s.picture = m_form->surface().image();
    return s;
}

void Soak::expectUnchanged(const Snapshot& before, const QString& what)
{
    const Snapshot after = snapshot();
    if (after == before)
        return;
    QStringList changed;
    if (after.entries != before.entries)
        changed
            << QStringLiteral("store %1 → %2").arg(before.entries.size()).arg(after.entries.size());
    if (after.indexList != before.indexList || after.angleList != before.angleList)
        changed << QStringLiteral("lists");
    if (after.marks != before.marks)
        changed << QStringLiteral("check marks");
    if (after.plotSize != before.plotSize || after.lineWidth != before.lineWidth
        || after.display != before.display)
        changed << QStringLiteral("settings");
    if (after.freeChosen != before.freeChosen || !(after.free == before.free)
        || after.row != before.row)
        changed << QStringLiteral("view");
    if (after.picked != before.picked)
        changed << QStringLiteral("pick");
    if (after.picture != before.picture)
        changed << QStringLiteral("picture");
    fail(what + QStringLiteral(" changed: ") + changed.join(QStringLiteral(", ")));
}

ReadFunction Soak::plottedWith() const
{
    return m_state.scene.crystal.allowsFamilies() && m_family->isChecked() ? FamilyOf : EntryOf;
}

IndexKind Soak::plottedKind() const
{
    return m_state.scene.isFree() && m_direction->isChecked() ? IndexKind::Direction
                                                              : IndexKind::Plane;
}

void Soak::keep(SavedFile file)
{
    // A file saved again holds only what was saved last.
    std::erase_if(m_saved, [&](const SavedFile& saved) { return saved.path == file.path; });
    m_saved.push_back(std::move(file));
    if (int(m_saved.size()) > SavedFilesKept) {
        QFile::remove(m_saved.front().path);
        m_saved.erase(m_saved.begin());
    }
}

// A name for a file of this extension: with it, in capitals, or without.
QString ChosenName(const QString& base, const QString& extension, int roll)
{
    if (roll < 70)
        return base + u'.' + extension;
    if (roll < 80)
        return base + u'.' + extension.toUpper();
    return base;
}
