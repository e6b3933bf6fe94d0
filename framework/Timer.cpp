#include "framework/Timer.h"

#include "framework/Application.h"
#include "framework/Control.h"

#include <QTimer>
#include <QVariant>

namespace {

constexpr const char* WindowTimerId = "windowTimerId";

QTimer* WindowTimer(TWinControl& window, unsigned id) {
    if (!window.View())
        return nullptr;
    for (QTimer* timer : window.View()->findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        if (const QVariant held = timer->property(WindowTimerId); held.isValid() && held.toUInt() == id)
            return timer;
    return nullptr;
}

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer(std::make_unique<QTimer>()) {
    QObject::connect(timer.get(), &QTimer::timeout, [this] {
        if (!IsDestroying() && OnTimer)
            CallGuarded([this] { OnTimer(this); });
    });
    Update();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value) {
    enabled = value;
    Update();
}

void TTimer::SetInterval(unsigned value) {
    interval = value;
    Update();
}

void TTimer::Update() {
    if (enabled && interval > 0)
        timer->start(static_cast<int>(interval));
    else
        timer->stop();
}

void SetTimer(TWinControl& window, unsigned id, unsigned elapse) {
    if (!window.View())
        return;
    QTimer* timer = WindowTimer(window, id);
    if (!timer) {
        timer = new QTimer(window.View());
        timer->setProperty(WindowTimerId, id);
        QObject::connect(timer, &QTimer::timeout, timer,
                         [&window, id] { CallFromView(window, [&] { window.WMTimer(id); }); });
    }
    timer->start(static_cast<int>(elapse));
}

void KillTimer(TWinControl& window, unsigned id) {
    if (QTimer* timer = WindowTimer(window, id))
        timer->stop();
}
