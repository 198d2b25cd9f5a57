// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderBrowser.hpp"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

FolderBrowser& InstalledBrowser() {
    static FolderBrowser browser;
    return browser;
}

// The folder tree of this computer with one folder selected. The dialog keeps
// nothing between runs: kitforge has no configuration, and the toolkit's own file
// dialog records its history in the user's settings.
class FolderDialog : public QDialog {
  public:
    FolderDialog(QWidget* owner, const QString& start) : QDialog(owner) {
        setWindowTitle(Literal(kBrowseTitle));
        m_model.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
        m_model.setRootPath(QDir::rootPath());
        m_view = new QTreeView;
        m_view->setObjectName("treeFolders");
        m_view->setModel(&m_model);
        m_view->setHeaderHidden(true);
        for (int column = 1; column < m_model.columnCount(); ++column) m_view->hideColumn(column);
        m_view->setRootIndex(m_model.index(QDir::rootPath()));
        const QModelIndex current = m_model.index(start);
        m_view->setCurrentIndex(current);
        // The tree fills in as the folders along the way are read; keep the start
        // folder in view meanwhile.
        connect(&m_model, &QFileSystemModel::directoryLoaded, this,
                [this, start](const QString& path) {
                    if (start.startsWith(path)) ShowCurrent();
                });

        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
        ok->setEnabled(current.isValid());
        connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, ok,
                [ok](const QModelIndex& index) { ok->setEnabled(index.isValid()); });
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_view);
        layout->addWidget(buttons);
        resize(420, 460);
    }

    QString Chosen() const { return m_model.filePath(m_view->currentIndex()); }

  protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        ShowCurrent();
    }

  private:
    void ShowCurrent() {
        m_view->scrollTo(m_view->currentIndex(), QAbstractItemView::PositionAtCenter);
    }

    QFileSystemModel m_model;
    QTreeView* m_view = nullptr;
};

// The desktop folder, as the platform's folder browser starts there; the home
// folder where there is no desktop folder.
QString StartFolder() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return !desktop.isEmpty() && QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

std::optional<QString> PlatformBrowser(QWidget* owner) {
    FolderDialog dialog(owner, StartFolder());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QString chosen = dialog.Chosen();
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
