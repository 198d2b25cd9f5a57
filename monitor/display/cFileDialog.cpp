// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cFileDialog.hpp"

#include "FileUtil.hpp"
#include "Strings.hpp"
#include "ZelvoError.hpp"

namespace zelvo {
namespace {

IFileChooser*& Installed() {
    static IFileChooser* chooser = nullptr;
    return chooser;
}

class NoChooser : public IFileChooser {
  public:
    std::optional<std::string> Choose(const FileRequest&) override {
        throw ZelvoError(err::InvalidCall, "No file dialog is available without a desktop");
    }
};

}  // namespace

IFileChooser& FileChooser() {
    static NoChooser none;
    return Installed() != nullptr ? *Installed() : none;
}

void SetFileChooser(IFileChooser* chooser) {
    Installed() = chooser;
}

std::vector<FilterPair> FilterPairs(const std::string& filter) {
    std::vector<FilterPair> pairs;
    if (filter.empty()) return pairs;
    const std::vector<std::string> parts = Split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

std::string FilterBuffer(const std::string& filter) {
    std::string buffer = filter;
    for (char& c : buffer) {
        if (c == '|') c = '\0';
    }
    return buffer + std::string(2, '\0');
}

std::string TrimNulls(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

FileRequest RequestFor(bool open, const std::string& title, const std::string& filter,
                       int32_t filterIndex, const std::string& defaultExt,
                       const std::string& initialDir, const std::string& fileName, int32_t flags) {
    FileRequest request;
    request.open = open;
    request.title = title;
    request.filters = FilterPairs(filter);
    request.filterIndex = filterIndex;
    request.defaultSuffix = defaultExt;
    request.startFolder = initialDir;
    request.initialName = TrimNulls(fileName);
    request.confirmOverwrite = !open && (flags & kOfnOverwritePrompt) != 0;
    request.folderMustExist = (flags & kOfnPathMustExist) != 0;
    return request;
}

bool cFileDialog::Show(bool open) {
    if (FileName.size() >= kFileBufferSize || FileTitle.size() >= kFileBufferSize) {
        throw ZelvoError(err::InvalidCall, "File name longer than the dialog's buffer");
    }
    const FileRequest request =
        RequestFor(open, DialogTitle, Filter, FilterIndex, DefaultExt, InitialDir, FileName, Flags);
    std::optional<std::string> chosen = FileChooser().Choose(request);
    if (!chosen) return false;
    FileName = TrimNulls(*chosen);
    FileTitle = GetNamePart(FileName);
    return true;
}

}  // namespace zelvo
