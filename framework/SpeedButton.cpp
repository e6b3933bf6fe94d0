#include "framework/SpeedButton.h"

#include "framework/ControlView.h"

#include <QBitmap>
#include <QToolButton>

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner) {
    auto* view = new ControlView<QToolButton>(*this);
    view->setFocusPolicy(Qt::NoFocus);
    view->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QObject::connect(view, &QToolButton::clicked, view,
                     [this] { CallFromView(*this, [this] { ViewClicked(); }); });
    SetView(view);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

std::vector<TSpeedButton*> TSpeedButton::Group() const {
    std::vector<TSpeedButton*> group;
    if (!Parent() || groupIndex == 0)
        return group;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* button = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
            button && button != this && button->groupIndex == groupIndex)
            group.push_back(button);
    return group;
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex == 0)
        value = false;
    if (value == down || (down && !allowAllUp))
        return;
    down = value;
    if (down)
        for (TSpeedButton* other : Group())
            if (other->down) {
                other->down = false;
                other->ViewChanged();
            }
    ViewChanged();
}

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex = value;
    ViewChanged();
}

// The whole group shares the setting, as a group with one button allowed up must let all go up.
void TSpeedButton::SetAllowAllUp(bool value) {
    allowAllUp = value;
    for (TSpeedButton* other : Group())
        other->allowAllUp = value;
}

void TSpeedButton::SetFlat(bool value) {
    flat = value;
    ViewChanged();
}

void TSpeedButton::SetGlyph(const TBitmap& value) {
    glyph.Assign(value);
    ViewChanged();
}

void TSpeedButton::ViewClicked() {
    if (groupIndex != 0) {
        if (!down)
            SetDown(true);
        else if (allowAllUp)
            SetDown(false);
    }
    // Qt's own toggle is undone: the button shows what the group decided.
    ViewChanged();
    Click();
}

void TSpeedButton::UpdateView() {
    TControl::UpdateView();
    auto* view = static_cast<QToolButton*>(View());
    view->setText(QString::fromStdString(caption.str()));
    view->setAutoRaise(flat);
    view->setCheckable(groupIndex != 0);
    view->setChecked(down);
    if (glyph.Empty()) {
        view->setIcon(QIcon());
        view->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return;
    }
    const int width = glyph.Width() / std::max(1, NumGlyphs);
    QPixmap picture = QPixmap::fromImage(glyph.Image().copy(0, 0, width, glyph.Height()));
    picture.setMask(picture.createMaskFromColor(glyph.Image().pixelColor(0, glyph.Height() - 1)));
    view->setIcon(QIcon(picture));
    view->setIconSize(picture.size());
    view->setToolButtonStyle(caption.IsEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}
