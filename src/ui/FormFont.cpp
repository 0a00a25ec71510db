#include "ui/FormFont.h"

#include <QStringList>

QFont FormFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({ QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
        QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
        QStringLiteral("Noto Sans CJK JP") });
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
