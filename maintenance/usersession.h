#pragma once
// The login of the open company database: who is logged in, with what rights, and how a login
// is asked (the password dialog in the program, --user/--password in escolia-cli).
#include <functional>

#include "maintenance/passwordsdatabase.h"

namespace zmk {

class TDataBaseZMK;
struct TEmpresasHooks;

// Asks for a login on store; true when a user logged in. May raise its own refusal.
using TLoginFn = std::function<bool(TCustomZMKPasswords& store)>;
void SetLoginHandler(TLoginFn login);

// Logs in on db when it keeps users (raising 1506 when refused) and installs the user's rights;
// returns whether the user may only read. A database without users leaves every right.
bool IniciaSesionBaseDatos(TDataBaseZMK& db);
// Whether the user may manage db: always when it keeps no users, otherwise after a login as an
// administrator.
bool EsGestorBaseDatos(TDataBaseZMK& db);
// Wires both into the company list's hooks.
void InstallUserHooks(TEmpresasHooks& hooks);

// Whether a login is in force, and its user.
bool LoginBaseDatosActivo();
const TUserValues& UsuarioBaseDatos();
// Whether the users and rights of the open database may be managed: no login in force, or an
// administrator logged in.
bool PuedeGestionarUsuarios();
// Forgets the login and gives every right back.
void CierraSesionBaseDatos();

// The application's login at start-up (an empty user: none was asked). Its users are managed
// by anyone while it asks for none, and otherwise by the built-in administrator only, since the
// application's users have no properties.
void FijaUsuarioAplicacion(const TUserValues& user);
bool LoginAplicacionActivo();
const TUserValues& UsuarioAplicacion();
bool PuedeGestionarUsuariosAplicacion();

// A login for escolia-cli: the credentials given, refused in the login's own words.
TLoginFn LoginConCredenciales(const QString& userName, const QString& password);

}  // namespace zmk
