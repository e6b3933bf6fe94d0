#include "framework/CheckBox.h"

#include "framework/ControlView.h"

#include <QCheckBox>

namespace {

// The box toggles on the release of the mouse button or the space bar before the control hears
// of the release, as the framework's check box does: OnMouseUp and OnKeyUp see the new state.
class CheckBoxView : public ControlView<QCheckBox> {
public:
    CheckBoxView(TCheckBox& box) : ControlView<QCheckBox>(box), box(box) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPointer<QWidget> alive(this);
        QCheckBox::mouseReleaseEvent(event);
        if (!alive)
            return;
        const QPoint at = event->position().toPoint();
        bool passOn = true;
        CallFromView(box, [&] {
            box.ViewMouseUp(MouseButtonOf(*event), ShiftStateOf(*event), at.x(), at.y(), passOn);
        });
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        const QPointer<QWidget> alive(this);
        QCheckBox::keyReleaseEvent(event);
        event->accept();
        if (!alive)
            return;
        bool passOn = true;
        CallFromView(box, [&] { box.ViewKeyUp(VirtualKeyOf(*event), ShiftStateOf(*event), passOn); });
    }

private:
    TCheckBox& box;
};

} // namespace

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new CheckBoxView(*this);
    QObject::connect(view, &QCheckBox::clicked, view,
                     [this](bool state) { CallFromView(*this, [this, state] { SetChecked(state); }); });
    SetView(view);
    SetBounds(0, 0, 97, 17);
    TabStop = true;
}

void TCheckBox::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TCheckBox::SetChecked(bool value) {
    if (checked == value)
        return;
    checked = value;
    ViewChanged();
    if (!Loading())
        Click();
}

void TCheckBox::SetAlignment(TAlignment value) {
    alignment = value;
    ViewChanged();
}

void TCheckBox::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QCheckBox*>(View());
    view->setText(QString::fromStdString(caption.str()));
    view->setChecked(checked);
    view->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}
