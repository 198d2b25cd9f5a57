#include "InstanceLock.hpp"

#include <QDir>
#include <QStandardPaths>

namespace zelvo::qt {

QString InstanceLock::DefaultPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath("zelvomon.lock");
}

bool InstanceLock::AnotherInstanceRunning(const QString& path) {
    lock_ = std::make_unique<QLockFile>(path);
    // A lock left by a process that died is taken over at once.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return false;
    if (lock_->error() == QLockFile::LockFailedError) {
        lock_.reset();
        return true;
    }
    // Without a usable runtime folder nothing can be refused; say so and go on.
    qWarning("zelvomon: lock file %s cannot be written; a second instance is not refused",
             qPrintable(path));
    lock_.reset();
    return false;
}

}  // namespace zelvo::qt
