// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file dialog for tests: installed for its lifetime, it answers each request
// from a script (nothing = cancel) and keeps the requests it was given.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "cFileDialog.hpp"

namespace zelvo::testing {

class ScriptedChooser : public IFileChooser {
  public:
    ScriptedChooser() { SetFileChooser(this); }
    ~ScriptedChooser() override { SetFileChooser(nullptr); }
    std::optional<std::string> Choose(const FileRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<FileRequest> requests;
};

}  // namespace zelvo::testing
