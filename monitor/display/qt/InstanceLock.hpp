#pragma once
// One running instance per user: a lock file in the user's runtime folder.

#include <QLockFile>
#include <QString>
#include <memory>

namespace zelvo::qt {

class InstanceLock {
  public:
    // The lock file's path: the runtime folder and "zelvomon.lock".
    static QString DefaultPath();

    // True when another live process holds the lock; otherwise this one takes it
    // and keeps it until destroyed.
    bool AnotherInstanceRunning(const QString& path = DefaultPath());

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace zelvo::qt
