#pragma once

#include "scene/Crystal.h"
#include "scene/SecondCrystal.h"

#include <QWidget>
#include <optional>

class QLabel;
class QStandardItemModel;
class QTableView;

// "方位差": every variant of the second crystal with its misorientation to
// variant 1 and the axis of that turn in the second's lattice. A row
// activated (double-clicked, or Enter on it) asks for its variant to be
// shown.
class frmVariants : public QWidget
{
    Q_OBJECT

public:
    explicit frmVariants(QWidget* parent = nullptr);

    // The table of the second crystal placed against first; empty, saying
    // so, without one.
    void showTable(const Crystal& first, const std::optional<SecondCrystal>& second);

    static const QString Title;

signals:
    void variantChosen(int number);

private:
    QLabel* lblStatus = nullptr;
    QStandardItemModel* m_rows = nullptr;
    QTableView* grdVariants = nullptr;
};
