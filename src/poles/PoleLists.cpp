#include "poles/PoleLists.h"

#include "crystal/Lattice.h"
#include "poles/EntryGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

void AppendInt(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendAngle(std::string& out, double angle)
{
    long long whole = static_cast<long long>(std::floor(angle));
    // nearbyint rounds an exact half to the even neighbour.
    auto thousandths
        = static_cast<long long>(std::nearbyint((angle - static_cast<double>(whole)) * 1000.0));
    if (thousandths == 1000) {
        ++whole;
        thousandths = 0;
    }
    if (whole < 10)
        out.push_back(' ');
    AppendInt(out, whole);
    out.push_back('.');
    out.push_back(static_cast<char>('0' + thousandths / 100));
    out.push_back(static_cast<char>('0' + thousandths / 10 % 10));
    out.push_back(static_cast<char>('0' + thousandths % 10));
}

constexpr char LineBreak[] = "\r\n";

void AppendIndexLine(std::string& out, const Entry& entry, const Lattice& lattice)
{
    AppendIndexText(out, entry.kind, entry.index, UsesFourIndices(lattice.system()));
}

void AppendAngleLine(
    std::string& out, const Entry& entry, const Lattice& lattice, PlaneAngles planeAngles)
{
    const std::array<double, 3> angles = AnglesOf(lattice, entry, planeAngles);
    out.push_back('(');
    for (size_t j = 0; j < 3; ++j) {
        AppendAngle(out, angles[j]);
        if (j < 2)
            out.append("  ");
    }
    out.push_back(')');
}

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString FormatAngle(double angle)
{
    std::string out;
    AppendAngle(out, angle);
    return Latin1(out);
}

QString IndexLine(const Entry& entry, const Lattice& lattice)
{
    std::string out;
    AppendIndexLine(out, entry, lattice);
    return Latin1(out);
}

QString AngleLine(const Entry& entry, const Lattice& lattice, PlaneAngles planeAngles)
{
    std::string out;
    AppendAngleLine(out, entry, lattice, planeAngles);
    return Latin1(out);
}

PoleLists BuildLists(const PoleStore& store, const Lattice& lattice, int first,
    PlaneAngles planeAngles, const Lattice* second)
{
    const std::span<const Entry> entries = store.entries();
    const std::size_t from = std::min(entries.size(), std::size_t(std::max(first, 0)));
    return BuildLists(entries.subspan(from), lattice, planeAngles, second);
}

PoleLists BuildLists(std::span<const Entry> entries, const Lattice& lattice,
    PlaneAngles planeAngles, const Lattice* second)
{
    // Built in one narrow buffer each: the store can hold 32767 entries and
    // every plot rebuilds both texts.
    std::string index;
    std::string angles;
    index.reserve(entries.size() * 24);
    angles.reserve(entries.size() * 26);
    for (const Entry& entry : entries) {
        const bool ofSecond = second && entry.crystal == 1;
        const Lattice& own = ofSecond ? *second : lattice;
        if (second)
            index.append(ofSecond ? "2:" : "1:");
        AppendIndexLine(index, entry, own);
        index.append(LineBreak);
        AppendAngleLine(angles, entry, own, planeAngles);
        angles.append(LineBreak);
    }
    return { Latin1(index), Latin1(angles) };
}
