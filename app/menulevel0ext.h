#pragma once
// TFRMMenuLevel0Ext: the main window's common part: the housekeeping actions (database
// selection, configuration, language, backup, help), the window-mode question, the caption
// that follows the connection and the close question.
#include <QMap>
#include <QMenu>

#include "app/asistentemdi.h"
#include "app/background.h"
#include "host/forms/menuform.h"

namespace zmk {

class TZMKAppConfig;

class TFRMMenuLevel0Ext : public TZMKMenuForm {
  public:
    explicit TFRMMenuLevel0Ext(QWidget* parent = nullptr);

    bool AllowMDI() const override { return true; }
    void AfterConnectDB() override;
    void AfterDisconnectDB() override;
    void FormOpened(QWidget* form, bool newMdiChild, int visibleChildren) override;
    void BuildMenus() override;

    // The window-mode question (when allowed, the screen is wide enough and not remembered),
    // then the stored mode.
    void ApplyWindowMode();
    // The settings dialog's wanted mode: message 1003 and [INIT] "MDI"; the running window
    // keeps its mode until restart.
    void RequestWindowMode(bool wanted);

    // Time the user spent in the window-mode question (left out of the start-up figure).
    qint64 QuestionMs() const { return question_ms_; }
    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* LanguageMenu() const { return mnuIdioma_; }
    QMenu* WindowMenu() const { return mnuVentana_; }
    // Enables every action by its rule (open database, MDI mode, active language).
    virtual void UpdateActions();
    // The caption: title, and the open database's name in double quotation marks.
    QString CaptionFor() const;

    // Help links.
    QString HelpPageUrl() const;
    void OpenHelpPage();
    void OpenManual();
    void RemoteSupport();

    // Language entries: tag -1 "(Defecto)", then 0, 1, ... in the list order.
    void ChooseLanguage(QAction* entry);

  protected:
    // Seams for the tests: the question, the screen's width and the shell.
    // The window-mode question; it writes [INIT] "MDI" and "RememberMDIOption" itself.
    virtual void AskWindowMode();
    virtual int ScreenWidth() const;
    virtual bool OpenUrl(const QUrl& url);
    virtual bool StartProgram(const QString& program);

    void closeEvent(QCloseEvent* event) override;
    // Adds an action to the window and to the name list.
    QAction* AddAction(const QString& name, const QString& caption,
                       const std::function<void()>& execute);
    // Runs an action's work, showing a refusal in the standard error box.
    static void Run(const std::function<void()>& work);
    virtual void TranslateMainWindow(const QString& section);

    QMenu* mnuAplicacion_ = nullptr;
    QMenu* mnuConfiguracion_ = nullptr;
    QMenu* mnuIdioma_ = nullptr;
    QMenu* mnuVentana_ = nullptr;
    QMenu* mnuAyuda_ = nullptr;
    TFondoPrincipal* fondo_ = nullptr;
    QList<QAction*> language_actions_;
    QList<QAction*> db_actions_;  // enabled only while a database is open

  private:
    void BuildLanguageMenu();
    void CreateMenus();
    QMap<QString, QAction*> actions_;
    qint64 question_ms_ = 0;
};

}  // namespace zmk
