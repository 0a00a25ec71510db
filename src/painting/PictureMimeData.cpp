#include "painting/PictureMimeData.h"

PictureMimeData::PictureMimeData(const QImage& image, PictureDocument document)
    : m_document(std::move(document))
{
    setImageData(image);
    // The document is only read from here on, by both threads at once.
    m_pendingSvg = std::async(std::launch::async, [this] { return m_document.svg(); });
    m_pendingPdf = std::async(std::launch::async, [this] { return m_document.pdf(); });
}

PictureMimeData::~PictureMimeData()
{
    if (m_pendingSvg.valid())
        m_pendingSvg.wait();
    if (m_pendingPdf.valid())
        m_pendingPdf.wait();
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

QByteArray PictureMimeData::take(std::future<QByteArray>& pending, std::optional<QByteArray>& ready)
{
    if (!ready)
        ready = pending.get();
    return *ready;
}

QVariant PictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType == SvgType)
        return take(m_pendingSvg, m_svg);
    if (mimeType == PdfType)
        return take(m_pendingPdf, m_pdf);
    return QMimeData::retrieveData(mimeType, type);
}
