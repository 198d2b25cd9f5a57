// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// kitforge: the driver-package wizard. "--batch" and "--help" run the command-line
// mode, "--lint" checks a package, "--version" names the program and its version;
// without arguments the wizard pages start, and any other argument is refused with
// the usage. "--data-dir DIR" in the wizard and the command-line mode reads the
// carried data files from DIR instead of the compiled-in ones.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BatchMode.hpp"
#include "DataFiles.hpp"
#include "LintMode.hpp"
#include "ResourceDataFiles.hpp"
#include "WizardGui.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "kitforge (Zelvo) " << ZELVO_VERSION << '\n';
        return 0;
    }

    // The check needs neither a display nor the carried data files.
    if (kitforge::IsLintInvocation(args)) return kitforge::RunLint(args);

    std::string dataDir;
    if (const auto failure = kitforge::TakeDataDirOption(args, dataDir)) {
        std::cerr << "kitforge: " << failure->Description() << '\n';
        return 2;
    }
    kitforge::ResourceDataFiles resources;
    std::unique_ptr<kitforge::FolderDataFiles> folder;
    if (dataDir.empty()) {
        kitforge::SetDataFiles(&resources);
    } else {
        folder = std::make_unique<kitforge::FolderDataFiles>(dataDir);
        kitforge::SetDataFiles(folder.get());
    }

    if (kitforge::IsBatchInvocation(args)) return kitforge::RunBatch(args);
    if (!args.empty()) return kitforge::RefuseUsage("unknown option " + args[0]);

    // Qt sees the arguments without --data-dir.
    std::vector<char*> guiArgv{argv[0]};
    for (auto& arg : args) guiArgv.push_back(arg.data());
    int guiArgc = static_cast<int>(guiArgv.size());
    guiArgv.push_back(nullptr);
    return RunWizardGui(guiArgc, guiArgv.data());
}
