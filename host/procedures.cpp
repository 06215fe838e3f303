#include "host/procedures.h"

#include "host/errors.h"

namespace zmk {

const TProcedureZMK::Entry* TProcedureZMK::Find(const QString& name) const {
    for (const Entry& e : entries_)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
}

void TProcedureZMK::RegisterProcedure(const QString& name, const QString& description,
                                      TProcCallback callback) {
    for (Entry& e : entries_) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            e.description = description;
            e.callback = std::move(callback);
            return;
        }
    }
    entries_.push_back(Entry{name, description, std::move(callback)});
}

void TProcedureZMK::ExecuteProcedure(const QString& name, TZMKObject* sender) {
    TProcCall call;
    call.sender = sender;
    ExecuteProcedure(name, call);
}

void TProcedureZMK::ExecuteProcedure(const QString& name, const TProcCall& call) {
    if (!ExecuteIfRegistered(name, call))
        throw EZMKError(QStringLiteral("No existe el procedimiento \"%1\"").arg(name));
}

bool TProcedureZMK::ExecuteIfRegistered(const QString& name, const TProcCall& call) {
    const Entry* e = Find(name);
    if (!e) return false;
    // A copy, so that a procedure may register others while it runs.
    TProcCallback callback = e->callback;
    if (callback) callback(call);
    return true;
}

bool TProcedureZMK::Exists(const QString& name) const {
    return Find(name) != nullptr;
}

bool TProcedureZMK::UnregisterProcedure(const QString& name) {
    const Entry* entry = Find(name);
    if (!entry) return false;
    entries_.erase(entries_.begin() + (entry - entries_.data()));
    return true;
}

QStringList TProcedureZMK::Names() const {
    QStringList names;
    for (const Entry& e : entries_) names << e.name;
    return names;
}

QString TProcedureZMK::Description(const QString& name) const {
    const Entry* e = Find(name);
    return e ? e->description : QString();
}

}  // namespace zmk
