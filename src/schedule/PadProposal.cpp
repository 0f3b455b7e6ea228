#include "PadProposal.h"

#include "BearingInputs.h"
#include "PadSizing.h"
#include "RowExplanation.h"
#include "ThicknessCatalogue.h"

namespace bpd::schedule {

namespace {

QString fromEngine(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "All", or the label with its unit as the new pad's thickness shows it.
QString oldThickness(UnitSystem units, const designfile::DesignBearing& bearing) {
    const int position = designfile::thicknessPosition(units, bearing);
    return position > 0 ? fromEngine(thicknessText(position, units))
                        : fromEngine(bearing.thickness);
}

}  // namespace

PadProposer::PadProposer(UnitSystem units, bool keepWidth) : units_(units), keepWidth_(keepWidth) {
    std::string error;
    sizes_ = planSizes(defaultSizingStep(units), defaultSizingMaximum(units), error).value();
}

PadProposal PadProposer::propose(const designfile::DesignBearing& bearing, int row) const {
    PadProposal proposal;
    proposal.row = row;
    proposal.mark =
        bearing.mark ? fromEngine(*bearing.mark) : QStringLiteral("bearing %1").arg(row + 1);
    const auto& v = bearing.values;
    proposal.oldPad =
        (v.w1 && v.b1 ? fromEngine(planSizeText(planSizeOf(*v.w1), planSizeOf(*v.b1), units_))
                      : QStringLiteral("?")) +
        QStringLiteral(", t = ") + oldThickness(units_, bearing);

    const auto problem =
        designfile::bearingProblem(units_, bearing, static_cast<std::size_t>(row) + 1);
    if (problem) {
        proposal.reason = QStringLiteral("cannot be checked: ") + fromEngine(problem->field) +
                          QStringLiteral(": ") + fromEngine(problem->reason);
        return proposal;
    }
    const SizingResult result =
        sizePad(designfile::sizingRequest(units_, bearing, sizes_, keepWidth_));
    if (!result.pad) {
        proposal.reason =
            QStringLiteral("no pad passes: ") + fromEngine(describeNoPass(result.noPass));
        return proposal;
    }
    const SizedPad& pad = *result.pad;
    const RowExplanation& explained = pad.explanation;
    proposal.found = true;
    proposal.newPad = fromEngine(planSizeText(pad.w1, pad.b1, units_) +
                                 ", t = " + thicknessText(pad.position, units_));
    proposal.governs = fromEngine(checkName(explained.governing));
    proposal.utilisation =
        fromEngine(formatUtilisation(explained.governing == DesignCheck::Compression
                                         ? explained.compression
                                         : explained.shear)) +
        QStringLiteral(" %");
    proposal.after = bearing;
    proposal.after.values.w1 = pad.w1.value;
    proposal.after.values.b1 = pad.b1.value;
    proposal.after.thickness = std::string(ThicknessCatalogue::label(units_, pad.position));
    proposal.afterLine = checkLine(units_, proposal.after, static_cast<std::size_t>(row) + 1);
    return proposal;
}

}  // namespace bpd::schedule
