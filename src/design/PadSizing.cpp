#include "PadSizing.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <queue>
#include <stdexcept>
#include <utility>

#include "NumberFormat.h"
#include "ThicknessCatalogue.h"

namespace bpd {

namespace {

// Es at the shear check's limit as a fraction: the check needs t >= dh / 0.75.
constexpr double kShearStrainLimitFraction = kShearStrainLimitPercent / 100;

using IndexPair = std::pair<int, int>;  // (w1, b1) indices into the sizes

// The index pairs of two free dimensions in ascending order of plan area. The sizes are
// step x 1, step x 2, ..., so the area of (i, j) is (i + 1)(j + 1) step^2: integers order it
// exactly. Each group of equal area comes sorted by |w1 - b1|, then by w1.
class AreaOrder {
public:
    explicit AreaOrder(int count) : count_(count) {
        for (int i = 0; i < count; ++i) queue_.push({area(i, 0), i, 0});
    }

    bool next(std::vector<IndexPair>& group) {
        group.clear();
        if (queue_.empty()) return false;
        const std::int64_t groupArea = queue_.top().area;
        while (!queue_.empty() && queue_.top().area == groupArea) {
            const Entry e = queue_.top();
            queue_.pop();
            group.emplace_back(e.i, e.j);
            if (e.j + 1 < count_) queue_.push({area(e.i, e.j + 1), e.i, e.j + 1});
        }
        std::sort(group.begin(), group.end(), [](const IndexPair& x, const IndexPair& y) {
            const int dx = std::abs(x.first - x.second), dy = std::abs(y.first - y.second);
            return dx != dy ? dx < dy : x.first < y.first;
        });
        return true;
    }

private:
    struct Entry {
        std::int64_t area;
        int i, j;
        bool operator>(const Entry& other) const { return area > other.area; }
    };
    static std::int64_t area(int i, int j) { return std::int64_t{i + 1} * (j + 1); }

    int count_;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue_;
};

// Keeps the one row of a run of one thickness.
class RowCapture : public RowStream {
public:
    void row(const std::array<std::string_view, kResultColumns>& cells,
             const PadResult& values) override {
        ResultRow& out = row_.emplace();
        for (std::size_t c = 0; c < cells.size(); ++c) out.cells[c].assign(cells[c]);
        out.values = values;
    }
    const std::optional<ResultRow>& captured() const { return row_; }

private:
    std::optional<ResultRow> row_;
};

// The grid's row of one pad, as a run with that thickness selected writes it.
std::optional<ResultRow> gridRow(const SizingRequest& request, const PlanSize& w1,
                                 const PlanSize& b1, int position, RunFault* fault) {
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    const InputValues values{w1.value, b1.value, request.A, request.dh, request.Vap};
    RowCapture capture;
    const std::optional<RunFault> stopped = streamRows(
        request.units, values, request.sliding, position, thicknesses, NumberLocale::c(), capture);
    if (stopped) {
        if (fault) *fault = *stopped;
        return std::nullopt;
    }
    return capture.captured();
}

// The candidates one by one, with what a search that finds nothing must tell.
class PadSearch {
public:
    explicit PadSearch(const SizingRequest& request)
        : request_(request), thicknesses_(ThicknessCatalogue::thicknesses()) {}

    // True when the pad passes: it is the answer.
    bool tryPad(const PlanSize& w1, const PlanSize& b1, int position) {
        ++checked_;
        const InputValues values{w1.value, b1.value, request_.A, request_.dh, request_.Vap};
        const PadInput input = padInputOf(request_.units, values, request_.sliding);
        const PadOutcome outcome =
            checkPad(input, thicknesses_[static_cast<std::size_t>(position - 1)],
                     ThicknessCatalogue::rotationCoefficient(position));
        if (outcome.fault) {
            noteFault(w1, b1,
                      RunFault{RunFault::Kind::Arithmetic, 1,
                               std::string(ThicknessCatalogue::label(request_.units, position)),
                               outcome.fault->quantity, outcome.fault->cause});
            return false;
        }
        const PadResult& r = outcome.result;
        anyChecked_ = true;
        if (r.shearPasses && (!largest_ || r.Var > largestVar_)) {
            largest_ = Candidate{w1, b1, position};
            largestVar_ = r.Var;
        }
        if (!r.passes()) return false;
        // The answer is the grid's own row, written by the run the window makes.
        RunFault fault;
        std::optional<ResultRow> row = gridRow(request_, w1, b1, position, &fault);
        if (!row || !row->values.passes()) {
            passedButNotShown_ = true;
            noteFault(w1, b1, fault);
            return false;
        }
        found_ = SizedPad{w1, b1, position, std::move(*row), {}};
        found_->explanation = explainRow(found_->row.values, input.Vap);
        return true;
    }

    SizingResult result(int thickestPosition) {
        SizingResult out;
        out.padsChecked = checked_;
        if (found_) {
            out.pad = std::move(found_);
            return out;
        }
        NoPassingPad& why = out.noPass;
        why.units = request_.units;
        why.oneThickness = request_.selection != ThicknessCatalogue::allPosition;
        why.thickestPosition = thickestPosition;
        if (!passedButNotShown_ && anyChecked_ && !largest_) {
            why.cause = NoPassingPad::Cause::Shear;
            why.neededThickness = shearThicknessNeeded(request_.units, request_.dh);
            return out;
        }
        if (!passedButNotShown_ && largest_) {
            RunFault fault;
            const std::optional<ResultRow> row =
                gridRow(request_, largest_->w1, largest_->b1, largest_->position, &fault);
            if (row) {
                why.cause = NoPassingPad::Cause::Load;
                why.Vap = formatShortest(request_.Vap);
                why.largestVar = row->cells[6];
                why.largestW1 = largest_->w1;
                why.largestB1 = largest_->b1;
                why.largestPosition = largest_->position;
                return out;
            }
            noteFault(largest_->w1, largest_->b1, fault);
        }
        why.cause = NoPassingPad::Cause::Fault;
        why.fault = firstFault_;
        why.faultW1 = faultW1_;
        why.faultB1 = faultB1_;
        return out;
    }

private:
    struct Candidate {
        PlanSize w1, b1;
        int position = 0;
    };

    void noteFault(const PlanSize& w1, const PlanSize& b1, const RunFault& fault) {
        if (haveFault_) return;
        haveFault_ = true;
        firstFault_ = fault;
        faultW1_ = w1;
        faultB1_ = b1;
    }

    const SizingRequest& request_;
    const std::array<double, ThicknessCatalogue::count> thicknesses_;
    std::int64_t checked_ = 0;
    std::optional<SizedPad> found_;
    bool anyChecked_ = false;           // a pad ran the chain without a fault
    bool passedButNotShown_ = false;    // a pad passed the chain but its row stopped on a fault
    std::optional<Candidate> largest_;  // the largest Var among the shear-passing pads
    double largestVar_ = 0;
    bool haveFault_ = false;
    RunFault firstFault_;
    PlanSize faultW1_, faultB1_;
};

}  // namespace

SizingResult sizePad(const SizingRequest& request) {
    if (request.w1 && request.b1) throw std::invalid_argument("both dimensions fixed");
    if (request.sizes.empty()) throw std::invalid_argument("no plan sizes to try");
    if (request.sizes.size() > kMaxPlanSizes) throw std::invalid_argument("too many plan sizes");
    if (request.selection < 0 || request.selection > ThicknessCatalogue::count) {
        throw std::invalid_argument("thickness selection outside 0..7");
    }
    std::vector<int> positions;
    for (int p = 1; p <= ThicknessCatalogue::count; ++p) {
        if (request.selection == ThicknessCatalogue::allPosition || request.selection == p) {
            positions.push_back(p);
        }
    }

    PadSearch search(request);
    const std::vector<PlanSize>& sizes = request.sizes;
    if (request.w1 || request.b1) {
        // One dimension fixed: the area grows with the other, thinnest pad first.
        for (const PlanSize& size : sizes) {
            const PlanSize& w1 = request.w1 ? *request.w1 : size;
            const PlanSize& b1 = request.b1 ? *request.b1 : size;
            for (const int position : positions) {
                if (search.tryPad(w1, b1, position)) return search.result(positions.back());
            }
        }
        return search.result(positions.back());
    }
    AreaOrder order(static_cast<int>(sizes.size()));
    std::vector<IndexPair> group;
    while (order.next(group)) {
        for (const int position : positions) {
            for (const auto& [i, j] : group) {
                if (search.tryPad(sizes[static_cast<std::size_t>(i)],
                                  sizes[static_cast<std::size_t>(j)], position)) {
                    return search.result(positions.back());
                }
            }
        }
    }
    return search.result(positions.back());
}

double shearThicknessNeeded(UnitSystem units, double dh) {
    const double dhInches = padInputOf(units, InputValues{1, 1, 0, dh, 0}, false).dh;
    const double needed = dhInches / kShearStrainLimitFraction;
    return units == UnitSystem::SI ? needed / IN_PER_MM : needed;
}

std::string planSizeText(const PlanSize& w1, const PlanSize& b1, UnitSystem units) {
    return w1.text + " x " + b1.text + " " + std::string(unitCaption(units, QuantityKind::Length));
}

std::string thicknessText(int position, UnitSystem units) {
    return std::string(ThicknessCatalogue::label(units, position)) + " " +
           std::string(unitCaption(units, QuantityKind::Length));
}

std::string describeNoPass(const NoPassingPad& reason) {
    const UnitSystem units = reason.units;
    const std::string thickest = thicknessText(reason.thickestPosition, units);
    switch (reason.cause) {
        case NoPassingPad::Cause::Shear:
            return "the shear check needs t >= dh / " + formatShortest(kShearStrainLimitFraction) +
                   " = " + formatResult(reason.neededThickness, 4, 4, NumberLocale::c()) + " " +
                   std::string(unitCaption(units, QuantityKind::Length)) +
                   (reason.oneThickness ? ", beyond the chosen pad (" + thickest + ")"
                                        : ", beyond the thickest catalogue pad (" + thickest + ")");
        case NoPassingPad::Cause::Load:
            return "the load Vap = " + reason.Vap + " " +
                   std::string(unitCaption(units, QuantityKind::Load)) +
                   " exceeds what the pads that pass the shear check carry at this rotation: at "
                   "most Var = " +
                   reason.largestVar + " " + std::string(unitCaption(units, QuantityKind::Load)) +
                   " (" + planSizeText(reason.largestW1, reason.largestB1, units) +
                   ", t = " + thicknessText(reason.largestPosition, units) + ")";
        case NoPassingPad::Cause::Fault:
            return "the check stops with an arithmetic fault (first at " +
                   planSizeText(reason.faultW1, reason.faultB1, units) +
                   ", t = " + reason.fault.thickness + " " +
                   std::string(unitCaption(units, QuantityKind::Length)) + ": " +
                   reason.fault.quantity + ": " + std::string(causeText(reason.fault.cause)) + ")";
    }
    return {};
}

}  // namespace bpd
