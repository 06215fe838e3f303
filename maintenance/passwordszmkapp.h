#pragma once
// The users of the application as a whole, in the settings store under the application's key:
// "USERS/<name>/PWD" and "USERS/<name>/PROPS", and "USERS/NEEDUSERNAME" (login required). The
// full name is not kept: it reads back as the user name.
#include <QSettings>
#include <memory>

#include "maintenance/passwords.h"

namespace zmk {

class TZMKPasswordsZMKApp : public TCustomZMKPasswords {
  public:
    // Over the application's key (owned).
    explicit TZMKPasswordsZMKApp(std::unique_ptr<QSettings> registry);

    QStringList UserNames() override;
    // Raises "No existe el usuario" for a name that is not there.
    TUserValues GetUser(const QString& userName) override;
    void AddUser(const TUserValues& user) override;
    void ModifyUser(const TUserValues& user) override;
    // The built-in administrator stays.
    void DeleteUser(const QString& userName) override;
    QList<QPair<QString, int>> PropertyNames() const override { return {}; }
    QString Title() const override { return QStringLiteral("Aplicación"); }

  protected:
    bool ReadNeedUserName() override;
    void WriteNeedUserName(bool need) override;
    int DefaultUserProperties() const override { return 0; }

  private:
    // The subkey's name as stored (the case it was created with); empty when there is none.
    QString StoredName(const QString& userName);
    void Write(const QString& key, const TUserValues& user);
    void Sync();
    std::unique_ptr<QSettings> registry_;
};

}  // namespace zmk
