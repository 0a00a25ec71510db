#include "poles/PoleLists.h"

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

void appendIndexLine(std::string& out, const Pole& pole, int16_t crystalSystem)
{
    out.push_back('(');
    for (size_t j = 0; j < 3; ++j) {
        if (crystalSystem == 2 && j == 2) {
            appendInt(out, pole.PoleIndex[3]);
            out.push_back(' ');
        }
        appendInt(out, pole.PoleIndex[j]);
        if (j < 2)
            out.push_back(' ');
    }
    out.append(")\r\n");
}

void appendAngleLine(std::string& out, const Pole& pole)
{
    out.push_back('(');
    for (size_t j = 0; j < 3; ++j) {
        appendAngle(out, pole.PoleAngle[j]);
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

QString IndexLine(const Pole& pole, int16_t crystalSystem)
{
    std::string out;
    appendIndexLine(out, pole, crystalSystem);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString AngleLine(const Pole& pole)
{
    std::string out;
    appendAngleLine(out, pole);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

PoleLists BuildLists(const PoleStore& store, int16_t crystalSystem)
{
    // Built in one narrow buffer each: the store can hold 32767 poles and
    // every plot rebuilds both texts.
    std::string index;
    std::string angles;
    index.reserve(store.poles().size() * 24);
    angles.reserve(store.poles().size() * 26);
    for (const Pole& pole : store.poles()) {
        appendIndexLine(index, pole, crystalSystem);
        appendAngleLine(angles, pole);
    }
    return { QString::fromLatin1(index.data(), static_cast<qsizetype>(index.size())),
        QString::fromLatin1(angles.data(), static_cast<qsizetype>(angles.size())) };
}
