// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The carried data files compiled into the program (Qt resources ":/DATAFILE/<n>").

#include "DataFiles.hpp"

namespace kitforge {

class ResourceDataFiles : public IDataFiles {
  public:
    // Registers the resources of the static library (once per process).
    ResourceDataFiles();
    std::optional<zelvo::ZelvoError> Read(int number, std::string& bytes) override;
};

}  // namespace kitforge
