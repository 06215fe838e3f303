#pragma once
// An installation in a temporary folder for backup tests: program directory with its INI and
// resource file, DATADIR with company databases, scripted answers.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "core/empresas.h"
#include "core/versiones.h"
#include "host/database.h"
#include "host/prompt.h"
#include "host/resources.h"
#include "maintenance/backup_installation.h"
#include "maintenance/democompany.h"

namespace zmk::test {

class BackupInstallation {
  public:
    BackupInstallation() : saved_(AjustesBD()) {
        QDir().mkpath(DataDir());
        ini_ = std::make_unique<QSettings>(root.filePath("ZMK.INI"), QSettings::IniFormat);
        list_ = std::make_unique<TZMKDataBases>(*ini_);
        facts.programDir = root.path();
        facts.dataDir = DataDir();
        facts.resourceFile = root.filePath("ZMK.MDR");
        facts.applicationText = QStringLiteral("ZMK Escolia EXT");
        facts.applicationNumber = 4;
        facts.title = QStringLiteral("ZMK-Escolia v16");
        facts.databases = list_.get();
        AjustesBD().directorioDatos = DataDir();
        AjustesBD().mascaraNuevaBD = QStringLiteral("ZMKEscoliaExtV");
        AjustesBD().versionBD = 4;
        auto p = std::make_unique<TScriptedPrompt>();
        prompt = p.get();
        previous_ = SetPromptService(std::move(p));
    }
    ~BackupInstallation() {
        SetPromptService(std::move(previous_));
        AjustesBD() = saved_;
    }
    QString DataDir() const { return root.filePath("DATADIR"); }
    TZMKDataBases& List() { return *list_; }

    // A small demo company added to the list; returns its index.
    int AddCompany(const QString& name, const QString& file) {
        DemoOptions options;
        options.students = 5;
        CrearEmpresaDemo(file, options);
        TDataBaseEntry e;
        e.nombre = name;
        e.archivo = file;
        return list_->Add(e);
    }
    // A resource file holding content as its resource 90001.
    void WriteResourceFile(const QByteArray& content) {
        TRecursosZMK store;
        store.Insert(90001, content);
        store.SaveToFile(facts.resourceFile);
    }
    QByteArray ResourceContent() const {
        TRecursosZMK store;
        store.LoadFromFile(facts.resourceFile);
        return store.Find(90001).value_or("(none)");
    }
    void Answer(const QStringList& answers) {
        for (const QString& a : answers) prompt->Push(a);
    }
    QString Log() const { return prompt->Log().join(u'\n'); }

    QTemporaryDir root;
    TBackupInstallation facts;
    TScriptedPrompt* prompt = nullptr;

  private:
    TAjustesBD saved_;
    std::unique_ptr<QSettings> ini_;
    std::unique_ptr<TZMKDataBases> list_;
    std::unique_ptr<IPromptService> previous_;
};

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

}  // namespace zmk::test
