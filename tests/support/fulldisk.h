#pragma once
// A small memory file system mounted on a folder stands for a full disk; mounting it needs root,
// so a test without it skips.
#include <QDir>
#include <QProcess>
#include <QString>

namespace zmk::test {

class FullDisk {
  public:
    explicit FullDisk(const QString& folder) : folder_(folder) {
        QDir().mkpath(folder);
        mounted_ = QProcess::execute(QStringLiteral("mount"),
                                     {"-t", "tmpfs", "-o", "size=32k", "tmpfs", folder}) == 0;
    }
    ~FullDisk() {
        if (mounted_) QProcess::execute(QStringLiteral("umount"), {folder_});
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool Mounted() const { return mounted_; }

  private:
    QString folder_;
    bool mounted_ = false;
};

}  // namespace zmk::test
