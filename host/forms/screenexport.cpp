// What a data screen gives out of its list: an Excel workbook or a CSV file, and a printed list.
#include <QFileInfo>

#include "host/currency.h"
#include "host/errors.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/listexport.h"
#include "host/forms/screen.h"
#include "host/prompt.h"
#include "host/reportprint.h"

namespace zmk {

namespace {
const QString kFiltroXlsx = QStringLiteral("Libro de Excel (*.xlsx)");
const QString kFiltroCsv = QStringLiteral("CSV para Excel (*.csv)");
}  // namespace

TExportList TZMKScreen::ExportableList() const {
    TExportList list;
    list.title = def_.caption;
    const QList<TGridColumn>& columns = model_->Columns();
    for (const TGridColumn& c : columns)
        list.columns.push_back(
            {c.title, c.format == QLatin1String("lookup") ? QString() : c.format});
    for (int r = 0; r < model_->rowCount(); ++r) {
        QVector<QVariant> row;
        for (int c = 0; c < columns.size(); ++c) {
            // Look-ups give their text; the rest keep their type (amounts, dates, numbers).
            const QVariant value = model_->data(model_->index(r, c), Qt::EditRole);
            if (columns[c].format == QLatin1String("lookup") || !value.isValid() ||
                value.isNull() || value.metaType().id() == QMetaType::QString)
                row << QVariant(model_->CellText(r, c));
            else
                row << value;
        }
        list.rows << row;
    }
    return list;
}

void TZMKScreen::ExportList() {
    if (!model_ || !Run([this] { FetchAll(); })) return;
    QString path = Prompt().SaveFileName(QStringLiteral("Exportar la lista"),
                                         def_.caption + QStringLiteral(".xlsx"),
                                         kFiltroXlsx + QStringLiteral(";;") + kFiltroCsv);
    if (path.isEmpty()) return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("csv") && suffix != QLatin1String("xlsx"))
        path += QStringLiteral(".xlsx");
    const bool csv =
        QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    try {
        const TExportList list = ExportableList();
        if (csv)
            zmk::ExportCsv(list, path);
        else
            zmk::ExportXlsx(list, path);
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
        return;
    }
    Informa(QStringLiteral("La lista \"%1\" (%2 registros) se ha guardado en:\n%3")
                .arg(def_.caption)
                .arg(model_->rowCount())
                .arg(QFileInfo(path).absoluteFilePath()));
}

void TZMKScreen::PrintList() {
    TDataSet* ds = DataSet();
    if (!ds || !DetailsCanLeave()) return;
    Run([this, ds] {
        FetchAll();
        std::vector<TListColumn> columns;
        // Look-ups print the looked-up text, as the list shows it.
        for (const TGridColumn& c : model_->Columns())
            columns.push_back(
                {c.field, c.title, c.format == QLatin1String("lookup") ? c.lookup : QString()});
        // The list is read from the first row to the last; the user's record stays current.
        const int recno = ds->RecNo();
        PrintDataSetList(def_.caption, *ds, columns, TPrintTarget::Preview);
        if (recno > 0) ds->SetRecNo(recno);
    });
}

}  // namespace zmk
