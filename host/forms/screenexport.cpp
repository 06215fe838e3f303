// What a data screen gives out of its list: a CSV file and a printed list.
#include <QTextStream>

#include "host/atomicfile.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "host/prompt.h"
#include "host/reportprint.h"

namespace zmk {

void TZMKScreen::ExportCsv() {
    if (!model_ || !Run([this] { FetchAll(); })) return;
    QString path =
        Prompt().SaveFileName(QStringLiteral("Exportar la lista"),
                              def_.caption + QStringLiteral(".csv"), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    Run([&] {
        WriteFileAtomically(path, [this](QIODevice& file) {
            QTextStream out(&file);
            out.setEncoding(QStringConverter::Utf8);
            auto quote = [](QString s) {
                return QLatin1Char('"') + s.replace(QLatin1Char('"'), "\"\"") + '"';
            };
            QStringList header;
            for (int c = 0; c < model_->columnCount(); ++c)
                header << quote(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
            out << header.join(QLatin1Char(';')) << "\n";
            for (int r = 0; r < model_->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < model_->columnCount(); ++c) {
                    QVariant check = model_->data(model_->index(r, c), Qt::CheckStateRole);
                    cells << quote(check.isValid()
                                       ? (check.toInt() == Qt::Checked ? QStringLiteral("Sí")
                                                                       : QStringLiteral("No"))
                                       : model_->CellText(r, c));
                }
                out << cells.join(QLatin1Char(';')) << "\n";
            }
            out.flush();
        });
    });
}

void TZMKScreen::PrintList() {
    TDataSet* ds = DataSet();
    if (!ds || !DetailsCanLeave()) return;
    Run([this, ds] {
        FetchAll();
        std::vector<TListColumn> columns;
        for (const TGridColumn& c : model_->Columns()) columns.push_back({c.field, c.title});
        // The list is read from the first row to the last; the user's record stays current.
        const int recno = ds->RecNo();
        PrintDataSetList(def_.caption, *ds, columns, TPrintTarget::Preview);
        if (recno > 0) ds->SetRecNo(recno);
    });
}

}  // namespace zmk
