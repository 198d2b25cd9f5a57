// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartData.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace zelvo {

ChartData::ChartData(int slots) {
    if (slots < 1) throw ZelvoError(err::InvalidCall, "A chart needs at least one point slot");
    x_.assign(static_cast<size_t>(slots), kEmptySlot);
    for (auto& series : y_) series.assign(static_cast<size_t>(slots), kEmptySlot);
}

size_t ChartData::Slot(int point) const {
    if (point < 1 || point > Slots()) {
        throw ZelvoError(err::SubscriptOutOfRange, "No point slot " + std::to_string(point));
    }
    return static_cast<size_t>(point - 1);
}

void ChartData::SetShown(int count) {
    if (count < 0 || count > Slots()) {
        throw ZelvoError(err::SubscriptOutOfRange,
                         "Cannot show " + std::to_string(count) + " points");
    }
    if (count < shown_) ++revision_;
    shown_ = count;
}

double ChartData::X(int point) const {
    return x_[Slot(point)];
}

void ChartData::SetX(int point, double value) {
    x_[Slot(point)] = value;
    Changing(point);
}

double ChartData::Y(int series, int point) const {
    return y_.at(static_cast<size_t>(series - 1))[Slot(point)];
}

void ChartData::SetY(int series, int point, double value) {
    y_.at(static_cast<size_t>(series - 1))[Slot(point)] = value;
    Changing(point);
}

void ChartData::Fill(double value) {
    std::fill(x_.begin(), x_.end(), value);
    for (auto& series : y_) std::fill(series.begin(), series.end(), value);
    ++revision_;
}

void ChartData::MovePoints(int count, int destination, int source) {
    if (count <= 0) return;
    // Both blocks lie inside the slots (Slot throws otherwise).
    const size_t from = Slot(source);
    const size_t fromEnd = Slot(source + count - 1) + 1;
    const size_t to = Slot(destination);
    const size_t toEnd = Slot(destination + count - 1) + 1;
    auto move = [&](std::vector<double>& v) {
        const auto at = [&](size_t i) { return v.begin() + static_cast<std::ptrdiff_t>(i); };
        if (to <= from) {
            std::copy(at(from), at(fromEnd), at(to));
        } else {
            std::copy_backward(at(from), at(fromEnd), at(toEnd));
        }
    };
    move(x_);
    for (auto& series : y_) move(series);
    ++revision_;
}

std::optional<AxisRange> ShownXRange(const ChartData& chart) {
    if (chart.xAxis.max - chart.xAxis.min != 0) return chart.xAxis;
    if (chart.Shown() == 0) return std::nullopt;
    AxisRange range{chart.X(1), chart.X(1)};
    for (int p = 2; p <= chart.Shown(); ++p) {
        range.min = std::min(range.min, chart.X(p));
        range.max = std::max(range.max, chart.X(p));
    }
    return range;
}

DrawnAxis DrawnYAxis(const ChartData& chart) {
    const AxisRange y = chart.yAxis;
    if (y.min != y.max) return {y, chart.yStep};
    const double half = std::max(1.0, std::fabs(y.min) * 0.01);
    return {{y.min - half, y.max + half}, 2 * half * 0.2};
}

}  // namespace zelvo
