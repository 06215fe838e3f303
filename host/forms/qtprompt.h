#pragma once
// The prompt service of the windowed program: Qt message boxes, input dialogs and file choosers.
#include "host/prompt.h"

namespace zmk {

class TQtPrompt : public IPromptService {
  public:
    TMsgButton Ask(const TQuestion& question) override;
    void Show(TMsgKind kind, const QString& caption, const QString& text) override;
    std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                    const QString& def) override;
    QString OpenFileName(const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& dir,
                         const QString& filter) override;
};

}  // namespace zmk
