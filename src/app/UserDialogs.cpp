#include "app/UserDialogs.h"

#include "app/KeptSettings.h"
#include "crystal/SymmetryCif.h"
#include "files/FileAccess.h"
#include "files/FileTypes.h"
#include "freeview/frmCrystal.h"
#include "freeview/frmSecondCrystal.h"
#include "ui/ApplicationInfo.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

QtUserDialogs::QtUserDialogs(KeptSettings* settings)
    : m_settings(settings)
    , m_folder(settings ? settings->lastFolder() : QString())
{
}

QString QtUserDialogs::folder() const
{
    return !m_folder.isEmpty() && QFileInfo(m_folder).isDir() ? m_folder : QDir::homePath();
}

void QtUserDialogs::chose(const QString& path)
{
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    if (m_settings)
        m_settings->setLastFolder(m_folder);
}

void QtUserDialogs::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, parent);
    // Some styles decorate dialog buttons with icons; this box has none at all.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

bool QtUserDialogs::askYesNo(QWidget* parent, const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, question,
        QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    // Nothing is replaced by a key pressed too soon.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

FileChoice QtUserDialogs::showSaveDialog(
    QWidget* parent, const QString& title, const QStringList& filters, const QString& name)
{
    QString selected = filters.value(0);
    // The program asks before it replaces a file, once the type's extension
    // is on the name.
    const QString path = QFileDialog::getSaveFileName(parent, title, QDir(folder()).filePath(name),
        filters.join(QStringLiteral(";;")), &selected, QFileDialog::DontConfirmOverwrite);
    chose(path);
    return { path, int(std::max<qsizetype>(0, filters.indexOf(selected))) };
}

FileChoice QtUserDialogs::showOpenDialog(
    QWidget* parent, const QString& title, const QStringList& filters)
{
    QString selected = filters.value(0);
    const QString path = QFileDialog::getOpenFileName(
        parent, title, folder(), filters.join(QStringLiteral(";;")), &selected);
    chose(path);
    return { path, int(std::max<qsizetype>(0, filters.indexOf(selected))) };
}

std::optional<Crystal> QtUserDialogs::askFreeView(QWidget* parent, const Crystal& current)
{
    frmCrystal dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const std::variant<Crystal, QString> chosen = dialog.settings();
    if (const Crystal* crystal = std::get_if<Crystal>(&chosen))
        return *crystal;
    return std::nullopt;
}

std::optional<UserDialogs::SecondCrystalAnswer> UserDialogs::askSecondCrystal(
    QWidget*, const Crystal&, const std::optional<SecondCrystal>&)
{
    // A recorder that is told no answer cancels.
    return std::nullopt;
}

std::optional<UserDialogs::SecondCrystalAnswer> QtUserDialogs::askSecondCrystal(
    QWidget* parent, const Crystal& first, const std::optional<SecondCrystal>& current)
{
    frmSecondCrystal dialog(first, current, parent);
    // A crystal from a CIF file, read as 開く reads one.
    QObject::connect(&dialog, &frmSecondCrystal::cifWanted, &dialog, [this, &dialog] {
        const FileChoice chosen = showOpenDialog(
            &dialog, QStringLiteral("CIF ファイルを開く"), Filters(std::span(&CifType(), 1)));
        if (chosen.path.isEmpty())
            return;
        const FileRead file = ReadWholeFile(chosen.path);
        const std::variant<CifCrystal, QString> read = file.error.isEmpty()
            ? ReadCif(file.bytes)
            : std::variant<CifCrystal, QString>(file.error);
        if (const QString* why = std::get_if<QString>(&read)) {
            showMessage(&dialog, OpenFailedMessage(chosen.path, *why));
            return;
        }
        const CifCrystal& cif = std::get<CifCrystal>(read);
        dialog.showCif(cif.lattice, cif.group, cif.name);
    });
    const int result = dialog.exec();
    if (result == frmSecondCrystal::Removed)
        return SecondCrystalAnswer {};
    if (result != QDialog::Accepted)
        return std::nullopt;
    const std::variant<SecondCrystal, QString> chosen = dialog.settings();
    if (const SecondCrystal* second = std::get_if<SecondCrystal>(&chosen))
        return SecondCrystalAnswer { *second };
    return std::nullopt;
}
