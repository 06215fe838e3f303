#include "core/forms/splash.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace zmk {

namespace {
// While a task runs: remembers an Esc typed (the task lets pending input through at each
// update), and steps the progress window aside when the task opens a dialog. Between tasks
// every key and window is left alone.
class EscWatcher : public QObject {
  public:
    explicit EscWatcher(const TCustomSplash& splash) : splash_(splash) {}
    bool pressed = false;
    QWidget* window = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!splash_.Active()) return false;
        // A dialog the task opened (a question) takes its own Esc.
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            !(dialog_ && dialog_->isVisible())) {
            pressed = true;
            return true;
        }
        if (event->type() == QEvent::Show && watched != window) {
            auto* shown = qobject_cast<QDialog*>(watched);
            if (shown && shown->isWindow()) {
                dialog_ = shown;
                if (window) window->hide();
            }
        }
        return false;
    }

  private:
    const TCustomSplash& splash_;
    QPointer<QDialog> dialog_;
};
}  // namespace

TCCFRMSplash::TCCFRMSplash() : esc_watcher_(new EscWatcher(*this)) {
    qApp->installEventFilter(esc_watcher_);
    SetEscPressedCheck([watcher = static_cast<EscWatcher*>(esc_watcher_)] {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
        QApplication::processEvents();  // key events reach the watcher
        bool pressed = watcher->pressed;
        watcher->pressed = false;
        return pressed;
    });
}

TCCFRMSplash::~TCCFRMSplash() {
    delete window_;
    delete esc_watcher_;
}

void TCCFRMSplash::BuildWindow() {
    window_ =
        new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window_->setObjectName(QStringLiteral("TCCFRMSplash"));
    window_->setStyleSheet(
        QStringLiteral("#TCCFRMSplash { background: #fdfdfd; border: 1px solid #7a8ca5; }"
                       "QLabel#lblTitle { font-weight: bold; font-size: 13pt; color: #1f3b63; }"));
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(18, 14, 18, 14);
    lblTitle_ = new QLabel(window_);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    layout->addWidget(lblTitle_);
    for (int i = 0; i < 3; ++i) {
        descriptions_[i] = new QLabel(window_);
        descriptions_[i]->setObjectName(QStringLiteral("lblDescription%1").arg(i + 1));
        gauges_[i] = new QProgressBar(window_);
        gauges_[i]->setObjectName(QStringLiteral("Gauge%1").arg(i + 1));
        gauges_[i]->setRange(0, 100);
        layout->addWidget(descriptions_[i]);
        layout->addWidget(gauges_[i]);
    }
    static_cast<EscWatcher*>(esc_watcher_)->window = window_;
    lblEsc_ = new QLabel(QStringLiteral("Presione ESC para cancelar el proceso"), window_);
    layout->addWidget(lblEsc_);
    window_->setMinimumWidth(460);
}

void TCCFRMSplash::Update() {
    const auto& levels = Levels();
    if (levels.isEmpty()) {
        if (window_) window_->hide();
        shown_levels_ = -1;
        if (QWidget* active = QApplication::activeWindow()) active->setFocus();
        return;
    }
    // Repainting costs more than the work between updates: at most every 100 ms, unless the
    // number of levels changed.
    if (since_paint_.isValid() && since_paint_.elapsed() < 100 && shown_levels_ == levels.size())
        return;
    if (!window_) BuildWindow();
    lblTitle_->setText(levels.first().title);
    for (int i = 0; i < 3; ++i) {
        bool has = i < levels.size();
        descriptions_[i]->setVisible(has);
        gauges_[i]->setVisible(has);
        if (!has) continue;
        const TSplashState& level = levels[i];
        descriptions_[i]->setText(level.text);
        gauges_[i]->setValue(level.gaugeShown ? level.percent : 50);
        gauges_[i]->setTextVisible(level.gaugeShown);
    }
    lblEsc_->setVisible(levels.first().cancellable);
    window_->adjustSize();
    if (!window_->isVisible()) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            window_->move(screen->availableGeometry().center() - window_->rect().center());
        window_->show();
    }
    window_->repaint();
    shown_levels_ = int(levels.size());
    since_paint_.restart();
}

}  // namespace zmk
