#pragma once
// Per-table rights of the logged-in user: whether the records of a table may be seen, added,
// modified and deleted. The users module installs its own provider; until then everything is
// allowed. A database opened for reading only refuses every change, whatever the provider says.
#include <QString>
#include <memory>

namespace zmk {

enum class TTableRight { View, Add, Modify, Delete };

class TRightsProvider {
  public:
    virtual ~TRightsProvider() = default;
    // The default allows every right on every table.
    virtual bool Allows(const QString& table, TTableRight right) const;
};

// Installs a provider (nullptr: the default) and returns the one it replaces.
std::unique_ptr<TRightsProvider> SetRightsProvider(std::unique_ptr<TRightsProvider> provider);

// Whether the right is granted on table: the provider's word, and no change at all while the
// program's database is open for reading only.
bool TableAllows(const QString& table, TTableRight right);
// The text that refuses the right, naming the table as the user knows it (caption); empty
// when the right is granted.
QString TableRefusal(const QString& table, const QString& caption, TTableRight right);
// Raises the refusal (EZMKError) when the right is not granted.
void RequireTableRight(const QString& table, const QString& caption, TTableRight right);

}  // namespace zmk
