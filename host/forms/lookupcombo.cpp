#include "host/forms/lookupcombo.h"

#include <QSqlQuery>

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/formhooks.h"
#include "host/sqlliteral.h"

namespace zmk {

TLookupCombo::TLookupCombo(const QString& lookup, const QString& filter, QWidget* parent)
    : QComboBox(parent), filter_(filter) {
    QStringList parts = lookup.split(QLatin1Char(':'));
    if (parts.size() == 3 || parts.size() == 4) {
        table_ = parts[0];
        key_ = parts[1];
        text_ = parts[2];
        order_ = parts.value(3, text_);
    }
    addItem(QString(), QVariant());
}

QString TLookupCombo::Where() const {
    if (filter_.isEmpty()) return QString();
    QString f = filter_;
    f.replace(QStringLiteral(":PRMIDCentroActual"), SqlLiteral(CurrentCentre()));
    return QStringLiteral(" WHERE ") + f;
}

void TLookupCombo::Load() {
    if (loaded_ || table_.isEmpty() || !ZMKApp().GetDefaultDB()) return;
    loaded_ = true;
    QVariant current = currentData();
    QSignalBlocker block(this);
    clear();
    addItem(QString(), QVariant());
    try {
        QSqlQuery q = DefaultDB().Query(QStringLiteral("SELECT %1, %2 FROM %3%4 ORDER BY %5")
                                            .arg(key_, text_, table_, Where(), order_));
        while (q.next()) addItem(q.value(1).toString(), q.value(0));
    } catch (const EZMKError&) {
        // An unreadable list leaves the box empty; the field keeps its value.
    }
    SetKey(current);
}

void TLookupCombo::SetKey(const QVariant& key) {
    QSignalBlocker block(this);
    if (!key.isValid() || key.isNull()) {
        setCurrentIndex(0);
        return;
    }
    for (int i = 1; i < count(); ++i)
        if (itemData(i).toString() == key.toString()) {
            setCurrentIndex(i);
            return;
        }
    if (loaded_ || table_.isEmpty()) {
        // A key the list does not hold (another centre's row): shown as it is.
        addItem(key.toString(), key);
        setCurrentIndex(count() - 1);
        return;
    }
    // Before the list is read, only the current key's text.
    while (count() > 1) removeItem(1);
    QString text = key.toString();
    try {
        QSqlQuery q = DefaultDB().Query(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4")
                                            .arg(text_, table_, key_, SqlLiteral(key)));
        if (q.next()) text = q.value(0).toString();
    } catch (const EZMKError&) {
    }
    addItem(text, key);
    setCurrentIndex(1);
}

void TLookupCombo::showPopup() {
    Load();
    QComboBox::showPopup();
}

void TLookupCombo::focusInEvent(QFocusEvent* event) {
    Load();
    QComboBox::focusInEvent(event);
}

}  // namespace zmk
