#pragma once

#include <QObject>
#include <QString>

class QWidget;

// A file dragged from a file manager onto the window: the one local file a
// drag carries is taken, and said in a signal once dropped.
class FileDrop : public QObject
{
    Q_OBJECT

public:
    explicit FileDrop(QWidget* window);

signals:
    void dropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
