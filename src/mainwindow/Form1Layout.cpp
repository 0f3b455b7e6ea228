#include "Form1Layout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <type_traits>
#include <vector>

#include "AccessibleNames.h"
#include "ClassicColours.h"
#include "ClassicFonts.h"
#include "ClassicFrame.h"
#include "DropDownListStyle.h"
#include "EngineText.h"
#include "PictureBox.h"
#include "ResultsGrid.h"
#include "Twips.h"
#include "Units.h"

namespace bpd::mainwindow {

using platform::ClassicColours;

namespace {

enum class Kind { Frame, Label, TextBox, DropDownList, CheckBox, Button, PictureBox, Grid };

// Puts a made control into its member of the control struct.
using Bind = void (*)(Form1Controls&, QWidget*);
// A frame of the control struct that holds controls; nullptr: the window's client area.
using Container = QGroupBox* Form1Controls::*;

template <auto Member>
void bind(Form1Controls& c, QWidget* w) {
    using Control = std::remove_pointer_t<std::remove_reference_t<decltype(c.*Member)>>;
    c.*Member = qobject_cast<Control*>(w);
}

template <std::size_t Index>
void bindUnitLength(Form1Controls& c, QWidget* w) {
    c.UnitLength[Index] = qobject_cast<QLabel*>(w);
}

template <auto Member>
QWidget* member(const Form1Controls& c) {
    return c.*Member;
}

struct ControlSpec {
    const char* name;
    int index;  // member of a control group, -1 otherwise
    Kind kind;
    Bind bind;
    Container container;
    int left, top, width, height;  // twips
    const char* text;
    bool bold;
    int tabIndex;
    const char* toolTip;
    bool hidden;
};

using C = Form1Controls;

// In the order of the layout tables; frames come before the controls they hold.
const ControlSpec kControls[] = {
    {"Frame1", -1, Kind::Frame, bind<&C::Frame1>, nullptr, 120, 120, 3255, 2175, "Pad Sizes", true,
     3, nullptr, false},
    {"Label1", -1, Kind::Label, bind<&C::Label1>, &C::Frame1, 120, 600, 1575, 375,
     "Bearing Length (w1)", true, 15, nullptr, false},
    {"w1Text", -1, Kind::TextBox, bind<&C::w1Text>, &C::Frame1, 1800, 600, 975, 375, "4.00", false,
     17, "Enter bearing length in inches.", false},
    {"UnitLength", 1, Kind::Label, bindUnitLength<1>, &C::Frame1, 2880, 600, 255, 255, "in.", false,
     6, nullptr, false},
    {"Label2", -1, Kind::Label, bind<&C::Label2>, &C::Frame1, 120, 1080, 1575, 375,
     "Bearing Width (b1)", true, 14, nullptr, false},
    {"b1Text", -1, Kind::TextBox, bind<&C::b1Text>, &C::Frame1, 1800, 1080, 975, 375, "4.00", false,
     18, "Enter bearing width in inches.", false},
    {"UnitLength", 2, Kind::Label, bindUnitLength<2>, &C::Frame1, 2880, 1080, 255, 255, "in.",
     false, 5, nullptr, false},
    {"Label3", -1, Kind::Label, bind<&C::Label3>, &C::Frame1, 120, 1560, 1695, 375, "Thickness (t)",
     true, 13, nullptr, false},
    {"tCombo_SI", -1, Kind::DropDownList, bind<&C::tCombo_SI>, &C::Frame1, 1800, 1560, 975, 315, "",
     false, 24, "Select the pad thickness in inches.", false},
    {"UnitLength", 3, Kind::Label, bindUnitLength<3>, &C::Frame1, 2880, 1560, 255, 255, "in.",
     false, 4, nullptr, false},
    {"CheckSliding", -1, Kind::CheckBox, bind<&C::CheckSliding>, nullptr, 240, 360, 1215, 375,
     "Sliding", true, 16, nullptr, false},
    {"tCombo", -1, Kind::DropDownList, bind<&C::tCombo>, nullptr, 1920, 1680, 975, 315, "", false,
     19, "Select the pad thickness in inches.", false},
    {"Frame2", -1, Kind::Frame, bind<&C::Frame2>, nullptr, 3480, 120, 3855, 2175,
     "Geometry Conditions", true, 2, nullptr, false},
    {"Label4", -1, Kind::Label, bind<&C::Label4>, &C::Frame2, 120, 360, 1815, 375,
     "Angle of Rotation (A)", true, 12, nullptr, false},
    {"AText", -1, Kind::TextBox, bind<&C::AText>, &C::Frame2, 2160, 360, 975, 375, ".01", false, 20,
     "Enter angle of rotation in radians.", false},
    {"UnitAngle", -1, Kind::Label, bind<&C::UnitAngle>, &C::Frame2, 3240, 360, 495, 255, "rad",
     false, 9, nullptr, false},
    {"Label5", -1, Kind::Label, bind<&C::Label5>, &C::Frame2, 120, 840, 1935, 495,
     "Horizontal Deformation (dh)", true, 11, nullptr, false},
    {"dhText", -1, Kind::TextBox, bind<&C::dhText>, &C::Frame2, 2160, 960, 975, 375, "0.0711",
     false, 21, "Enter horizontal deformation in inches.", false},
    {"UnitLength", 0, Kind::Label, bindUnitLength<0>, &C::Frame2, 3240, 960, 255, 255, "in.", false,
     8, nullptr, false},
    {"Label6", -1, Kind::Label, bind<&C::Label6>, &C::Frame2, 120, 1560, 1935, 375,
     "Applied Vertical Load (Vap)", true, 10, nullptr, false},
    {"VapText", -1, Kind::TextBox, bind<&C::VapText>, &C::Frame2, 2160, 1560, 975, 375, "7.13",
     false, 22, "Enter applied load in kips.", false},
    {"UnitsForce", -1, Kind::Label, bind<&C::UnitsForce>, &C::Frame2, 3240, 1560, 495, 255, "kips",
     false, 7, nullptr, false},
    {"Picture1", -1, Kind::PictureBox, bind<&C::Picture1>, nullptr, 7440, 240, 5175, 2055, "",
     false, 1, "Bearing pad preview", false},
    {"MSFlexGrid1", -1, Kind::Grid, bind<&C::MSFlexGrid1>, nullptr, 120, 2520, 12615, 2055, "",
     false, 0, "Summary of the design parameters", false},
    {"AnalyzeBtn", -1, Kind::Button, bind<&C::AnalyzeBtn>, nullptr, 5040, 4800, 975, 495, "Analyze",
     true, 23, "Analyze the pad for the given input.", false},
    {"PrintBtn", -1, Kind::Button, bind<&C::PrintBtn>, nullptr, 6480, 4800, 1095, 495,
     "Print Screen", true, 25, nullptr, false},
    {"Picture2", -1, Kind::PictureBox, bind<&C::Picture2>, nullptr, 120, 2520, 12495, 2175, "",
     false, 26, nullptr, true},
    {"Label7", -1, Kind::Label, bind<&C::Label7>, nullptr, 2520, 5040, 7935, 375, "", true, 27,
     nullptr, true},
    {"HiddenPict", -1, Kind::PictureBox, bind<&C::HiddenPict>, nullptr, 11160, 4920, 1215, 495, "",
     false, 28, nullptr, true},
};

// Front to back: earlier controls lie in front of later ones where they overlap.
QWidget* (*const kStacking[])(const Form1Controls&) = {
    member<&C::HiddenPict>,   member<&C::PrintBtn>, member<&C::tCombo>,
    member<&C::CheckSliding>, member<&C::Picture1>, member<&C::AnalyzeBtn>,
    member<&C::MSFlexGrid1>,  member<&C::Frame2>,   member<&C::Frame1>,
    member<&C::Picture2>,     member<&C::Label7>};

struct MenuSpec {
    const char* menuName;
    QMenu* Form1Controls::*menu;
    const char* menuCaption;
    const char* itemName;
    QAction* Form1Controls::*item;
    const char* caption;
    const char* shortcut;
    bool checkable;
    bool checked;
};

const MenuSpec kMenus[] = {
    {"Settings", &C::Settings, "Settings", "General", &C::General, "General", "Ctrl+G", false,
     false},
    {"Units", &C::Units, "Units", "Imperial", &C::Imperial, "Imperial", "Ctrl+M", true, true},
    {"Units", &C::Units, "Units", "SI", &C::SI, "SI", "Ctrl+I", true, false},
    {"Export", &C::Export, "Export", "Excel", &C::Excel, "Excel", "Ctrl+E", false, false},
    {"Export", &C::Export, "Export", "NotePad", &C::NotePad, "NotePad", "Ctrl+N", false, false},
    {"Conditions", &C::Conditions, "Conditions", "Loading", &C::Loading, "Loading", "Ctrl+L", false,
     false},
    {"Conditions", &C::Conditions, "Conditions", "Rotation", &C::Rotation, "Rotation", "Ctrl+R",
     false, false},
    {"Conditions", &C::Conditions, "Conditions", "NonUniform_Bearing", &C::NonUniform_Bearing,
     "NonUniform Bearing", "Ctrl+U", false, false},
    // The program's own menu, beside the classic make-up.
    {"Design", &C::Design, "Design", "Bearing_Schedule", &C::Bearing_Schedule, "Bearing Schedule",
     "Ctrl+B", false, false},
    {"Design", &C::Design, "Design", "Smallest_Passing_Pad", &C::Smallest_Passing_Pad,
     "Smallest Passing Pad", "Ctrl+F", false, false},
    {"Design", &C::Design, "Design", "Calculation_Sheet", &C::Calculation_Sheet,
     "Calculation Sheet", "Ctrl+K", false, false},
    {"Help", &C::Help, "Help", "Help_Topics", &C::Help_Topics,
     "Pelgro Bearing Pad Design Program Help", "Ctrl+H", false, false},
    {"Help", &C::Help, "Help", "Pelgro_Ravelon_Design_Guide", &C::Pelgro_Ravelon_Design_Guide,
     "Pelgro Ravelon Design Guide", "Ctrl+D", false, false},
    {"Help", &C::Help, "Help", "About_Pelgro_BPD", &C::About_Pelgro_BPD, "About Pelgro-BPD",
     "Ctrl+A", false, false},
};

// Widths of the grid's 13 columns in pixels, wide enough for the longest SI texts.
constexpr int kColumnWidths[] = {44, 50, 44, 64, 82, 44, 64, 60, 48, 82, 68, 76, 82};

void setBackground(QWidget* w, std::uint32_t value) {
    QPalette p = w->palette();
    const QColor colour = ClassicColours::fromWindowsValue(value);
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setInputBackground(QWidget* w) {
    QPalette p = w->palette();
    const QColor colour = ClassicColours::fromWindowsValue(ClassicColours::kInputBackground);
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

QString openingText(const ControlSpec& spec, const QLocale& locale) {
    QString text = QString::fromLatin1(spec.text);
    if (spec.kind == Kind::TextBox) text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QWidget* create(const ControlSpec& spec, QWidget* parent, const QLocale& locale) {
    QWidget* w = nullptr;
    const QString text = openingText(spec, locale);
    switch (spec.kind) {
        case Kind::Frame: {
            auto* frame = new ClassicFrame(text, parent);
            setBackground(frame, ClassicColours::kWindowBackground);
            w = frame;
            break;
        }
        case Kind::Label: {
            auto* label = new QLabel(text, parent);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            setBackground(label, ClassicColours::kWindowBackground);
            w = label;
            break;
        }
        case Kind::TextBox: {
            auto* edit = new QLineEdit(text, parent);
            edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setInputBackground(edit);
            w = edit;
            break;
        }
        case Kind::DropDownList: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(false);
            combo->setFocusPolicy(Qt::StrongFocus);  // no focus by the mouse wheel
            setInputBackground(combo);
            DropDownListStyle::applyTo(combo);
            w = combo;
            break;
        }
        case Kind::CheckBox: {
            auto* box = new QCheckBox(text, parent);
            setBackground(box, ClassicColours::kWindowBackground);
            w = box;
            break;
        }
        case Kind::Button: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            w = button;
            break;
        }
        case Kind::PictureBox: {
            auto* picture = new PictureBox(parent);
            picture->setFocusPolicy(Qt::StrongFocus);
            setBackground(picture, spec.hidden ? ClassicColours::kButtonFace
                                               : ClassicColours::kWindowBackground);
            w = picture;
            break;
        }
        case Kind::Grid:
            w = new ResultsGrid(parent);
            break;
    }
    w->setObjectName(QString::fromLatin1(spec.name));
    if (spec.index >= 0) w->setProperty("index", spec.index);
    w->setProperty("tabIndex", spec.tabIndex);
    w->setFont(platform::ClassicFonts::msSansSerif(spec.bold));
    w->setGeometry(platform::twipsRect(spec.left, spec.top, spec.width, spec.height));
    if (spec.toolTip) w->setToolTip(QString::fromLatin1(spec.toolTip));
    if (spec.hidden) w->hide();
    return w;
}

// The unit captions are one word each. The substitute font runs wider than the original, so
// "mm" would be cut in its 17-pixel label: each caption label keeps its place and height and
// widens to its widest caption of either unit system, never past its frame's edge.
void fitUnitCaptions(const Form1Controls& c) {
    std::vector<QLabel*> labels(c.UnitLength.begin(), c.UnitLength.end());
    labels.push_back(c.UnitAngle);
    labels.push_back(c.UnitsForce);
    for (QLabel* label : labels) {
        label->setWordWrap(false);
        int widest = 0;
        for (UnitSystem units : {UnitSystem::Imperial, UnitSystem::SI})
            for (QuantityKind kind :
                 {QuantityKind::Length, QuantityKind::Angle, QuantityKind::Load})
                widest = std::max(widest, label->fontMetrics().horizontalAdvance(
                                              fromEngine(unitCaption(units, kind))));
        const int room = label->parentWidget()->width() - label->x() - 2;
        label->resize(std::max(label->width(), std::min(widest + 1, room)), label->height());
    }
}

void applyGridDesign(ResultsGrid* grid) {
    grid->setCols(13);
    grid->setRows(2);
    ResultsGrid::Colours colours;
    colours.cellBack = ClassicColours::fromWindowsValue(ClassicColours::kTooltipBackground);
    colours.cellText = ClassicColours::fromWindowsValue(ClassicColours::kWindowText);
    colours.fixedBack = ClassicColours::fromWindowsValue(ClassicColours::kGridHeader);
    colours.fixedText = ClassicColours::fromWindowsValue(ClassicColours::kButtonText);
    colours.gridLines = ClassicColours::fromWindowsValue(ClassicColours::kGridLines);
    colours.fixedGridLines = ClassicColours::fromWindowsValue(ClassicColours::kGridHeaderLines);
    colours.outside = ClassicColours::fromWindowsValue(ClassicColours::kGridOutside);
    grid->setColours(colours);
    for (int c = 0; c < grid->Cols(); ++c) grid->setColumnWidth(c, kColumnWidths[c]);
    grid->setToolTipText(grid->toolTip());
}

void buildMenus(QMenuBar* bar, Form1Controls& c) {
    for (const MenuSpec& spec : kMenus) {
        QMenu*& menu = c.*spec.menu;
        if (!menu) {
            menu = bar->addMenu(QString::fromLatin1(spec.menuCaption));
            menu->setObjectName(QString::fromLatin1(spec.menuName));
            menu->menuAction()->setObjectName(QString::fromLatin1(spec.menuName));
        }
        QAction* action = menu->addAction(QString::fromLatin1(spec.caption));
        action->setObjectName(QString::fromLatin1(spec.itemName));
        action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(spec.checkable);
        action->setChecked(spec.checked);
        c.*spec.item = action;
    }
}

}  // namespace

QSize Form1Layout::clientSize() {
    return QSize(platform::twipsToPixels(kClientWidthTwips),
                 platform::twipsToPixels(kClientHeightTwips));
}

Form1Controls Form1Layout::build(QWidget* client, QMenuBar* menuBar, const QLocale& locale) {
    client->setFont(platform::ClassicFonts::msSansSerif());
    setBackground(client, ClassicColours::kWindowBackground);

    Form1Controls c;
    std::vector<QWidget*> made;
    for (const ControlSpec& spec : kControls) {
        QWidget* parent = spec.container ? c.*spec.container : client;
        QWidget* control = create(spec, parent, locale);
        spec.bind(c, control);
        made.push_back(control);
    }
    applyGridDesign(c.MSFlexGrid1);
    fitUnitCaptions(c);

    // Stacking: raise from the back so the first name ends up in front.
    for (auto it = std::rbegin(kStacking); it != std::rend(kStacking); ++it) (*it)(c)->raise();

    // Tab order: ascending tab index over the controls that take the focus.
    std::vector<QWidget*> focusable;
    for (QWidget* w : made)
        if (w->focusPolicy() & Qt::TabFocus) focusable.push_back(w);
    std::sort(focusable.begin(), focusable.end(), [](QWidget* a, QWidget* b) {
        return a->property("tabIndex").toInt() < b->property("tabIndex").toInt();
    });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1], focusable[i]);

    buildMenus(menuBar, c);
    AccessibleNames::apply(c);
    return c;
}

}  // namespace bpd::mainwindow
