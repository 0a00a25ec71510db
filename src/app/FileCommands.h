#pragma once

#include "app/UserDialogs.h"
#include "files/FileTypes.h"
#include "run/Work.h"
#include "scene/DrawPicture.h"

#include <QString>

class QWidget;
class UserDialogs;

// What the file commands need of the window they serve.
class FileCommandsHost
{
public:
    virtual ~FileCommandsHost() = default;
    virtual QWidget* dialogParent() = 0;
    // The picture as it stands, with its description for a document.
    virtual PictureSettings currentPicture() const = 0;
    virtual QString currentDescription() const = 0;
    // Takes an opened file's work into the run and shows it.
    virtual void showOpenedWork(OpenedWork work) = 0;
    // A file was opened, or a session saved: one to find again.
    virtual void fileUsed(const QString& path) { Q_UNUSED(path); }
};

// The File menu: opening a session or an index list, saving the session
// (over its file or as a new one), the picture in four formats and the two
// lists as text or as one CSV table. Every file is written whole or not at
// all; a failure is told in a message that names the file and the reason.
class FileCommands
{
public:
    FileCommands(RunState& state, UserDialogs& dialogs, FileCommandsHost& host);

    void open();
    // Opens a named file, as the command line does; false when refused.
    bool openPath(const QString& path);
    void save();
    void saveAsPicture();
    void saveAsIndexList();
    void saveAsAngleList();
    void saveAsSession();
    // The session's own file, where save writes; empty until it has one.
    const QString& sessionPath() const { return m_state.sessionFile.path; }

    // The dialogs' titles; their file types are files/FileTypes'.
    static const QString OpenTitle;
    static const QString PictureTitle;
    static const QString IndexTitle;
    static const QString AngleTitle;
    static const QString SessionTitle;

private:
    // A name chosen in a save dialog and the type it is saved as.
    struct SaveName
    {
        QString path;
        const FileType* type;
    };
    // The chosen path with the chosen type's extension where it has none of
    // the offered ones, and its type, once the user has said that an
    // existing file may be replaced; none when cancelled.
    std::optional<SaveName> askSaveName(
        const QString& title, std::span<const FileType> types, const QString& name);
    static SaveName savedAs(const FileChoice& choice, std::span<const FileType> types);
    // Whether the path may be written: no file is there, or the user says
    // the one there may be replaced.
    bool mayReplace(const QString& path);
    // The session's own file and what it held when last opened or saved.
    void keepSessionFile(const QString& path, const QByteArray& bytes);
    bool changedOnDisk() const;
    bool write(const QString& path, const QByteArray& bytes);
    bool writeSession(const QString& path);

    RunState& m_state;
    UserDialogs& m_dialogs;
    FileCommandsHost& m_host;
};
