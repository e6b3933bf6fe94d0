#include "framework/TabKeys.h"

#include "framework/Control.h"
#include "framework/KeyMapping.h"

#include <QKeyEvent>

namespace {

class TabKeeper : public QObject {
public:
    TabKeeper(TWinControl& control, QWidget& view, std::function<bool()> wanted)
        : QObject(&view), control(control), wanted(std::move(wanted)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || !wanted())
            return false;
        bool passOn = false;
        CallFromView(control, [&] { control.ViewKeyDown(VK_TAB, ShiftStateOf(*key), 0, 0, passOn); });
        return true;
    }

private:
    TWinControl& control;
    std::function<bool()> wanted;
};

} // namespace

void KeepTabKeys(TWinControl& control, QWidget& view, std::function<bool()> wanted) {
    view.installEventFilter(new TabKeeper(control, view, std::move(wanted)));
}
