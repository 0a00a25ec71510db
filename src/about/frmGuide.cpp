#include "about/frmGuide.h"

#include "ui/FormFont.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

const QString frmGuide::Title = QStringLiteral("使い方");

QString frmGuide::Text()
{
    QFile file(QStringLiteral(":/guide/guide.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

frmGuide::frmGuide(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmGuide"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Title);
    setFont(FormFont(DefaultPointSize, false));

    auto* page = new QTextBrowser(this);
    page->setObjectName(QStringLiteral("txtGuide"));
    page->setOpenExternalLinks(true);
    page->setMarkdown(Text());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(buttons);
    resize(640, 640);
}
