#pragma once
// The progress service: one program-wide stack of levels, so a task can show a sub-task's
// progress below its own. Views (the progress window, escolia-cli's stderr lines) implement
// Update(); the base class keeps the stack, the percent arithmetic and the Esc cancellation.
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

#include "host/errors.h"

namespace zmk {

class TDataSet;

// One level; percent is kept within 0..100.
struct TSplashState {
    QString title, text;
    bool cancellable = false;
    bool gaugeShown = true;
    int percent = 0;
};

// Ending or changing the progress when no level is shown.
class ESplash : public EZMKError {
  public:
    using EZMKError::EZMKError;
    QString ClassName() const override { return QStringLiteral("ESplash"); }
};

class TCustomSplash {
  public:
    virtual ~TCustomSplash() = default;
    virtual QString ClassName() const { return QStringLiteral("TCustomSplash"); }

    void Begin(const QString& title, const QString& text, bool cancellable = false, int percent = 0,
               bool gaugeShown = true);
    void SetText(const QString& text, int percent);
    // percent = (position + 1) * 100 / maximum; a maximum of 0 counts as the largest integer.
    void SetPosition(const QString& text, int position, int maximum);
    // "(" + record number + "/" + record count + ") " + text at the data set's position.
    void SetFromDataSet(const QString& text, TDataSet* dataSet);
    void End();

    const QVector<TSplashState>& Levels() const { return levels_; }
    bool Active() const { return !levels_.isEmpty(); }

    // Tells whether the user is holding Esc (the GUI installs a key check; empty: never).
    void SetEscPressedCheck(std::function<bool()> check) { esc_pressed_ = std::move(check); }

    // Asks a view without a window to report every change (the window ignores it).
    void SetVerbose(bool verbose) { verbose_ = verbose; }
    bool Verbose() const { return verbose_; }

  protected:
    // Shows the current stack; called after every change, also after the last End().
    virtual void Update() {}

  private:
    TSplashState& Top(const char* action);
    void Changed();

    QVector<TSplashState> levels_;
    std::function<bool()> esc_pressed_;
    bool cancelled_ = false;
    bool verbose_ = false;
};

// Headless progress: silent, or when verbose one line "PROGRESS <title>: <text> (<percent>%)"
// per change on stderr, at most one every 100 ms unless the text changes.
class TSplash : public TCustomSplash {
  public:
    QString ClassName() const override { return QStringLiteral("TSplash"); }
    // Where the lines go and what time it is (milliseconds); stderr and a steady clock unless set.
    void SetOutput(std::function<void(const QString&)> output) { output_ = std::move(output); }
    void SetClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

  protected:
    void Update() override;

  private:
    std::function<void(const QString&)> output_;
    std::function<qint64()> clock_;
    QString last_line_text_;
    qint64 last_line_ms_ = 0;
    bool wrote_line_ = false;
};

// The program-wide progress service (a TSplash until a view is installed).
TCustomSplash& Splash();
// Installs the service the program uses; returns the previous one.
std::unique_ptr<TCustomSplash> SetSplash(std::unique_ptr<TCustomSplash> splash);

// Begins a level on construction and ends it on destruction, also when an error passes.
class TSplashLevel {
  public:
    TSplashLevel(const QString& title, const QString& text, bool cancellable = false,
                 int percent = 0, bool gaugeShown = true);
    TSplashLevel(TCustomSplash& splash, const QString& title, const QString& text,
                 bool cancellable = false, int percent = 0, bool gaugeShown = true);
    ~TSplashLevel();
    TSplashLevel(const TSplashLevel&) = delete;
    TSplashLevel& operator=(const TSplashLevel&) = delete;

  private:
    TCustomSplash& splash_;
    int depth_;
};

}  // namespace zmk
