#include "figure/NetPoles.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <span>
#include <tuple>

namespace {

struct Ranked
{
    Index3 index;
    int largest;
    // The reflection shown: order (h k l).
    int order = 1;
};

// The planes up to the largest limit in the order they are labelled, made
// once for each way of writing them; a smaller limit takes a prefix.
std::vector<Ranked> rankPlanes(bool fourIndices)
{
    struct Keyed
    {
        Ranked plane;
        int squares;
    };
    std::vector<Keyed> planes;
    for (int h = -MaxNetLimit; h <= MaxNetLimit; ++h)
        for (int k = -MaxNetLimit; k <= MaxNetLimit; ++k)
            for (int l = -MaxNetLimit; l <= MaxNetLimit; ++l) {
                // One of each opposite pair: the first non-zero index positive.
                const int first = h != 0 ? h : k != 0 ? k : l;
                if (first <= 0 || std::gcd(std::gcd(h, k), l) != 1)
                    continue;
                const int i = -(h + k);
                int largest = std::max({ std::abs(h), std::abs(k), std::abs(l) });
                int squares = h * h + k * k + l * l;
                if (fourIndices) {
                    largest = std::max(largest, std::abs(i));
                    squares += i * i;
                }
                if (largest <= MaxNetLimit)
                    planes.push_back(
                        { { { int16_t(h), int16_t(k), int16_t(l) }, largest }, squares });
            }
    std::stable_sort(planes.begin(), planes.end(), [](const Keyed& a, const Keyed& b) {
        return a.plane.largest != b.plane.largest ? a.plane.largest < b.plane.largest
                                                  : a.squares < b.squares;
    });
    std::vector<Ranked> ranked;
    ranked.reserve(planes.size());
    for (const Keyed& p : planes)
        ranked.push_back(p.plane);
    return ranked;
}

// The planes whose lowest order the group allows has indices up to limit,
// each at that order, ranked by the order's indices as rankPlanes ranks
// planes. The orders depend only on the group, so they are worked out once
// for each group, way of writing and limit, not at every frame of a turn.
std::shared_ptr<const std::vector<Ranked>> allowedPlanes(
    std::span<const Ranked> planes, const SpaceGroup& group, bool fourIndices, int limit)
{
    using Key = std::tuple<int, bool, int, QString>;
    static std::mutex mutex;
    static std::map<Key, std::shared_ptr<const std::vector<Ranked>>> made;
    const Key key { group.number(), fourIndices, limit, group.name() };
    const std::lock_guard lock(mutex);
    if (const auto found = made.find(key); found != made.end())
        return found->second;
    struct Keyed
    {
        Ranked plane;
        int squares;
    };
    std::vector<Keyed> allowed;
    for (const Ranked& plane : planes) {
        const Index3& p = plane.index;
        for (int n = 1; n * plane.largest <= limit; ++n) {
            if (group.isAbsent({ n * p[0], n * p[1], n * p[2] }))
                continue;
            const int i = -(p[0] + p[1]);
            const int squares
                = n * n * (p[0] * p[0] + p[1] * p[1] + p[2] * p[2] + (fourIndices ? i * i : 0));
            allowed.push_back({ { p, n * plane.largest, n }, squares });
            break;
        }
    }
    std::stable_sort(allowed.begin(), allowed.end(), [](const Keyed& a, const Keyed& b) {
        return a.plane.largest != b.plane.largest ? a.plane.largest < b.plane.largest
                                                  : a.squares < b.squares;
    });
    auto ranked = std::make_shared<std::vector<Ranked>>();
    ranked->reserve(allowed.size());
    for (const Keyed& a : allowed)
        ranked->push_back(a.plane);
    // A handful of crystals in a run; a fuzzer or a script may try many more.
    if (made.size() >= 64)
        made.clear();
    made.emplace(key, ranked);
    return ranked;
}

std::span<const Ranked> rankedPlanes(bool fourIndices, int limit)
{
    // Built on first use, safely so on the copy's worker threads too.
    static const std::vector<Ranked> three = rankPlanes(false);
    static const std::vector<Ranked> four = rankPlanes(true);
    const std::vector<Ranked>& all = fourIndices ? four : three;
    const auto end = std::partition_point(
        all.begin(), all.end(), [limit](const Ranked& p) { return p.largest <= limit; });
    return { all.begin(), end };
}

} // namespace

std::vector<NetPole> NetPoles(const Projector& projector, int limit, const SpaceGroup* allowedBy)
{
    const bool fourIndices = UsesFourIndices(projector.lattice().system());
    limit = std::clamp(limit, MinNetLimit, MaxNetLimit);
    std::span<const Ranked> planes = rankedPlanes(fourIndices, limit);
    std::shared_ptr<const std::vector<Ranked>> allowed;
    if (allowedBy) {
        allowed = allowedPlanes(planes, *allowedBy, fourIndices, limit);
        planes = *allowed;
    }
    std::vector<NetPole> poles;
    poles.reserve(planes.size());
    for (const Ranked& plane : planes) {
        const Vector3 normal = projector.planeNormal(plane.index);
        const int n = plane.order;
        const Index3 index { int16_t(n * plane.index[0]), int16_t(n * plane.index[1]),
            int16_t(n * plane.index[2]) };
        const Index3 opposed { int16_t(-index[0]), int16_t(-index[1]), int16_t(-index[2]) };
        const Vector3 opposite = Scaled(normal, -1.0);
        // A plane is a line through the origin: its pole is whichever end of
        // the normal faces the viewer, and the label names that end. A
        // normal across the line of sight has both ends on the primitive.
        const bool onRim = std::fabs(normal[0]) <= Projector::RimTolerance;
        if (normal[0] >= 0.0 || onRim)
            poles.push_back({ index, projector.toPicture(normal) });
        if (normal[0] < 0.0 || onRim)
            poles.push_back({ opposed, projector.toPicture(opposite) });
    }
    return poles;
}
