#include "maintenance/passwordszmkapp.h"

#include "host/errors.h"
#include "maintenance/passwordhash.h"

namespace zmk {

namespace {
const QString kUsers = QStringLiteral("USERS/");
}

TZMKPasswordsZMKApp::TZMKPasswordsZMKApp(std::unique_ptr<QSettings> registry)
    : registry_(std::move(registry)) {}

void TZMKPasswordsZMKApp::Sync() {
    registry_->sync();
    if (registry_->status() != QSettings::NoError)
        throw EZMKError(QStringLiteral("No se pueden guardar los usuarios de la aplicación en ") +
                        registry_->fileName());
}

bool TZMKPasswordsZMKApp::ReadNeedUserName() {
    return registry_->value(kUsers + QStringLiteral("NEEDUSERNAME"), false).toBool();
}

void TZMKPasswordsZMKApp::WriteNeedUserName(bool need) {
    registry_->setValue(kUsers + QStringLiteral("NEEDUSERNAME"), need);
    Sync();
}

QStringList TZMKPasswordsZMKApp::UserNames() {
    registry_->beginGroup(QStringLiteral("USERS"));
    const QStringList names = registry_->childGroups();
    registry_->endGroup();
    return names;
}

QString TZMKPasswordsZMKApp::StoredName(const QString& userName) {
    if (userName.isEmpty()) return QString();
    for (const QString& name : UserNames())
        if (name.compare(userName, Qt::CaseInsensitive) == 0) return name;
    return QString();
}

TUserValues TZMKPasswordsZMKApp::GetUser(const QString& userName) {
    const QString name = StoredName(userName);
    if (name.isEmpty())
        throw EZMKError(QStringLiteral("No existe el usuario \"") + userName + u'"');
    TUserValues user;
    user.userName = name;
    user.fullName = name;
    user.password = registry_->value(kUsers + name + QStringLiteral("/PWD")).toString();
    user.properties = registry_->value(kUsers + name + QStringLiteral("/PROPS"), 0).toInt();
    return user;
}

void TZMKPasswordsZMKApp::Write(const QString& key, const TUserValues& user) {
    registry_->setValue(kUsers + key + QStringLiteral("/PWD"), StoredPassword(user.password));
    registry_->setValue(kUsers + key + QStringLiteral("/PROPS"), user.properties);
    // The older typed passwords of the other users go too.
    for (const QString& other : UserNames()) {
        const QString pwd = kUsers + other + QStringLiteral("/PWD");
        const QString stored = registry_->value(pwd).toString();
        if (!IsPasswordHash(stored)) registry_->setValue(pwd, HashPassword(stored));
    }
    Sync();
}

void TZMKPasswordsZMKApp::AddUser(const TUserValues& user) {
    if (!StoredName(user.userName).isEmpty())
        throw EZMKError(QStringLiteral("Ya existe el usuario \"") + user.userName + u'"');
    Write(user.userName, user);
}

void TZMKPasswordsZMKApp::ModifyUser(const TUserValues& user) {
    const QString name = StoredName(user.userName);
    if (name.isEmpty()) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    Write(name, user);
}

void TZMKPasswordsZMKApp::DeleteUser(const QString& userName) {
    // Gone, it would come back at the next start with the well-known default password.
    if (IsDefaultUser(userName))
        throw EZMKError(QStringLiteral("No se puede borrar el usuario \"") + userName + u'"');
    const QString name = StoredName(userName);
    if (name.isEmpty()) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    registry_->remove(kUsers + name);
    Sync();
}

}  // namespace zmk
