#include "painting/PictureMimeData.h"

PictureMimeData::PictureMimeData(const QImage& image, PictureDocument document)
    : m_document(std::move(document))
{
    setImageData(image);
}

QStringList PictureMimeData::formats() const
{
    QStringList types = QMimeData::formats();
    types << SvgType << PdfType;
    return types;
}

bool PictureMimeData::hasFormat(const QString& mimeType) const
{
    return mimeType == SvgType || mimeType == PdfType || QMimeData::hasFormat(mimeType);
}

QVariant PictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType == SvgType) {
        if (m_svg.isEmpty())
            m_svg = m_document.svg();
        return m_svg;
    }
    if (mimeType == PdfType) {
        if (m_pdf.isEmpty())
            m_pdf = m_document.pdf();
        return m_pdf;
    }
    return QMimeData::retrieveData(mimeType, type);
}
