#pragma once

#include <QSet>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One drawing operation with everything that decides its pixels.
struct PaintedMark
{
    enum Kind : int16_t { Line, Circle, Arc, Text };
    // Open circles have OpenCircle, faint strokes Faint added.
    enum Style : int16_t { OpenCircle = 1, Faint = 2 };
    int16_t kind = Line;
    int16_t fill = 0;
    int width = 0;
    std::array<double, 5> values {};
    // The ink: the second crystal's colour is not the first's.
    int16_t colour = 0;
    bool operator==(const PaintedMark&) const = default;
};

// A text printed with its corner at (x, y) twips.
struct PrintedText
{
    double x = 0.0;
    double y = 0.0;
    QString text;
    // The text style and the ink: two nets' labels of one plane may fall on
    // one place in different styles, and the later must show.
    int style = 0;
    int colour = 0;
    bool operator==(const PrintedText&) const = default;
};
inline size_t qHash(const PrintedText& printed, size_t seed = 0)
{
    return qHashMulti(seed, printed.x, printed.y, printed.text, printed.style, printed.colour);
}

// The operations painted since the picture was last cleared, the texts
// among them: the marks in painting order, found through a small open-addressing table of hash tags
// that stays in cache at 32767 markers. Clearing keeps the storage for the
// next picture.
class PaintedMarks
{
public:
    // False when the same operation is in the set already.
    bool insert(const PaintedMark& mark);
    bool insert(const PrintedText& text);
    void clear();
    std::size_t size() const { return m_marks.size(); }

private:
    static uint64_t hash(const PaintedMark& mark);
    void grow();

    std::vector<PaintedMark> m_marks;
    // Each slot holds a mark's hash in its high half and its index + 1 in
    // the low half; 0 is free.
    std::vector<uint64_t> m_slots;
    // The labels: a few dozen in the documented nets, a few hundred in a
    // generated one.
    QSet<PrintedText> m_texts;
};
