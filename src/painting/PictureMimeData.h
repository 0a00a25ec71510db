#pragma once

#include "painting/PictureDocument.h"

#include <QByteArray>
#include <QImage>
#include <QMimeData>
#include <future>
#include <optional>

// The copied picture: the bitmap as it is shown, and the same picture as
// SVG and PDF for programs that take vector line art. The two documents are
// drawn on worker threads from the moment of the copy, so the copy command
// stays instant and a program that pastes soon after waits the least.
class PictureMimeData : public QMimeData
{
    Q_OBJECT

public:
    static inline const QString SvgType = QStringLiteral("image/svg+xml");
    static inline const QString PdfType = QStringLiteral("application/pdf");

    PictureMimeData(const QImage& image, PictureDocument document);
    // Waits for the documents still being drawn.
    ~PictureMimeData() override;

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    static QByteArray take(std::future<QByteArray>& pending, std::optional<QByteArray>& ready);

    PictureDocument m_document;
    mutable std::future<QByteArray> m_pendingSvg;
    mutable std::future<QByteArray> m_pendingPdf;
    mutable std::optional<QByteArray> m_svg;
    mutable std::optional<QByteArray> m_pdf;
};
