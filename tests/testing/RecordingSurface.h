#pragma once

#include "surface/DrawingSurface.h"

#include <QString>
#include <QVector>

// A surface that only logs every call, in order, with its values; a pen
// width as its digits, the form the tables of the nets were written in. A
// path logs its start and then, piece by piece, the end, the two controls
// and the kind: seven values a piece.
struct SurfaceCall
{
    enum Kind {
        Cls,
        DrawWidth,
        Line,
        Circle,
        Arc,
        Path,
        FillStyle,
        Tone,
        CurrentX,
        CurrentY,
        Print,
        TextStyle,
        InkColour,
        KnockOut
    };
    Kind kind;
    QVector<double> values;
    QString text;
};

class RecordingSurface : public DrawingSurface
{
public:
    QVector<SurfaceCall> calls;

    void Cls() override { calls.push_back({ SurfaceCall::Cls, {}, {} }); }
    void SetDrawWidth(int width) override
    {
        calls.push_back({ SurfaceCall::DrawWidth, {}, QString::number(width) });
    }
    void Line(double x1, double y1, double x2, double y2) override
    {
        calls.push_back({ SurfaceCall::Line, { x1, y1, x2, y2 }, {} });
    }
    void Circle(double cx, double cy, double r) override
    {
        calls.push_back({ SurfaceCall::Circle, { cx, cy, r }, {} });
    }
    void Arc(double cx, double cy, double r, double start, double end) override
    {
        calls.push_back({ SurfaceCall::Arc, { cx, cy, r, start, end }, {} });
    }
    void Path(TwipsPoint start, std::span<const PathPiece> pieces) override
    {
        QVector<double> values { start.x, start.y };
        for (const PathPiece& p : pieces)
            values << p.to.x << p.to.y << p.control1.x << p.control1.y << p.control2.x
                   << p.control2.y << double(p.kind);
        calls.push_back({ SurfaceCall::Path, values, {} });
    }
    void SetFillStyle(int16_t s) override
    {
        calls.push_back({ SurfaceCall::FillStyle, { double(s) }, {} });
    }
    void SetTone(::Tone t) override { calls.push_back({ SurfaceCall::Tone, { double(t) }, {} }); }
    void SetCurrentX(double x) override { calls.push_back({ SurfaceCall::CurrentX, { x }, {} }); }
    void SetCurrentY(double y) override { calls.push_back({ SurfaceCall::CurrentY, { y }, {} }); }
    void Print(std::string_view t) override
    {
        calls.push_back(
            { SurfaceCall::Print, {}, QString::fromUtf8(t.data(), qsizetype(t.size())) });
    }
    void SetTextStyle(::TextStyle s) override
    {
        calls.push_back({ SurfaceCall::TextStyle, { double(s) }, {} });
    }
    void SetInkColour(int16_t c) override
    {
        calls.push_back({ SurfaceCall::InkColour, { double(c) }, {} });
    }
    void KnockOut(double cx, double cy, double r) override
    {
        calls.push_back({ SurfaceCall::KnockOut, { cx, cy, r }, {} });
    }
};
