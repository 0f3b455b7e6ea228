#pragma once
// The main window: inputs, validation, unit switch, previews, results grid and menus.
//
// The controls are built by Form1Layout and carry their layout names (controls()). The
// window keeps the state it owns for its lifetime (bFormLoaded, sUnitSystem, the contact
// block) and dispatches the events to the small classes that do the work: FieldValidator,
// UnitSwitcher, PreviewController and GridPresenter. Every number text comes from the engine,
// and the window keeps the last run's ResultTable for the grid, its hover and the reports.

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "Form1Controls.h"
#include "InputRules.h"
#include "MainWindowLink.h"
#include "ResultTable.h"
#include "UnitSwitcher.h"
#include "Units.h"

class QLineEdit;

namespace bpd::platform {
struct DesktopServices;
class MessageService;
}  // namespace bpd::platform

namespace bpd::mainwindow {

class FieldValidator;
class Form1Commands;
class GridPresenter;
class PreviewController;
class ResultsGrid;
class ShortcutPriority;

// colThickness: the catalogue thicknesses in inches, item p at index p-1, as every run reads
// them. ThicknessCatalogue is their one source; this is a read-only copy of it.
std::vector<double> colThickness();

class Form1 : public QMainWindow, private UnitSwitcher::Window {
    Q_OBJECT
public:
    static constexpr const char* kNumericMessage = "Invalid input. Please enter numeric data.";
    static constexpr const char* kZeroOrPositiveMessage =
        "Invalid input. Please enter 0 or positive value.";
    static constexpr const char* kPositiveMessage = "Invalid input. Please enter positive value.";

    // What the window starts and ends with it besides itself: the spreadsheet stand-in and
    // the program's other dialogs. The window installs its own commands' hooks; tests may
    // replace them. Empty hooks do nothing.
    struct LifecycleHooks {
        std::function<void()> startSpreadsheet;  // at load, when none is running yet
        std::function<void()> endSpreadsheet;    // at unload: alerts on, quit, release
        std::function<void()> unloadDialogs;     // at unload, before the spreadsheet ends
    };

    // The window warns through the services' messages and hands the services down to its
    // commands; they must outlive the window.
    explicit Form1(const platform::DesktopServices& services, QWidget* parent = nullptr);
    ~Form1() override;

    const Form1Controls& controls() const { return ui_; }
    ResultsGrid& grid() const { return *ui_.MSFlexGrid1; }
    Form1Commands& commands() const { return *commands_; }
    void setLifecycleHooks(LifecycleHooks hooks) { hooks_ = std::move(hooks); }

    // State owned by the window.
    bool bFormLoaded() const { return bFormLoaded_; }
    QString sUnitSystem() const;
    UnitSystem unitSystem() const override { return unitSystem_; }
    double dInitialWidth() const { return dInitialWidth_; }
    const QString& sContactText() const { return sContactText_; }
    const QStringList& colContactLines() const { return colContactLines_; }
    // The key of the picture the preview box shows.
    QString previewKey() const;
    // How many design checks ran since the window was built.
    int analysisRuns() const { return analysisRuns_; }
    // The results of the last design check run, as the grid shows them.
    const ResultTable& results() const { return results_; }

    // Operations used across the program.
    void validate_Input(const QString& iText, bool bIsZeroAllowed, bool& bCancel);
    // The design check of the unit system whose menu item carries the check mark.
    void RunAnalysis() override;
    // The check of one system, whichever is marked (the thickness selectors' handlers).
    void AnalyzeImperial() { analyze(UnitSystem::Imperial); }
    void AnalyzeSI() { analyze(UnitSystem::SI); }
    void ShowPreview(const QString& key);
    // Types w1 and b1 into their fields as a user would (each re-formatted, validated and
    // checked on leaving it) and selects the thickness of catalogue position position in the
    // visible selector. False when a field refused its text (it keeps the focus).
    bool enterPad(const QString& w1, const QString& b1, int position);
    // A bearing of the schedule: switches to its units as the Units menu does, then types the
    // five texts, sets Sliding and selects the thickness as a user would. False when the
    // switch or a field refused (its message was shown).
    bool enterInputs(const schedule::WindowInputs& inputs);

public slots:
    // The unit menu; the other menu items and the Print Screen button lead out of the window
    // and are connected to the commands().
    void Imperial_Click();
    void SI_Click();
    // Controls.
    void AnalyzeBtn_Click();
    void CheckSliding_Click();
    void tCombo_Click();
    void tCombo_SI_Click();
    void MSFlexGrid1_MouseMove();
    void MSFlexGrid1_MouseDown();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the unit switch asks of the window.
    void setUnitSystem(UnitSystem units) override { unitSystem_ = units; }
    void rejectNonNumeric(QLineEdit* field) override;

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    bool ValidateField(QLineEdit* field, bool zeroAllowed);
    // Types each text into its field and leaves it, in order; false at the first refusal
    // (that field keeps the focus).
    bool typeFields(std::initializer_list<std::pair<QLineEdit*, QString>> typed);
    void selectThickness(int position);
    void analyze(UnitSystem units);
    void reportFault(const RunFault& fault);
    void warn(const QString& text);
    void connectHandlers();
    FiveInputs<QLineEdit*> inputFields() const;
    QLineEdit* fieldOf(const std::string& quantity) const;
    bool isZeroAllowed(const QLineEdit* field) const;

    platform::MessageService& messages_;
    Form1Controls ui_;
    LifecycleHooks hooks_;
    std::unique_ptr<GridPresenter> presenter_;
    std::unique_ptr<UnitSwitcher> switcher_;
    std::unique_ptr<Form1Commands> commands_;
    PreviewController* previews_ = nullptr;
    FieldValidator* validator_ = nullptr;
    ShortcutPriority* shortcuts_ = nullptr;

    bool loaded_ = false;  // the load steps ran
    bool unloaded_ = false;
    bool bFormLoaded_ = false;
    double dInitialWidth_ = 0;
    double dInitialHeight_ = 0;
    UnitSystem unitSystem_ = UnitSystem::Imperial;
    QString sContactText_;
    QStringList colContactLines_;
    ResultTable results_;
    int analysisRuns_ = 0;
};

}  // namespace bpd::mainwindow
