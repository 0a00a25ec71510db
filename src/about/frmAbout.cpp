#include "about/frmAbout.h"

#include "ui/AppIcon.h"
#include "ui/ApplicationInfo.h"
#include "ui/FormFont.h"
#include "ui/Layout.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWindow>

frmAbout::frmAbout(QWidget* mainForm)
    : QDialog(nullptr,
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Layout::ToPixels(Layout::AboutClientWidth, Layout::AboutClientHeight));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFont(FormFont(DefaultPointSize, false));
    if (mainForm)
        setWindowIcon(mainForm->windowIcon());

    // The only control that takes the focus, so the dialog opens with it.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Layout::ToPixels(Layout::cmdOK));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);

    lblDescription = new QLabel(QStringLiteral("© Orvandeler 開発チーム"), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(Layout::ToPixels(Layout::lblDescription));
    lblDescription->setAlignment(Qt::AlignCenter);

    lblTitle = new QLabel(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(Layout::ToPixels(Layout::lblTitle));
    lblTitle->setAlignment(Qt::AlignCenter);

    lblVersion = new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(Layout::ToPixels(Layout::lblVersion));
    lblVersion->setAlignment(Qt::AlignCenter);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(Layout::ToPixels(Layout::picIcon));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(QPixmap::fromImage(AppIconImage(64)));

    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // OK, Enter, Esc and the close box all end in finished().
    connect(this, &QDialog::finished, this, &frmAbout::Form_Unload);

    Form_Load();
}

frmAbout::~frmAbout()
{
    // Whatever way the window went, the main window must not stay disabled.
    Form_Unload();
}

void frmAbout::Form_Load()
{
    setWindowTitle(ApplicationTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                            .arg(VersionMajor)
                            .arg(VersionMinor)
                            .arg(VersionRevision));
    lblTitle->setText(ApplicationTitle);
    if (m_mainForm) {
        m_mainForm->setEnabled(false);
        // Kept above the main window without being its child.
        winId();
        if (QWindow* parentWindow = m_mainForm->windowHandle())
            windowHandle()->setTransientParent(parentWindow);
    }
}

void frmAbout::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_mainForm)
        m_mainForm->setEnabled(true);
}
