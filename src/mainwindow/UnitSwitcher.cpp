#include "UnitSwitcher.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "AccessibleNames.h"
#include "EngineText.h"
#include "UnitSwitch.h"

namespace bpd::mainwindow {

namespace {
QString caption(UnitSystem system, QuantityKind kind) {
    return fromEngine(unitCaption(system, kind));
}
}  // namespace

UnitSwitcher::UnitSwitcher(const Form1Controls& controls, Window& window)
    : controls_(controls), window_(window) {}

void UnitSwitcher::SwitchUnitSystem(UnitSystem target) {
    const Form1Controls& c = controls_;
    if (window_.unitSystem() != target) {
        if (!convertFields(target)) return;
        swapSelector(target);
    }
    c.Imperial->setChecked(target == UnitSystem::Imperial);
    c.SI->setChecked(target == UnitSystem::SI);
    window_.setUnitSystem(target);
    window_.RunAnalysis();
}

bool UnitSwitcher::convertFields(UnitSystem target) {
    const Form1Controls& c = controls_;
    const FiveInputs<QLineEdit*> fields{c.w1Text, c.b1Text, c.AText, c.dhText, c.VapText};
    InputTexts texts;
    for (const InputRule& input : kInputs) input.of(texts) = toEngine(input.of(fields)->text());
    const SwitchedTexts switched = switchedTexts(texts, target, numberLocale());
    if (switched.notNumeric) {
        window_.rejectNonNumeric(
            kInputs[static_cast<std::size_t>(*switched.notNumeric)].of(fields));
        return false;
    }
    relabel(target);
    for (const SwitchedInput& input : kSwitchedInputs)
        input.rule.of(fields)->setText(fromEngine(input.rule.of(switched.texts)));
    return true;
}

void UnitSwitcher::relabel(UnitSystem target) {
    const Form1Controls& c = controls_;
    for (QLabel* label : c.UnitLength) label->setText(caption(target, QuantityKind::Length));
    c.UnitAngle->setText(caption(target, QuantityKind::Angle));
    c.UnitsForce->setText(caption(target, QuantityKind::Load));

    const bool imperial = target == UnitSystem::Imperial;
    c.w1Text->setToolTip(imperial ? QStringLiteral("Enter bearing length in inches.")
                                  : QStringLiteral("Enter bearing length in mm."));
    c.b1Text->setToolTip(imperial ? QStringLiteral("Enter bearing width in inches.")
                                  : QStringLiteral("Enter bearing width in mm."));
    (imperial ? c.tCombo : c.tCombo_SI)
        ->setToolTip(imperial ? QStringLiteral("Select the pad thickness in inches.")
                              : QStringLiteral("Select the pad thickness in mm."));
    c.AText->setToolTip(QStringLiteral("Enter angle in radians."));
    c.dhText->setToolTip(imperial ? QStringLiteral("Enter horizontal deformation in inches.")
                                  : QStringLiteral("Enter horizontal deformation in mm."));
    c.VapText->setToolTip(imperial ? QStringLiteral("Enter applied load in kips.")
                                   : QStringLiteral("Enter applied load in KN."));
    AccessibleNames::apply(c);  // the names carry the unit captions
}

void UnitSwitcher::swapSelector(UnitSystem target) {
    const Form1Controls& c = controls_;
    QComboBox* to = target == UnitSystem::Imperial ? c.tCombo : c.tCombo_SI;
    QComboBox* from = target == UnitSystem::Imperial ? c.tCombo_SI : c.tCombo;
    to->setCurrentIndex(from->currentIndex());  // may run the target's check already
    to->show();
    from->hide();
}

}  // namespace bpd::mainwindow
