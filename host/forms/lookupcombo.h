#pragma once
// A lookup box: shows the text of another table's row for the key the field holds. The list is
// read when the box is first used, so a form over a large table opens at once.
#include <QComboBox>

namespace zmk {

class TLookupCombo : public QComboBox {
  public:
    // lookup: "TABLE:KEY:TEXT[:ORDER]"; TABLE may be a join and TEXT an expression over it (an
    // enrolment shows its number, student and group), ORDER the list's order (default TEXT).
    // filter: a condition on that table (":PRMIDCentroActual" allowed).
    TLookupCombo(const QString& lookup, const QString& filter, QWidget* parent = nullptr);

    // Shows the key's text (empty for Null).
    void SetKey(const QVariant& key);
    QVariant Key() const { return currentData(); }
    // Reads the whole list (once).
    void Load();
    bool Loaded() const { return loaded_; }

    void showPopup() override;

  protected:
    void focusInEvent(QFocusEvent* event) override;

  private:
    QString Where() const;
    QString table_, key_, text_, order_, filter_;
    bool loaded_ = false;
};

}  // namespace zmk
