#pragma once
// TZMKUpdateExe: the update check as the program runs it: with the user's questions, the
// periodic check at start-up and the start of the separate updater, after which the program
// closes.
#include "maintenance/update.h"

namespace zmk {

class TZMKUpdateExe : public TZMKUpdate {
  public:
    explicit TZMKUpdateExe(TUpdateInstallation installation);

    // Check with the user: optionally asking first, optionally before updating, telling that
    // the version is up to date when asked. Returns whether the updater was started (and the
    // program asked to close).
    bool RunCheck(bool askFirst, bool alert, const QString& queryType, bool upToDateMessage);
    // At start-up: every "ZMKUpdate_Dias" days since the last contact; the first time, asking.
    // Errors are shown and do not stop the program. Returns whether it checked.
    bool PeriodicCheck();

    // The updater program; raises "error_no_ZMKUpdate" when there is none.
    QString FindUpdater() const;
    // How the updater is started (detached by default) and how the program is closed.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;
    std::function<void()> closeApplication;
};

// The texts of the update dialog and messages, by key, with their Spanish defaults.
QString UpdateText(const QString& key);

}  // namespace zmk
