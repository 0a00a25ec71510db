#pragma once

#include <QDialog>

// ヘルプ → 使い方: a short page on what the mouse and keys do, how indices
// are written and where the conventions are stated. The README holds the
// same text. A window of its own that the main window stays usable beside.
class frmGuide : public QDialog
{
    Q_OBJECT

public:
    explicit frmGuide(QWidget* parent = nullptr);

    static const QString Title;
    // The page, as Markdown.
    static QString Text();
};
