#include "FolderBrowser.hpp"

#include <QFileDialog>
#include <QStandardPaths>

#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

FolderBrowser& InstalledBrowser() {
    static FolderBrowser browser;
    return browser;
}

std::optional<QString> PlatformBrowser(QWidget* owner) {
    // Starts at the desktop folder, as the platform's folder browser does.
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString chosen = QFileDialog::getExistingDirectory(owner, Literal(kBrowseTitle), start);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

}  // namespace

std::optional<QString> BrowseForFolder(QWidget* owner) {
    const FolderBrowser& browser = InstalledBrowser();
    return browser ? browser(owner) : PlatformBrowser(owner);
}

void SetFolderBrowser(FolderBrowser browser) {
    InstalledBrowser() = std::move(browser);
}

}  // namespace kitforge
