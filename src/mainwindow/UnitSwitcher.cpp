#include "UnitSwitcher.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <optional>

#include "AccessibleNames.h"
#include "EngineText.h"

namespace bpd::mainwindow {

namespace {
struct Conversion {
    QLineEdit* field;
    QuantityKind kind;
    int decimals;
};

double convert(double value, QuantityKind kind, UnitSystem target) {
    if (kind == QuantityKind::Load)
        return target == UnitSystem::Imperial ? knToKips(value) : kipsToKn(value);
    return target == UnitSystem::Imperial ? mmToInches(value) : inchesToMm(value);
}

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
    window_.runDesignCheck(target);
}

bool UnitSwitcher::convertFields(UnitSystem target) {
    const Form1Controls& c = controls_;
    const std::array<Conversion, 4> conversions = {{
        {c.b1Text, QuantityKind::Length, 4},
        {c.w1Text, QuantityKind::Length, 4},
        {c.dhText, QuantityKind::Length, 6},
        {c.VapText, QuantityKind::Load, 4},
    }};
    // Read all four first, so that a text that does not convert changes nothing at all.
    std::array<double, 4> values{};
    for (std::size_t i = 0; i < conversions.size(); ++i) {
        const std::optional<double> value = readNumber(conversions[i].field->text());
        if (!value) {
            window_.rejectNonNumeric(conversions[i].field);
            return false;
        }
        values[i] = *value;
    }
    relabel(target);
    const NumberLocale locale = numberLocale();
    for (std::size_t i = 0; i < conversions.size(); ++i) {
        const Conversion& conv = conversions[i];
        conv.field->setText(fromEngine(
            formatConverted(convert(values[i], conv.kind, target), conv.decimals, locale)));
    }
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
