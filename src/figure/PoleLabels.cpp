#include "figure/PoleLabels.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace LabelFont;

constexpr double PictureEnd = 7000.0;

// The numbers a label writes, and whether they go in one text: only a
// two-digit index needs the numbers apart.
struct Numbers
{
    std::array<int, 4> values {};
    int count = 0;
    bool oneText = true;
    int digits = 0;

    Numbers(const Index3& index, bool fourIndices)
        : Numbers(fourIndices ? FourIndexPlane(index)
                              : std::array<int32_t, 4> { index[0], index[1], index[2] },
            fourIndices ? 4 : 3)
    {
    }
    Numbers(const std::array<int32_t, 4>& numbers, int used)
    {
        for (count = 0; count < used; ++count)
            values[std::size_t(count)] = numbers[std::size_t(count)];
        for (int j = 0; j < count; ++j) {
            const int n = std::abs(values[std::size_t(j)]);
            digits += n < 10 ? 1 : 2;
            oneText = oneText && n < 10;
        }
    }
    double width() const
    {
        return 2 * Paren + Digit * digits + (oneText ? 0.0 : NumberGap * (count - 1));
    }
};

struct Box
{
    double left, top, right, bottom;
    bool overlaps(const Box& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

// The boxes of the labels placed so far, found through the cells of a
// coarse grid they touch: thousands of poles try up to eight places each.
class Placed
{
public:
    bool fits(const Box& box) const
    {
        if (box.left < 0.0 || box.top < 0.0 || box.right > PictureEnd || box.bottom > PictureEnd)
            return false;
        for (int row = cell(box.top); row <= cell(box.bottom); ++row)
            for (int column = cell(box.left); column <= cell(box.right); ++column)
                for (const int n : m_cells[std::size_t(row * Cells + column)])
                    if (m_boxes[std::size_t(n)].overlaps(box))
                        return false;
        return true;
    }
    void add(const Box& box)
    {
        const int n = int(m_boxes.size());
        m_boxes.push_back(box);
        for (int row = cell(box.top); row <= cell(box.bottom); ++row)
            for (int column = cell(box.left); column <= cell(box.right); ++column)
                m_cells[std::size_t(row * Cells + column)].push_back(n);
    }

private:
    static constexpr double CellSize = 250.0;
    static constexpr int Cells = int(PictureEnd / CellSize);
    static int cell(double at) { return std::clamp(int(at / CellSize), 0, Cells - 1); }

    std::vector<Box> m_boxes;
    std::vector<std::vector<int>> m_cells = std::vector<std::vector<int>>(Cells * Cells);
};

// The corners tried for a label of the given width beside a pole, in order
// of preference: right, left, above, below, then the four diagonals. The
// digits' middle lies about 85 twips below the corner.
std::array<TwipsPoint, 8> Corners(TwipsPoint pole, double width)
{
    constexpr double Beside = 40.0, Middle = 85.0, Diagonal = 25.0;
    const double x = pole.x, y = pole.y;
    return { {
        { x + Beside, y - Middle },
        { x - Beside - width, y - Middle },
        { x - width / 2, y - Beside - LabelBottom },
        { x - width / 2, y + Beside - LabelTop },
        { x + Diagonal, y - Diagonal - LabelBottom },
        { x + Diagonal, y + Diagonal - LabelTop },
        { x - Diagonal - width, y - Diagonal - LabelBottom },
        { x - Diagonal - width, y + Diagonal - LabelTop },
    } };
}

void PrintLabel(DrawingSurface& surface, const Numbers& numbers, TwipsPoint corner, char open = '(',
    char close = ')')
{
    const auto printAt = [&](double x, const std::string& text) {
        surface.SetCurrentX(corner.x + x);
        surface.SetCurrentY(corner.y);
        surface.Print(text);
    };
    std::array<std::array<double, 2>, 4> bars {};
    int barCount = 0;
    std::string text(1, open);
    double textX = 0.0;
    double x = Paren;
    for (int j = 0; j < numbers.count; ++j) {
        const int n = numbers.values[std::size_t(j)];
        const std::string digits = std::to_string(std::abs(n));
        if (!numbers.oneText && j > 0) {
            printAt(textX, text);
            text.clear();
            x += NumberGap;
            textX = x;
        }
        // One bar over all the digits of a negative number.
        if (n < 0)
            bars[std::size_t(barCount++)]
                = { x, x + Digit * double(digits.size() - 1) + BarLength };
        text += digits;
        x += Digit * double(digits.size());
    }
    printAt(textX, text + close);
    for (int j = 0; j < barCount; ++j) {
        const auto& [x1, x2] = bars[std::size_t(j)];
        surface.Line(corner.x + x1, corner.y - BarRise, corner.x + x2, corner.y - BarRise);
    }
}

} // namespace

void DrawPoleLabels(DrawingSurface& surface, std::span<const NetPole> poles, bool fourIndices)
{
    Placed placed;
    for (const NetPole& pole : poles) {
        const Numbers numbers(pole.index, fourIndices);
        const double width = numbers.width();
        for (const TwipsPoint corner : Corners(pole.at, width)) {
            const Box box { corner.x, corner.y + LabelTop, corner.x + width,
                corner.y + LabelBottom };
            if (placed.fits(box)) {
                placed.add(box);
                PrintLabel(surface, numbers, corner);
                break;
            }
        }
    }
}

void PrintEntryLabel(DrawingSurface& surface, IndexKind kind, const Index3& index, bool fourIndices,
    TwipsPoint mark, double markRadius)
{
    const bool direction = kind == IndexKind::Direction;
    const Numbers numbers = !fourIndices ? Numbers(index, false)
        : direction                      ? Numbers(FourIndexDirection(index), 4)
                                         : Numbers(index, true);
    // To the right of the mark, the digits' middle level with it.
    const TwipsPoint corner { mark.x + markRadius + 30.0, mark.y - 85.0 };
    PrintLabel(surface, numbers, corner, direction ? '[' : '(', direction ? ']' : ')');
}

void PrintVariantNumber(DrawingSurface& surface, int variant, TwipsPoint mark, double markRadius)
{
    const std::string text = std::to_string(variant);
    surface.SetCurrentX(mark.x - markRadius - 30.0 - LabelFont::Digit * double(text.size()));
    surface.SetCurrentY(mark.y + markRadius - 60.0);
    surface.Print(text);
}
