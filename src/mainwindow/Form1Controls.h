#pragma once
// The controls of the main window, each under its layout name (also its Qt objectName).

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace bpd::mainwindow {

class PictureBox;
class ResultsGrid;

struct Form1Controls {
    // "Pad Sizes"
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* w1Text = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* b1Text = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* tCombo_SI = nullptr;
    QCheckBox* CheckSliding = nullptr;
    QComboBox* tCombo = nullptr;
    // "Geometry Conditions"
    QGroupBox* Frame2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* AText = nullptr;
    QLabel* UnitAngle = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* dhText = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* VapText = nullptr;
    QLabel* UnitsForce = nullptr;
    // The unit label group: index 0 dh, 1 w1, 2 b1, 3 t.
    std::array<QLabel*, 4> UnitLength{};
    // The rest of the window.
    PictureBox* Picture1 = nullptr;
    ResultsGrid* MSFlexGrid1 = nullptr;
    QPushButton* AnalyzeBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    // Hidden, for the window print only.
    PictureBox* Picture2 = nullptr;
    QLabel* Label7 = nullptr;
    PictureBox* HiddenPict = nullptr;  // fitToPicture() sizes it to a capture
    // Menus and their items.
    QMenu* Settings = nullptr;
    QAction* General = nullptr;
    QMenu* Units = nullptr;
    QAction* Imperial = nullptr;
    QAction* SI = nullptr;
    QMenu* Export = nullptr;
    QAction* Excel = nullptr;
    QAction* NotePad = nullptr;
    QMenu* Conditions = nullptr;
    QAction* Loading = nullptr;
    QAction* Rotation = nullptr;
    QAction* NonUniform_Bearing = nullptr;
    QMenu* Design = nullptr;
    QAction* Bearing_Schedule = nullptr;
    QAction* Smallest_Passing_Pad = nullptr;
    QAction* Calculation_Sheet = nullptr;
    QMenu* Help = nullptr;
    QAction* Help_Topics = nullptr;
    QAction* Pelgro_Ravelon_Design_Guide = nullptr;
    QAction* About_Pelgro_BPD = nullptr;
};

}  // namespace bpd::mainwindow
