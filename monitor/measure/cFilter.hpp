// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving average over the last N values pushed (the rate filter of one channel).

#include <cstdint>
#include <optional>
#include <vector>

namespace zelvo {

class cFilter {
  public:
    cFilter();

    int32_t Size() const { return size_; }
    // Changes N; n < 1 changes nothing. Growing pads the new slots with the
    // previous average so that the average does not jump.
    void Size(int32_t n);

    void Push(double value);
    // 0 before the first push; the mean of the values pushed while fewer than N.
    double Average() const;
    // The most recently pushed value when index lies within 0..N, else nothing.
    std::optional<double> Last(int32_t index) const;
    void Clear();
    void Fill(double value);

  private:
    std::vector<double> buffer_;  // indices 0..N, 1..N used
    int32_t size_ = 1;
    int32_t position_ = 0;
    bool full_ = false;
    double sum_ = 0;
};

}  // namespace zelvo
