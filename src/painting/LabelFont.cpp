#include "painting/LabelFont.h"

#include "surface/PictureSize.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QRawFont>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

constexpr int TwipsPerPixel = PictureSize::TwipsPerPixel;

} // namespace

// The labels' overbars are placed for a font whose "(" is about 50 twips
// and whose digits are 100 twips wide: a proportional Japanese Gothic font
// first, then whatever sans-serif font the system has.
QFont ChooseLabelFont()
{
    const QStringList preferred { QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("IPAexGothic"), QStringLiteral("VL PGothic"),
        QStringLiteral("Noto Sans JP") };
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    // Unhinted, the advances scale linearly with the size chosen below.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(100);
    bool found = false;
    for (const QString& family : preferred) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        font.setFamilies({ family });
        const QFontMetricsF metrics(font);
        const double ratio = metrics.horizontalAdvance(QLatin1Char('('))
            / metrics.horizontalAdvance(QLatin1Char('0'));
        // A monospaced font gives "(" a whole digit's width and pushes every
        // digit out from under its overbar.
        if (ratio > 0.35 && ratio < 0.75) {
            found = true;
            break;
        }
    }
    if (!found)
        font.setFamilies({ QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() });

    const double digitAt100 = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    const double digitPixels = 100.0 / TwipsPerPixel;
    if (digitAt100 <= 0.0) {
        font.setPixelSize(12);
        return font;
    }
    // Font sizes come in whole pixels, which leaves digits up to 4 % off;
    // the stretch takes up the rest, so every overbar stays over its digit.
    font.setPixelSize(std::max(1, int(std::lround(100.0 * digitPixels / digitAt100))));
    const double digit = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    if (digit > 0.0)
        font.setStretch(std::clamp(int(std::lround(100.0 * digitPixels / digit)), 50, 200));
    return font;
}

// Where Print puts the text's origin (the left end of its baseline) from the
// corner it is given, in logical pixels. The corner is the top-left of a cell
// one em tall, the ideographic em box Japanese fonts are drawn on, against
// which the nets' overbars were placed: its baseline lies the font's
// typographic ascender below the corner. Some fonts (Noto Sans CJK) also put
// their line gap into the ascent, which would drop the digits a line gap
// below their bars. Across, the tables expect "(" half a digit wide; the
// text moves by whole pixels of the given ratio only, so that its glyphs
// render as they would at the corner.
QPointF LabelTextOrigin(const QFont& font, const QPaintDevice* device, qreal ratio)
{
    const QFontMetricsF metrics(font, device);
    double baseline = metrics.ascent();
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int typoAscenderOffset = 68;
    if (raw.isValid() && raw.unitsPerEm() > 0 && os2.size() >= typoAscenderOffset + 2) {
        const double typoAscender = qFromBigEndian<qint16>(os2.constData() + typoAscenderOffset);
        const double emAscent = typoAscender / raw.unitsPerEm() * raw.pixelSize();
        // Qt rounds its metrics to 1/64 pixel: an em box the ascent already
        // describes keeps the ascent itself.
        if (emAscent < baseline - 1.0 / 64) {
            const double digitsTop = -metrics.tightBoundingRect(QStringLiteral("0123456789")).top();
            baseline = std::max(emAscent, digitsTop);
        }
    }
    const double parenShift = 50.0 / TwipsPerPixel - metrics.horizontalAdvance(QLatin1Char('('));
    return { std::round(parenShift * ratio) / ratio, baseline };
}
