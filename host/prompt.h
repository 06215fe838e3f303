#pragma once
// Every question and message the program shows goes through the prompt service:
// Qt message boxes in the application, scripted answers in tests and in escolia-cli.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace zmk {

enum class TMsgButton { None, Yes, No, Cancel, Ok, Retry, Ignore, Abort };
enum class TMsgIcon { None, Information, Warning, Error, Question };
enum class TMsgKind { Information, Warning, Error };

QString ButtonName(TMsgButton button);  // "yes", "no", ...
std::optional<TMsgButton> ButtonFromName(const QString& name);

struct TQuestion {
    QString caption;
    QString text;
    std::vector<TMsgButton> buttons{TMsgButton::Yes, TMsgButton::No};
    TMsgIcon icon = TMsgIcon::Question;
    TMsgButton defaultButton = TMsgButton::None;  // None: the first button
};

class IPromptService {
  public:
    virtual ~IPromptService() = default;
    virtual TMsgButton Ask(const TQuestion& question) = 0;
    virtual void Show(TMsgKind kind, const QString& caption, const QString& text) = 0;
    // The typed text, or nullopt when the user cancelled.
    virtual std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                            const QString& def) = 0;
    // A chosen file path, or empty when cancelled. Filter as in "Bases de datos (*.db)".
    virtual QString OpenFileName(const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
};

IPromptService& Prompt();
// Installs the service the program uses; returns the previous one.
std::unique_ptr<IPromptService> SetPromptService(std::unique_ptr<IPromptService> service);

// The caption of questions and messages: the application title.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Shorthands with the application title as caption.
TMsgButton Pregunta(const QString& text,
                    std::vector<TMsgButton> buttons = {TMsgButton::Yes, TMsgButton::No},
                    TMsgIcon icon = TMsgIcon::Question,
                    TMsgButton defaultButton = TMsgButton::None);
bool PreguntaSiNo(const QString& text, TMsgIcon icon = TMsgIcon::Question,
                  TMsgButton defaultButton = TMsgButton::Yes);
void Informa(const QString& text);
void Avisa(const QString& text);
void MuestraError(const QString& text);

// Answers from a queue; an empty queue takes the default button (or the default text).
// Records every text shown, and can echo each line to a stream (escolia-cli's stderr).
class TScriptedPrompt : public IPromptService {
  public:
    explicit TScriptedPrompt(QStringList answers = {});
    void Push(const QString& answer) { answers_ << answer; }
    const QStringList& Log() const { return log_; }
    int Remaining() const { return int(answers_.size()); }
    void SetEcho(bool echo) { echo_ = echo; }

    TMsgButton Ask(const TQuestion& question) override;
    void Show(TMsgKind kind, const QString& caption, const QString& text) override;
    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& def) override;
    QString OpenFileName(const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& dir,
                         const QString& filter) override;

  private:
    void Record(const QString& line);
    std::optional<QString> Take();
    QStringList answers_;
    QStringList log_;
    bool echo_ = false;
};

// One line for the log: line breaks as the two characters "\n".
QString OneLine(const QString& text);

}  // namespace zmk
