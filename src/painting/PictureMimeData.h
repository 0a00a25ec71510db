#pragma once

#include "painting/PictureDocument.h"

#include <QByteArray>
#include <QImage>
#include <QMimeData>

// The copied picture: the bitmap as it is shown, and the same picture as
// SVG and PDF for programs that take vector line art. The vector documents
// are drawn only when a program first asks for them, so the copy command
// itself stays instant.
class PictureMimeData : public QMimeData
{
    Q_OBJECT

public:
    static inline const QString SvgType = QStringLiteral("image/svg+xml");
    static inline const QString PdfType = QStringLiteral("application/pdf");

    PictureMimeData(const QImage& image, PictureDocument document);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    PictureDocument m_document;
    mutable QByteArray m_svg;
    mutable QByteArray m_pdf;
};
