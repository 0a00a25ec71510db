#pragma once

#include "RecordingUserDialogs.h"
#include "app/frmMainForm.h"
#include "run/RunState.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>

class QComboBox;
class QLineEdit;

// The one fixture of the window tests: a fresh run and its window, shown
// and exposed, before every test function, with dialogs that answer as the
// test told them; and the user's ways of working it.
class WindowTest : public QObject
{
    Q_OBJECT

protected slots:
    virtual void init();
    virtual void cleanup();

protected:
    // A new run and window in place of the old ones.
    void openWindow();

    // The control of that name in a window; fails the whole test without it.
    template <typename T> static T* Child(const QWidget* window, const QString& name)
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    template <typename T> T* child(const QString& name) const
    {
        return Child<T>(m_form.get(), name);
    }

    // Typed through the keyboard, or through an input method where keys
    // cannot give the text (full-width digits).
    static void TypeInto(QLineEdit* box, const QString& text);
    void typeIndex(const QString& x, const QString& y, const QString& z);
    // The three boxes set and the draw button pressed, in a given window.
    static void Plot(const QWidget* window, const QString& x, const QString& y, const QString& z);
    void plot(const QString& x, const QString& y, const QString& z) { Plot(m_form.get(), x, y, z); }
    // Opens the item's menu and clicks the item, as the user would.
    void choose(const QString& actionName);
    // Opens the drop-down list, moves to the item and takes it with Enter.
    static void Pick(QComboBox* combo, const QString& item);
    // A list box's text, and its lines: one paragraph per CR LF line.
    static QString List(const QWidget* window, const QString& name);
    QString list(const QString& name) const { return List(m_form.get(), name); }
    QStringList lines(const QString& listName) const;
    // The pixel of the picture an entry's mark is centred in.
    QPoint pixelOf(int entry) const;
    // A move onto the pixel; a move to where the pointer is already would
    // be dropped as no move.
    void hover(QPoint pixel);
    // The left button pressed at from, the pointer moved to to with it held,
    // and released there.
    static void Drag(QWidget* widget, QPoint from, QPoint to);

    RecordingUserDialogs m_dialogs;
    std::unique_ptr<RunState> m_state;
    std::unique_ptr<frmMainForm> m_form;
};
