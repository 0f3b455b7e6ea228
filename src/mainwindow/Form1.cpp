#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "ClassicColours.h"
#include "ClassicFonts.h"
#include "ContactBlock.h"
#include "DesktopServices.h"
#include "EngineText.h"
#include "FieldValidator.h"
#include "Form1Commands.h"
#include "Form1Layout.h"
#include "GridPresenter.h"
#include "ImageList.h"
#include "MessageService.h"
#include "PictureBox.h"
#include "PreviewController.h"
#include "ResultsGrid.h"
#include "ShortcutPriority.h"
#include "ThicknessCatalogue.h"
#include "WindowPlacement.h"

namespace bpd::mainwindow {

using platform::ClassicColours;

std::vector<double> colThickness() {
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    return {thicknesses.begin(), thicknesses.end()};
}

Form1::Form1(const platform::DesktopServices& services, QWidget* parent)
    : QMainWindow(parent), messages_(services.messages) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pelgro Bearing Pad Design"));
    setPalette(ClassicColours::palette());
    setFont(platform::ClassicFonts::msSansSerif());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form1Client"));
    client->setFixedSize(Form1Layout::clientSize());
    setCentralWidget(client);
    menuBar()->setFont(platform::ClassicFonts::msSansSerif());
    ui_ = Form1Layout::build(client, menuBar());
    ui_.Label7->setText(ContactBlock::contactLine());
    setWindowIcon(platform::windowIcon());
    resize(Form1Layout::clientSize().width(),
           Form1Layout::clientSize().height() + menuBar()->sizeHint().height());

    presenter_ = std::make_unique<GridPresenter>(*ui_.MSFlexGrid1);
    UnitSwitcher::Window& switched = *this;
    switcher_ = std::make_unique<UnitSwitcher>(ui_, switched);
    commands_ = std::make_unique<Form1Commands>(
        Form1Commands::Reads{
            this, ui_, [this]() -> const ResultTable& { return results_; }, sContactText_,
            colContactLines_,
            [this](const QString& w1, const QString& b1, int position) {
                enterPad(w1, b1, position);
            },
            [this](const schedule::WindowInputs& inputs) { return enterInputs(inputs); }},
        services);
    hooks_ = {[this] { commands_->startSpreadsheet(); }, [this] { commands_->endSpreadsheet(); },
              [this] { commands_->unloadDialogs(); }};
    previews_ = new PreviewController(ui_.Picture1, ui_.CheckSliding, this);
    previews_->watchField(ui_.w1Text, QStringLiteral("W1"));
    previews_->watchField(ui_.b1Text, QStringLiteral("B1"));
    previews_->watchField(ui_.AText, QStringLiteral("A"));
    previews_->watchField(ui_.dhText, QStringLiteral("dh"));
    previews_->watchField(ui_.VapText, QStringLiteral("Vap"));
    previews_->watchSelector(ui_.tCombo, QStringLiteral("t"));
    previews_->watchSelector(ui_.tCombo_SI, QStringLiteral("t"));

    validator_ = new FieldValidator(this, [this](QLineEdit* field, bool zeroAllowed) {
        return ValidateField(field, zeroAllowed);
    });
    for (const InputRule& input : kInputs)
        validator_->addField(input.of(inputFields()), input.zeroAllowed);

    shortcuts_ = new ShortcutPriority(this);
    QList<QKeySequence> keys;
    for (QAction* a : {ui_.General, ui_.Imperial, ui_.SI, ui_.Excel, ui_.NotePad, ui_.Loading,
                       ui_.Rotation, ui_.NonUniform_Bearing, ui_.Help_Topics,
                       ui_.Pelgro_Ravelon_Design_Guide, ui_.About_Pelgro_BPD, ui_.Bearing_Schedule,
                       ui_.Smallest_Passing_Pad, ui_.Calculation_Sheet})
        keys.append(a->shortcut());
    shortcuts_->setShortcuts(keys);
    for (QWidget* w : client->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus) shortcuts_->watch(w);

    connectHandlers();
}

Form1::~Form1() {
    // Nothing of the window may react to the events and signals of its own teardown.
    delete validator_;
    validator_ = nullptr;
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
    for (QWidget* w : findChildren<QWidget*>()) w->removeEventFilter(previews_);
}

void Form1::connectHandlers() {
    Form1Commands* commands = commands_.get();
    connect(ui_.General, &QAction::triggered, commands, &Form1Commands::General_Click);
    connect(ui_.Imperial, &QAction::triggered, this, &Form1::Imperial_Click);
    connect(ui_.SI, &QAction::triggered, this, &Form1::SI_Click);
    connect(ui_.Excel, &QAction::triggered, commands, &Form1Commands::Excel_Click);
    connect(ui_.NotePad, &QAction::triggered, commands, &Form1Commands::NotePad_Click);
    connect(ui_.Loading, &QAction::triggered, commands, &Form1Commands::Loading_Click);
    connect(ui_.Rotation, &QAction::triggered, commands, &Form1Commands::Rotation_Click);
    connect(ui_.NonUniform_Bearing, &QAction::triggered, commands,
            &Form1Commands::NonUniform_Bearing_Click);
    connect(ui_.Help_Topics, &QAction::triggered, commands, &Form1Commands::Help_Topics_Click);
    connect(ui_.Pelgro_Ravelon_Design_Guide, &QAction::triggered, commands,
            &Form1Commands::Pelgro_Ravelon_Design_Guide_Click);
    connect(ui_.About_Pelgro_BPD, &QAction::triggered, commands,
            &Form1Commands::About_Pelgro_BPD_Click);
    connect(ui_.Bearing_Schedule, &QAction::triggered, commands,
            &Form1Commands::Bearing_Schedule_Click);
    connect(ui_.Smallest_Passing_Pad, &QAction::triggered, commands,
            &Form1Commands::Smallest_Passing_Pad_Click);
    connect(ui_.Calculation_Sheet, &QAction::triggered, commands,
            &Form1Commands::Calculation_Sheet_Click);
    connect(ui_.AnalyzeBtn, &QPushButton::clicked, this, &Form1::AnalyzeBtn_Click);
    connect(ui_.PrintBtn, &QPushButton::clicked, commands, &Form1Commands::PrintBtn_Click);
    connect(ui_.CheckSliding, &QCheckBox::toggled, this, &Form1::CheckSliding_Click);
    connect(ui_.tCombo, &QComboBox::currentIndexChanged, this, &Form1::tCombo_Click);
    connect(ui_.tCombo_SI, &QComboBox::currentIndexChanged, this, &Form1::tCombo_SI_Click);
    connect(ui_.MSFlexGrid1, &ResultsGrid::MouseMove, this, &Form1::MSFlexGrid1_MouseMove);
    connect(ui_.MSFlexGrid1, &ResultsGrid::MouseDown, this, &Form1::MSFlexGrid1_MouseDown);
}

QString Form1::sUnitSystem() const {
    return fromEngine(unitSystemName(unitSystem_));
}

QString Form1::previewKey() const {
    return previews_->currentKey();
}

// ---- Lifecycle ----------------------------------------------------------------------------

void Form1::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QMainWindow::showEvent(event);
}

void Form1::Form_Load() {
    sContactText_ = ContactBlock::contactText();
    colContactLines_ = ContactBlock::contactLines();
    bFormLoaded_ = false;
    dInitialWidth_ = width();
    dInitialHeight_ = height();

    ui_.tCombo->clear();
    for (std::string_view entry : ThicknessCatalogue::selectorEntries(UnitSystem::Imperial))
        ui_.tCombo->addItem(fromEngine(entry));
    ui_.tCombo->setCurrentIndex(ThicknessCatalogue::allPosition);
    ui_.tCombo->show();
    ui_.tCombo_SI->clear();
    for (std::string_view entry : ThicknessCatalogue::selectorEntries(UnitSystem::SI))
        ui_.tCombo_SI->addItem(fromEngine(entry));
    ui_.tCombo_SI->setCurrentIndex(ThicknessCatalogue::allPosition);
    ui_.tCombo_SI->hide();

    unitSystem_ = UnitSystem::Imperial;
    bFormLoaded_ = true;
    ShowPreview(QStringLiteral("W1"));
    if (hooks_.startSpreadsheet) hooks_.startSpreadsheet();
    AnalyzeImperial();

    setMinimumSize(size());
    platform::centreOnScreen(this);
    ui_.MSFlexGrid1->setFocus(Qt::OtherFocusReason);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize() {
    if (!loaded_ || isMinimized()) return;
    if (width() < dInitialWidth_) resize(static_cast<int>(dInitialWidth_), height());
    if (height() < dInitialHeight_) resize(width(), static_cast<int>(dInitialHeight_));
}

void Form1::closeEvent(QCloseEvent* event) {
    // A schedule with unsaved edits asks first; its Cancel keeps the program running.
    if (!commands_->closeSchedule()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (hooks_.unloadDialogs) hooks_.unloadDialogs();
    if (hooks_.endSpreadsheet) hooks_.endSpreadsheet();
}

// ---- Validation ---------------------------------------------------------------------------

bool Form1::ValidateField(QLineEdit* field, bool zeroAllowed) {
    field->setText(fromEngine(formatInputPattern(toEngine(field->text()), numberLocale())));
    bool cancel = false;
    validate_Input(field->text(), zeroAllowed, cancel);
    return cancel;
}

void Form1::validate_Input(const QString& iText, bool bIsZeroAllowed, bool& bCancel) {
    switch (inputProblem(readNumber(iText), bIsZeroAllowed)) {
        case InputProblem::NotANumber:
            warn(QString::fromLatin1(kNumericMessage));
            break;
        case InputProblem::Negative:
            warn(QString::fromLatin1(kZeroOrPositiveMessage));
            break;
        case InputProblem::NotPositive:
            warn(QString::fromLatin1(kPositiveMessage));
            break;
        case InputProblem::None:
            bCancel = false;
            RunAnalysis();
            return;
    }
    bCancel = true;
}

void Form1::warn(const QString& text) {
    messages_.warning(this, platform::kMessageTitle, text);
}

void Form1::rejectNonNumeric(QLineEdit* field) {
    warn(QString::fromLatin1(kNumericMessage));
    field->setFocus(Qt::OtherFocusReason);
}

// ---- Design check -------------------------------------------------------------------------

void Form1::RunAnalysis() {
    if (ui_.Imperial->isChecked())
        AnalyzeImperial();
    else
        AnalyzeSI();
}

void Form1::analyze(UnitSystem units) {
    ++analysisRuns_;
    AnalysisRequest request;
    request.units = units;
    for (const InputRule& input : kInputs)
        input.of(request.texts) = toEngine(input.of(inputFields())->text());
    request.sliding = ui_.CheckSliding->isChecked();
    request.selection =
        (units == UnitSystem::Imperial ? ui_.tCombo : ui_.tCombo_SI)->currentIndex();
    if (request.selection < 0) request.selection = ThicknessCatalogue::allPosition;
    results_ = bpd::analyze(request, colThickness(), numberLocale());
    presenter_->write(results_);
    presenter_->describeRows(results_, ui_.VapText->text());
    if (results_.fault) reportFault(*results_.fault);
}

FiveInputs<QLineEdit*> Form1::inputFields() const {
    return {ui_.w1Text, ui_.b1Text, ui_.AText, ui_.dhText, ui_.VapText};
}

QLineEdit* Form1::fieldOf(const std::string& quantity) const {
    for (const InputRule& input : kInputs)
        if (input.name == quantity) return input.of(inputFields());
    return nullptr;
}

bool Form1::isZeroAllowed(const QLineEdit* field) const {
    for (const InputRule& input : kInputs)
        if (input.of(inputFields()) == field) return input.zeroAllowed;
    return false;
}

void Form1::reportFault(const RunFault& fault) {
    if (fault.kind == RunFault::Kind::InputNotNumeric) {
        // Reached only through a menu command while a field holds a rejected text.
        if (QLineEdit* field = fieldOf(fault.quantity)) {
            rejectNonNumeric(field);
            return;
        }
        warn(QString::fromLatin1(kNumericMessage));
        return;
    }
    warn(QStringLiteral("The design check stopped at thickness %1: the value of %2 is beyond the "
                        "range of numbers. The rows above it are complete; check the inputs.")
             .arg(fromEngine(fault.thickness), fromEngine(fault.quantity)));
}

bool Form1::typeFields(std::initializer_list<std::pair<QLineEdit*, QString>> typed) {
    for (const auto& [field, text] : typed) {
        field->setText(text);
        if (ValidateField(field, isZeroAllowed(field))) {  // refused: it keeps the focus
            field->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void Form1::selectThickness(int position) {
    QComboBox* selector = unitSystem_ == UnitSystem::Imperial ? ui_.tCombo : ui_.tCombo_SI;
    if (selector->currentIndex() != position) selector->setCurrentIndex(position);  // runs
}

bool Form1::enterPad(const QString& w1, const QString& b1, int position) {
    if (!typeFields({{ui_.w1Text, w1}, {ui_.b1Text, b1}})) return false;
    selectThickness(position);
    return true;
}

bool Form1::enterInputs(const schedule::WindowInputs& inputs) {
    if (inputs.units != unitSystem_) {
        (inputs.units == UnitSystem::Imperial ? ui_.Imperial : ui_.SI)->trigger();
        if (inputs.units != unitSystem_) return false;  // the switch refused a field
    }
    const FiveInputs<QString>& t = inputs.texts;
    if (!typeFields({{ui_.w1Text, t.w1},
                     {ui_.b1Text, t.b1},
                     {ui_.AText, t.A},
                     {ui_.dhText, t.dh},
                     {ui_.VapText, t.Vap}}))
        return false;
    if (ui_.CheckSliding->isChecked() != inputs.sliding)
        ui_.CheckSliding->setChecked(inputs.sliding);  // runs
    selectThickness(inputs.position);
    return true;
}

// ---- Previews and grid --------------------------------------------------------------------

void Form1::ShowPreview(const QString& key) {
    previews_->ShowPreview(key);
}

void Form1::MSFlexGrid1_MouseMove() {
    presenter_->MouseMove(results_, ui_.VapText->text());
}

void Form1::MSFlexGrid1_MouseDown() {
    const QString key = presenter_->MouseDownPreviewKey(ui_.CheckSliding->isChecked());
    if (!key.isEmpty()) ShowPreview(key);
}

// ---- Commands -----------------------------------------------------------------------------

void Form1::AnalyzeBtn_Click() {
    RunAnalysis();
}

void Form1::CheckSliding_Click() {
    ShowPreview(previews_->variant(QStringLiteral("W1")));
    RunAnalysis();
}

void Form1::tCombo_Click() {
    if (bFormLoaded_) AnalyzeImperial();
}

void Form1::tCombo_SI_Click() {
    if (bFormLoaded_) AnalyzeSI();
}

void Form1::Imperial_Click() {
    // The action toggled its own mark; the switch decides the marks.
    ui_.Imperial->setChecked(unitSystem_ == UnitSystem::Imperial);
    ui_.SI->setChecked(unitSystem_ == UnitSystem::SI);
    switcher_->SwitchUnitSystem(UnitSystem::Imperial);
}

void Form1::SI_Click() {
    ui_.Imperial->setChecked(unitSystem_ == UnitSystem::Imperial);
    ui_.SI->setChecked(unitSystem_ == UnitSystem::SI);
    switcher_->SwitchUnitSystem(UnitSystem::SI);
}

}  // namespace bpd::mainwindow
