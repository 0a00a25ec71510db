#include "crystal/Notation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numeric>

std::array<int32_t, 4> FourIndexPlane(const Index3& hkl)
{
    return { hkl[0], hkl[1], -(int32_t(hkl[0]) + hkl[1]), hkl[2] };
}

std::array<int32_t, 4> FourIndexDirection(const Index3& uvw)
{
    const int32_t U = uvw[0], V = uvw[1], W = uvw[2];
    std::array<int32_t, 4> d { 2 * U - V, 2 * V - U, -(U + V), 3 * W };
    // The first three are congruent modulo 3, so U + V decides.
    if ((U + V) % 3 == 0)
        for (int32_t& x : d)
            x /= 3;
    return d;
}

std::optional<std::array<double, 3>> ThreeIndexForm(
    IndexKind kind, const std::array<double, 4>& four)
{
    const auto [first, second, third, fourth] = four;
    // Exact for whole numbers; typed decimals may carry a rounding error.
    const double scale = std::max({ 1.0, std::fabs(first), std::fabs(second), std::fabs(third) });
    if (third != ThirdIndex(first, second)
        && !(std::fabs(third - ThirdIndex(first, second)) <= 1e-12 * scale))
        return std::nullopt;
    if (kind == IndexKind::Plane)
        return std::array { first, second, fourth };
    std::array<double, 3> uvw { first - third, second - third, fourth };
    // [U V W] is written divided by 3 only where U + V is a multiple of 3,
    // so otherwise it reads as [3U 3V 3W]: that is read as [U V W].
    const auto third3 = [](double x) { return x == std::trunc(x) && std::fmod(x, 3.0) == 0.0; };
    if (third3(uvw[0]) && third3(uvw[1]) && third3(uvw[2]) && !third3(uvw[0] / 3 + uvw[1] / 3))
        uvw = { uvw[0] / 3, uvw[1] / 3, uvw[2] / 3 };
    return uvw;
}

namespace {

void appendInt(std::string& out, long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

void AppendIndexText(std::string& out, IndexKind kind, const Index3& index, bool fourIndices)
{
    const bool plane = kind == IndexKind::Plane;
    out.push_back(plane ? '(' : '[');
    if (fourIndices) {
        const std::array<int32_t, 4> four
            = plane ? FourIndexPlane(index) : FourIndexDirection(index);
        for (std::size_t j = 0; j < four.size(); ++j) {
            if (j > 0)
                out.push_back(' ');
            appendInt(out, four[j]);
        }
    } else {
        for (std::size_t j = 0; j < index.size(); ++j) {
            if (j > 0)
                out.push_back(' ');
            appendInt(out, index[j]);
        }
    }
    out.push_back(plane ? ')' : ']');
}

QString IndexText(IndexKind kind, const Index3& index, bool fourIndices)
{
    std::string out;
    AppendIndexText(out, kind, index, fourIndices);
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString FamilyText(IndexKind kind, const Index3& index, bool fourIndices)
{
    QString text = IndexText(kind, index, fourIndices);
    const bool plane = kind == IndexKind::Plane;
    text.front() = QLatin1Char(plane ? '{' : '<');
    text.back() = QLatin1Char(plane ? '}' : '>');
    return text;
}

std::array<int, 3> Reduced(std::array<int, 3> v, bool positive)
{
    const int g = std::gcd(std::gcd(std::abs(v[0]), std::abs(v[1])), std::abs(v[2]));
    if (g == 0)
        return v;
    for (int& x : v)
        x /= g;
    if (positive) {
        for (int x : v) {
            if (x == 0)
                continue;
            if (x < 0)
                for (int& y : v)
                    y = -y;
            break;
        }
    }
    return v;
}
