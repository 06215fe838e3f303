#pragma once
// Access keys for menus whose captions come without one (the application tree's captions are
// plain text), so that every menu entry can be reached with Alt and a letter.
#include <QStringList>

class QMenuBar;
class QMenu;

namespace zmk {

// The captions with an "&" added before the first letter that no sibling uses yet (nor any of
// the letters already taken elsewhere in the window); captions that already have an access key
// keep it, and claim it first.
QStringList ConTeclasDeAcceso(const QStringList& captions, const QString& ocupadas = QString());
// The access keys of the menu bar's titles, in lower case.
QString TeclasDeAccesoDe(const QMenuBar& bar);

// Applies ConTeclasDeAcceso to the menu bar's titles; to a menu's entries and, recursively, to
// those of its submenus.
void AsignaTeclasDeAcceso(QMenuBar& bar);
void AsignaTeclasDeAcceso(QMenu& menu);

}  // namespace zmk
