#include "crystal/Notation.h"
#include "projection/Facing.h"
#include "projection/PaperNet.h"
#include "projection/Projector.h"

#include <QTest>
#include <numbers>
#include <random>
#include <unordered_map>

Q_DECLARE_METATYPE(ProjectionKind)
Q_DECLARE_METATYPE(Vector3)

namespace {

using std::numbers::pi;
using Points = std::vector<TwipsPoint>;
const Frame Paper {};
const double Rim = 2 * Paper.scale;
constexpr auto Kinds = { ProjectionKind::Stereographic, ProjectionKind::EqualArea };

// The circle of the directions at angle from axis, densely sampled on the
// sphere and projected where it faces the viewer, up to reach from the equator.
Points trueCurve(ProjectionKind kind, const Vector3& axis, double angle, double reach = pi / 2)
{
    const Vector3 a = Normalised(axis);
    const Vector3 e1 = Normalised(Cross(a, { a[1], a[2], a[0] }));
    const Vector3 e2 = Cross(a, e1);
    Points points;
    for (int i = 0; i < 12000; ++i) {
        const double s = 2 * pi * i / 12000;
        const Vector3 v = Sum(Scaled(a, std::cos(angle)),
            Scaled(Sum(Scaled(e1, std::cos(s)), Scaled(e2, std::sin(s))), std::sin(angle)));
        if (v[0] >= 0 && std::fabs(v[2]) <= std::sin(reach) + 1e-12)
            points.push_back(Paper.toTwips(Project(kind, v)));
    }
    return points;
}

// The path as a painter draws it, at steps of at most a fifteenth of a pixel.
Points drawnCurve(const CurvePath& path)
{
    Points points { path.start };
    for (const PathPiece& p : path.pieces) {
        const TwipsPoint a = points.back();
        const bool line = p.kind == PathPiece::Kind::Line;
        const TwipsPoint b = line ? a : p.control1, c = line ? p.to : p.control2, d = p.to;
        const double polygon = std::hypot(b.x - a.x, b.y - a.y) + std::hypot(c.x - b.x, c.y - b.y)
            + std::hypot(d.x - c.x, d.y - c.y);
        const int n = int(std::ceil(polygon)) + 1;
        for (int i = 1; i <= n; ++i) {
            const double t = double(i) / n, u = 1 - t;
            const double wa = u * u * u, wb = 3 * u * u * t, wc = 3 * u * t * t, wd = t * t * t;
            points.push_back({ wa * a.x + wb * b.x + wc * c.x + wd * d.x,
                wa * a.y + wb * b.y + wc * c.y + wd * d.y });
        }
    }
    return points;
}

// Points in cells of the tolerance: any within it of p lie in p's cell or
// a neighbour.
using Grid = std::unordered_map<long long, Points>;

long long cell(double x)
{
    return std::llround(std::floor(x / CurveTolerance));
}

long long key(long long i, long long j)
{
    return i * 1000003 + j;
}

Grid grid(const Points& points)
{
    Grid cells;
    for (const TwipsPoint& p : points)
        cells[key(cell(p.x), cell(p.y))].push_back(p);
    return cells;
}

bool near(const Grid& cells, TwipsPoint p)
{
    for (long long i = cell(p.x) - 1; i <= cell(p.x) + 1; ++i)
        for (long long j = cell(p.y) - 1; j <= cell(p.y) + 1; ++j)
            if (const auto found = cells.find(key(i, j)); found != cells.end())
                for (const TwipsPoint& q : found->second)
                    if (std::hypot(p.x - q.x, p.y - q.y) <= CurveTolerance)
                        return true;
    return false;
}

// Each drawn point near the true curve and each true point near the drawn
// one, nothing outside the primitive (a fiftieth of a pixel), and an open
// curve ending on it when it should.
bool follows(const CurvePath& path, const Points& truth, bool endsOnRim = true)
{
    const Points drawn = drawnCurve(path);
    if (path.empty() || truth.empty())
        return path.empty() == truth.empty();
    const auto fromCentre = [](TwipsPoint p) { return std::hypot(p.x - Paper.x, p.y - Paper.y); };
    const auto onRim
        = [&](TwipsPoint p) { return std::fabs(fromCentre(p) - Rim) <= CurveTolerance; };
    const bool closed = drawn.back().x == path.start.x && drawn.back().y == path.start.y;
    const Grid nearTruth = grid(truth), nearDrawn = grid(drawn);
    return (closed || !endsOnRim || (onRim(drawn.front()) && onRim(drawn.back())))
        && std::all_of(drawn.begin(), drawn.end(),
            [&](TwipsPoint p) { return fromCentre(p) <= Rim + 0.3 && near(nearTruth, p); })
        && std::all_of(
            truth.begin(), truth.end(), [&](TwipsPoint p) { return near(nearDrawn, p); });
}

} // namespace

class tst_Curves : public QObject
{
    Q_OBJECT

private slots:
    void circles_data();
    void circles();
    void paperNet();
    void projections_data();
    void projections();
    void nothingToDraw();
    void onTheRimByRounding();
};

// Zone circles (angle pi / 2) of the two reported near-diameters and of
// random crystals in random orientations, also with axes within 1e-6 rad
// of the picture's plane or circles of radius 1e3 to 1e6 pixels, through
// the poles of their planes; small circles in front, behind, across.
void tst_Curves::circles_data()
{
    QTest::addColumn<Vector3>("axis");
    QTest::addColumn<double>("angle");
    QTest::addColumn<std::vector<Vector3>>("poles");
    std::mt19937 random(31);
    const auto uniform = [&](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random);
    };
    const auto direction = [&] {
        return Vector3 { uniform(-1, 1), uniform(-1, 1), uniform(-1, 1) };
    };
    const auto zone = [](const char* name, const Lattice& lattice, Rotation turn, const Index3& uvw,
                          double tilt = 2) {
        Vector3 axis = Projector(lattice, turn, Region::Full, Paper).direction(uvw);
        const double across = std::hypot(axis[1], axis[2]) / std::cos(tilt);
        if (tilt < 2)
            turn = Rotation::Between(axis, { std::sin(tilt), axis[1] / across, axis[2] / across })
                * turn;
        const Projector view(lattice, turn, Region::Full, Paper);
        std::vector<Vector3> poles;
        for (int16_t h = -2; h <= 2; ++h)
            for (int16_t k = -2; k <= 2; ++k)
                for (int16_t l = -2; l <= 2; ++l)
                    if ((h || k || l) && h * uvw[0] + k * uvw[1] + l * uvw[2] == 0)
                        poles.push_back(view.planeNormal({ h, k, l }));
        QTest::newRow(name) << view.direction(uvw) << pi / 2 << poles;
    };
    const Lattice cubic = std::get<Lattice>(Lattice::Make(LatticeSystem::Cubic, { 4, 4, 4 }));
    const Lattice monoclinic
        = std::get<Lattice>(Lattice::Make(LatticeSystem::Monoclinic, { 5, 9, 4, 90, 118, 90 }));
    zone("cubic [1 1000 1000], [100]", cubic, *Orientation(cubic, { 1, 1000, 1000 }, { 5, -1, 2 }),
        { 1, 0, 0 });
    zone("monoclinic [4 -1 2], [110]", monoclinic,
        *Orientation(monoclinic, { 4, -1, 2 }, { -5, 4, -5 }), { 1, 1, 0 });
    std::uniform_int_distribution<int> index(-3, 3);
    for (int n = 0; n < 36;) {
        const auto system = LatticeSystem(n % 7);
        const auto made = Lattice::Make(system,
            { uniform(2, 12), uniform(2, 12), uniform(2, 12), uniform(60, 120), uniform(60, 120),
                uniform(60, 120) });
        const Index3 uvw { int16_t(index(random)), int16_t(index(random)), int16_t(index(random)) };
        if (!std::holds_alternative<Lattice>(made) || uvw == Index3 { 0, 0, 0 })
            continue;
        const double tilts[]
            = { 2, uniform(-1e-6, 1e-6), std::asin(200 / std::pow(10, 3 + n % 4)) };
        zone(qPrintable(QStringLiteral("zone %1").arg(n)), std::get<Lattice>(made),
            Rotation::AboutAxis(direction(), uniform(0, pi)), uvw, tilts[n % 3]);
        ++n;
    }
    QTest::newRow("all in front") << Vector3 { 1, 0.2, -0.3 } << 0.5 << std::vector<Vector3> {};
    QTest::newRow("behind") << Vector3 { -1, 0.1, 0 } << 0.5 << std::vector<Vector3> {};
    QTest::newRow("along the rim")
        << Vector3 { 1, 1e-9, 0 } << pi / 2 - 1e-9 << std::vector<Vector3> {};
    QTest::newRow("by the far pole")
        << Vector3 { -0.6, 0.8, 0 } << 0.6435 << std::vector<Vector3> {};
    for (int n = 0; n < 16; ++n)
        QTest::newRow(qPrintable(QStringLiteral("small %1").arg(n)))
            << direction() << uniform(1e-3, pi - 1e-3) << std::vector<Vector3> {};
}

void tst_Curves::circles()
{
    QFETCH(Vector3, axis);
    QFETCH(double, angle);
    QFETCH(std::vector<Vector3>, poles);
    for (const ProjectionKind kind : Kinds) {
        const CurvePath path = angle == pi / 2 ? GreatCircleCurve(Paper, kind, axis)
                                               : SmallCircleCurve(Paper, kind, axis, angle);
        QVERIFY(follows(path, trueCurve(kind, axis, angle)));
        const Grid drawn = grid(drawnCurve(path));
        // A plane's pole is the end of its normal that faces the viewer.
        for (const Vector3& n : poles)
            QVERIFY(near(drawn, Paper.toTwips(Project(kind, n[0] < 0 ? Scaled(n, -1) : n))));
        // A zone circle through the centre, within the tolerance, is the diameter it is.
        if (angle == pi / 2)
            QCOMPARE(path.pieces.size() == 1 && path.pieces[0].kind == PathPiece::Kind::Line,
                near(drawn, { Paper.x, Paper.y }));
    }
}

// Meridians and parallels every 2 degrees, faint ones first, the faint
// meridians stopping 10 degrees short of the poles, in either projection.
void tst_Curves::paperNet()
{
    for (const ProjectionKind kind : Kinds) {
        const std::vector<NetCurve> net = PaperNet(Paper, kind);
        QCOMPARE(net.size(), 178u);
        auto curve = net.begin();
        for (const Tone tone : { Tone::Faint, Tone::Full })
            for (const bool meridian : { true, false })
                for (int degrees = -88; degrees <= 88; degrees += 2) {
                    if ((degrees % 10 == 0) != (tone == Tone::Full))
                        continue;
                    const double a = degrees * pi / 180, reach = tone == Tone::Full ? 90 : 80;
                    QCOMPARE(curve->tone, tone);
                    QVERIFY(meridian
                            ? follows(curve->path,
                                trueCurve(kind, { -std::sin(a), std::cos(a), 0 }, pi / 2,
                                    reach * pi / 180),
                                reach == 90)
                            : follows(curve->path, trueCurve(kind, { 0, 0, 1 }, pi / 2 - a)));
                    ++curve;
                }
    }
}

void tst_Curves::projections_data()
{
    QTest::addColumn<ProjectionKind>("kind");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("theta");
    const auto equalArea = ProjectionKind::EqualArea;
    const double farPole = 2 * std::sqrt(2.0);
    QTest::newRow("equal-area, 37 degrees") << equalArea << farPole * std::sin(0.325) << 0.65;
    QTest::newRow("equal-area, beyond") << equalArea << 2.5 << 2 * std::asin(2.5 / farPole);
    QTest::newRow("equal-area, far pole") << equalArea << farPole << pi;
    QTest::newRow("equal-area, round to the rim") << equalArea << 2 * farPole - 2 << 1.5 * pi;
    QTest::newRow("stereographic, beyond")
        << ProjectionKind::Stereographic << 4.0 << 2 * std::atan(2.0);
}

// A direction theta from the centre lies at R sqrt(2) sin(theta / 2) in
// equal-area; read back, within the primitive or dragged beyond it, the
// picture gives that direction, running on along the same great circle.
void tst_Curves::projections()
{
    QFETCH(ProjectionKind, kind);
    QFETCH(double, radius);
    QFETCH(double, theta);
    const ProjectedPoint p { radius * std::cos(2.1), radius * std::sin(2.1) };
    const Vector3 v { std::cos(theta), std::sin(theta) * std::cos(2.1),
        std::sin(theta) * std::sin(2.1) };
    QVERIFY(Norm(Difference(Unproject(kind, p), v)) < 1e-12);
    const ProjectedPoint q = Project(kind, v);
    QVERIFY(theta > pi / 2 || std::hypot(q.x - p.x, q.y - p.y) < 1e-12);
    if (kind == ProjectionKind::Stereographic)
        QCOMPARE(Unproject(kind, p), Projector().unproject(Paper.toTwips(p)));
}

void tst_Curves::nothingToDraw()
{
    const double nan = std::nan("");
    QVERIFY(GreatCircleCurve(Paper, ProjectionKind::EqualArea, { 0, 0, 0 }).empty());
    QVERIFY(GreatCircleCurve(Paper, ProjectionKind::Stereographic, { nan, 1, 0 }).empty());
    QVERIFY(SmallCircleCurve(Paper, ProjectionKind::EqualArea, { 1, 0, 0 }, nan).empty());
    QVERIFY(SmallCircleCurve(Paper, ProjectionKind::Stereographic, { 1e-320, 0, 0 }, 0).empty());
    QVERIFY(GreatArcCurve(Paper, ProjectionKind::EqualArea, { 1, 2, 3 }, { -2, -4, -6 }).empty());
}

// What lies on the rim but for the last bit of a turn is drawn as on it:
// a zone circle face-on is the whole primitive, whichever way rounding tilts
// it, and a direction across the line of sight does not point away.
void tst_Curves::onTheRimByRounding()
{
    const Projector projector(Lattice::UnitCubic(), Rotation(), Region::Full, Paper);
    for (const double lean : { 0.0, 1e-17, -1e-17, 1e-12 }) {
        const CurvePath zone
            = GreatCircleCurve(Paper, ProjectionKind::Stereographic, { 1, lean, lean });
        QVERIFY(!zone.empty());
        QCOMPARE(zone.pieces.back().to.x, zone.start.x);
        QCOMPARE(zone.pieces.back().to.y, zone.start.y);
        const Projector turned(
            Lattice::UnitCubic(), Rotation::AboutAxis({ 0, 0, 1 }, lean), Region::Full, Paper);
        bool away = true;
        turned.directionPoint({ 0, 1, 0 }, &away);
        QVERIFY(!away);
    }
}

QTEST_GUILESS_MAIN(tst_Curves)
#include "tst_curves.moc"
