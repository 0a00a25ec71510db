#pragma once

#include "surface/DisplaySettings.h"

#include <QString>
#include <array>

class PainterSurface;
class PictureBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPalette;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The main window's controls on its client area, as the form was laid out:
// named, placed and captioned as documented, in the documented tab order.
// They are the window's; this only builds them and reads and shows their values.
struct MainControls
{
    MainControls(QWidget* client, PainterSurface& surface);

    // The display settings the two boxes show, read as every redraw reads
    // them: a text that is no width keeps the width there was.
    DisplaySettings displaySettings(const DisplaySettings& before) const;
    void showPlotSize(int size);
    void showDisplaySettings(const DisplaySettings& settings);
    // The captions of the angle columns, which also name the angle list.
    void showCaptions(const std::array<QString, 3>& captions);
    // The frame's shade, a step below the button face of the palette.
    void shadeFrame(const QPalette& colours);

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtAxisX = nullptr;
    QLineEdit* txtAxisY = nullptr;
    QLineEdit* txtAxisZ = nullptr;
    QPushButton* cmdDraw = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdCopy = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* cboPlotSize = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cboLineWidth = nullptr;
    PictureBox* picPictureBox = nullptr;
    QLabel* Label6 = nullptr;
    QPlainTextEdit* txtIndexList = nullptr;
    std::array<QLabel*, 3> lblAngle {};
    QPlainTextEdit* txtAngleList = nullptr;
};
