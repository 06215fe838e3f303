#include "core/splash.h"

#include <QElapsedTimer>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/strings.h"
#include "host/dataset.h"
#include "host/prompt.h"

namespace zmk {

namespace {

int Percent(qint64 value) {
    return int(std::clamp<qint64>(value, 0, 100));
}

std::unique_ptr<TCustomSplash>& Current() {
    static std::unique_ptr<TCustomSplash> splash = std::make_unique<TSplash>();
    return splash;
}

}  // namespace

void TCustomSplash::Begin(const QString& title, const QString& text, bool cancellable, int percent,
                          bool gaugeShown) {
    levels_.append(TSplashState{title, text, cancellable, gaugeShown, Percent(percent)});
    try {
        Changed();
    } catch (...) {
        // A cancelled task refuses new levels; the caller's guard never saw this one.
        levels_.removeLast();
        if (levels_.isEmpty()) cancelled_ = false;
        throw;
    }
}

void TCustomSplash::SetText(const QString& text, int percent) {
    TSplashState& top = Top("modificar");
    top.text = text;
    top.percent = Percent(percent);
    Changed();
}

void TCustomSplash::SetPosition(const QString& text, int position, int maximum) {
    TSplashState& top = Top("modificar");
    const qint64 max = maximum == 0 ? qint64(INT_MAX) : qint64(maximum);
    top.text = text;
    top.percent = Percent((qint64(position) + 1) * 100 / max);
    Changed();
}

void TCustomSplash::SetFromDataSet(const QString& text, TDataSet* dataSet) {
    TSplashState& top = Top("modificar");
    if (dataSet == nullptr) {
        top.text = text;
        top.percent = 0;
    } else {
        const int recNo = dataSet->RecNo();
        const int count = dataSet->RecordCount();
        top.text = u'(' + QString::number(recNo) + u'/' + QString::number(count) +
                   QStringLiteral(") ") + text;
        top.percent = count == 0 ? 100 : Percent(qint64(recNo) * 100 / count);
    }
    Changed();
}

void TCustomSplash::End() {
    Top("finalizar");
    levels_.removeLast();
    if (levels_.isEmpty()) cancelled_ = false;
    Update();
}

TSplashState& TCustomSplash::Top(const char* action) {
    if (levels_.isEmpty())
        throw ESplash(ClassName() + QStringLiteral(" ERROR") + u'\n' +
                      QStringLiteral("No hay ningún Splash para ") + QLatin1String(action));
    return levels_.last();
}

void TCustomSplash::Changed() {
    Update();
    if (!levels_.first().cancellable) return;
    if (!cancelled_ && esc_pressed_ && esc_pressed_())
        cancelled_ = PreguntaSiNo(SharedString(1700));
    if (cancelled_) throw EZMKError(SharedString(1701));
}

void TSplash::Update() {
    if (!Verbose() || Levels().isEmpty()) return;
    const TSplashState& top = Levels().last();
    const QString text = top.title + u'\n' + top.text;
    const qint64 now = clock_ ? clock_() : [] {
        static QElapsedTimer timer;
        if (!timer.isValid()) timer.start();
        return timer.elapsed();
    }();
    if (wrote_line_ && text == last_line_text_ && now - last_line_ms_ < 100) return;
    wrote_line_ = true;
    last_line_text_ = text;
    last_line_ms_ = now;
    const QString line = QStringLiteral("PROGRESS ") + OneLine(top.title) + QStringLiteral(": ") +
                         OneLine(top.text) + QStringLiteral(" (") + QString::number(top.percent) +
                         QStringLiteral("%)");
    if (output_)
        output_(line);
    else
        std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

TCustomSplash& Splash() {
    return *Current();
}

std::unique_ptr<TCustomSplash> SetSplash(std::unique_ptr<TCustomSplash> splash) {
    std::swap(Current(), splash);
    return splash;
}

TSplashLevel::TSplashLevel(const QString& title, const QString& text, bool cancellable, int percent,
                           bool gaugeShown)
    : TSplashLevel(Splash(), title, text, cancellable, percent, gaugeShown) {}

TSplashLevel::TSplashLevel(TCustomSplash& splash, const QString& title, const QString& text,
                           bool cancellable, int percent, bool gaugeShown)
    : splash_(splash), depth_(int(splash.Levels().size()) + 1) {
    splash_.Begin(title, text, cancellable, percent, gaugeShown);
}

TSplashLevel::~TSplashLevel() {
    // Ends this level and any that a failed sub-task left above it; never lets an error out.
    try {
        while (splash_.Levels().size() >= depth_) splash_.End();
    } catch (...) {
    }
}

}  // namespace zmk
