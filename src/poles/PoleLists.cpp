#include "poles/PoleLists.h"

#include "poles/EntryGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

void appendInt(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendAngle(std::string& out, double angle)
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
    appendInt(out, whole);
    out.push_back('.');
    out.push_back(static_cast<char>('0' + thousandths / 100));
    out.push_back(static_cast<char>('0' + thousandths / 10 % 10));
    out.push_back(static_cast<char>('0' + thousandths % 10));
}

void appendIndexLine(std::string& out, const Entry& entry, const View& view)
{
    AppendIndexText(out, entry.kind, entry.index, view.fourIndices());
    out.append("\r\n");
}

void appendAngleLine(std::string& out, const Entry& entry, const View& view)
{
    const std::array<double, 3> angles = AnglesOf(view, entry);
    out.push_back('(');
    for (size_t j = 0; j < 3; ++j) {
        appendAngle(out, angles[j]);
        if (j < 2)
            out.append("  ");
    }
    out.append(")\r\n");
}

} // namespace

QString FormatAngle(double angle)
{
    std::string out;
    appendAngle(out, angle);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString IndexLine(const Entry& entry, const View& view)
{
    std::string out;
    appendIndexLine(out, entry, view);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString AngleLine(const Entry& entry, const View& view)
{
    std::string out;
    appendAngleLine(out, entry, view);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

PoleLists BuildLists(const PoleStore& store, const View& view, int first)
{
    // Built in one narrow buffer each: the store can hold 32767 entries and
    // every plot rebuilds both texts.
    std::string index;
    std::string angles;
    const std::vector<Entry>& entries = store.entries();
    const std::size_t from = std::min(entries.size(), std::size_t(std::max(first, 0)));
    index.reserve((entries.size() - from) * 24);
    angles.reserve((entries.size() - from) * 26);
    for (std::size_t n = from; n < entries.size(); ++n) {
        appendIndexLine(index, entries[n], view);
        appendAngleLine(angles, entries[n], view);
    }
    return { QString::fromLatin1(index.data(), static_cast<qsizetype>(index.size())),
        QString::fromLatin1(angles.data(), static_cast<qsizetype>(angles.size())) };
}
