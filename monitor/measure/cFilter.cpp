// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cFilter.hpp"

namespace zelvo {

cFilter::cFilter() : buffer_(2, 0.0) {}

void cFilter::Push(double value) {
    position_ = (position_ % size_) + 1;
    double& slot = buffer_[static_cast<size_t>(position_)];
    sum_ = sum_ - slot + value;
    slot = value;
    if (position_ == size_) full_ = true;
}

double cFilter::Average() const {
    if (position_ < 1) return 0;
    if (full_) return sum_ / size_;
    return sum_ / position_;
}

std::optional<double> cFilter::Last(int32_t index) const {
    if (index < 0 || index > size_) return std::nullopt;
    return buffer_[static_cast<size_t>(position_)];
}

void cFilter::Clear() {
    buffer_.assign(static_cast<size_t>(size_) + 1, 0.0);
    sum_ = 0;
    position_ = 0;
    full_ = false;
}

void cFilter::Fill(double value) {
    buffer_.assign(static_cast<size_t>(size_) + 1, value);
    buffer_[0] = 0;
    full_ = true;
    position_ = 1;
    sum_ = size_ * value;
}

void cFilter::Size(int32_t n) {
    if (n < 1) return;
    double average = Average();
    int32_t old = size_;
    size_ = n;
    buffer_.resize(static_cast<size_t>(n) + 1, 0.0);
    if (position_ < n) {
        // Only a full window pads its new slots; a window still filling keeps them
        // empty, since its average counts just the values pushed so far. The slot
        // of index `old` keeps its pushed value.
        if (full_) {
            for (int32_t i = old + 1; i <= n; ++i) buffer_[static_cast<size_t>(i)] = average;
        }
    } else {
        position_ = n;
        full_ = true;
    }
    sum_ = 0;
    for (int32_t i = 1; i <= n; ++i) sum_ += buffer_[static_cast<size_t>(i)];
}

}  // namespace zelvo
