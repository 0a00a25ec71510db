#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

// The version window. It is shown without the modal flag; instead it holds
// the main window disabled while it is open. It is a top-level window of
// its own, not a child of the main window, or disabling the main window
// would disable it too.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // mainForm is disabled now and enabled again however this window closes.
    explicit frmAbout(QWidget* mainForm);
    ~frmAbout() override;

private:
    void Form_Load();
    void Form_Unload();

    QPointer<QWidget> m_mainForm;
    bool m_unloaded = false;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
};
