#pragma once

#include "crystal/Notation.h"
#include "surface/DisplaySettings.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

class PainterSurface;
class PictureBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPalette;
class QPlainTextEdit;
class ResultListBox;
class QPushButton;
class QWidget;

// The main window's controls on its client area, as the form was laid out:
// named, placed and captioned as documented, in the documented tab order.
// They are the window's; this only builds them and reads and shows their values.
struct MainControls
{
    // What the four boxes hold besides the documented three.
    bool fourIndices = false;

    MainControls(QWidget* client, PainterSurface& surface);

    // The display settings the two boxes show, read as every redraw reads
    // them: a text that is no width keeps the width there was.
    DisplaySettings displaySettings(const DisplaySettings& before) const;
    void showPlotSize(int size);
    void showDisplaySettings(const DisplaySettings& settings);
    // The captions of the angle columns, which also name the angle list.
    void showCaptions(const std::array<QString, 3>& captions);
    // Three index boxes as documented, or four, h k i l (u v t w for a
    // direction), for a crystal written in four indices.
    void showIndexForm(bool fourIndices, IndexKind kind);
    // The texts of the index boxes shown, in order.
    QStringList indexTexts() const;
    // i = -(h + k) in the third of four boxes, from the first two.
    void followThird();
    // The frame's shade, a step below the button face of the palette.
    void shadeFrame(const QPalette& colours);
    // Lays the picture and the lists out over a client area of this size
    // (Layout::Arrange); their captions go with them.
    void arrange(QSize client);

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtAxisX = nullptr;
    QLineEdit* txtAxisY = nullptr;
    QLineEdit* txtAxisZ = nullptr;
    // The third of four indices, i or t, and the letters of the four.
    QLineEdit* txtAxisI = nullptr;
    std::array<QLabel*, 4> lblFour {};
    QPushButton* cmdDraw = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdCopy = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* cboPlotSize = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cboLineWidth = nullptr;
    PictureBox* picPictureBox = nullptr;
    QLabel* Label6 = nullptr;
    ResultListBox* txtIndexList = nullptr;
    std::array<QLabel*, 3> lblAngle {};
    ResultListBox* txtAngleList = nullptr;

private:
    // How wide each list must be for its longest lines to fit unwrapped.
    int m_indexWidth = 0;
    int m_angleWidth = 0;
    // The captions' places as laid out, which move with their lists.
    QRect m_indexCaption;
    std::array<QRect, 3> m_angleCaptions {};
};
