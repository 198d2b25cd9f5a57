// kitforge: the driver-package wizard. "--batch" and "--help" run the command-line
// mode, "--version" names the program and its version; any other invocation starts
// the wizard pages. "--data-dir DIR" in either mode reads the carried data files
// from DIR instead of the compiled-in ones.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BatchMode.hpp"
#include "DataFiles.hpp"
#include "ResourceDataFiles.hpp"
#include "WizardGui.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "kitforge (Zelvo) " << ZELVO_VERSION << '\n';
        return 0;
    }

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

    // Qt sees the arguments without --data-dir.
    std::vector<char*> guiArgv{argv[0]};
    for (auto& arg : args) guiArgv.push_back(arg.data());
    int guiArgc = static_cast<int>(guiArgv.size());
    guiArgv.push_back(nullptr);
    return RunWizardGui(guiArgc, guiArgv.data());
}
