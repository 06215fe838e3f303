#pragma once
// The procedure registry: named procedures that screens and data events call.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "host/zmkobject.h"

namespace zmk {

class TDataSet;
class TField;
class TZMKApp;

// What the framework passes to a procedure. Ordinary procedures use only the sender; data-event
// hooks the data-source identifier and data set; the data-change hook also the field (nullptr
// when the whole record changed); form-event hooks the form, the first integer and the node.
struct TProcCall {
    TZMKObject* sender = nullptr;
    int dataSourceId = 0;
    TDataSet* dataSet = nullptr;
    TField* field = nullptr;
    TZMKObject* form = nullptr;
    int formInteger = 0;
    int nodeId = 0;
};

using TProcCallback = std::function<void(const TProcCall&)>;

class TProcedureZMK {
  public:
    explicit TProcedureZMK(TZMKApp* owner = nullptr) : owner_(owner) {}
    TZMKApp* Owner() const { return owner_; }

    // Registering a name again replaces its description and callback, keeping its position.
    void RegisterProcedure(const QString& name, const QString& description, TProcCallback callback);
    // Runs the procedure; an unknown name raises.
    void ExecuteProcedure(const QString& name, TZMKObject* sender = nullptr);
    void ExecuteProcedure(const QString& name, const TProcCall& call);
    // Runs it only when registered; returns whether it ran.
    bool ExecuteIfRegistered(const QString& name, const TProcCall& call);

    bool Exists(const QString& name) const;
    // Removes a procedure (a plug-in going away); returns whether it was registered.
    bool UnregisterProcedure(const QString& name);
    QStringList Names() const;
    QString Description(const QString& name) const;
    void Clear() { entries_.clear(); }

  private:
    struct Entry {
        QString name;
        QString description;
        TProcCallback callback;
    };
    const Entry* Find(const QString& name) const;
    TZMKApp* owner_;
    std::vector<Entry> entries_;
};

}  // namespace zmk
