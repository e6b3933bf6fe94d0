#include "framework/Panel.h"

#include "framework/ControlView.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QFrame>(*this);
    auto* label = new QLabel(view);
    label->setAlignment(Qt::AlignCenter);
    label->setObjectName("caption");
    SetView(view);
    SetBounds(0, 0, 185, 41);
}

TPanel::~TPanel() = default;

void TPanel::ViewPaint(QPainter& painter) {
    Canvas->Attach(painter);
    Canvas->Font = Font;
    try {
        Paint();
    } catch (...) {
        Canvas->Release();
        throw;
    }
    Canvas->Release();
}

void TPanel::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter = value;
    ViewChanged();
}

void TPanel::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QFrame*>(View());
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    view->setPalette(palette);
    view->setAutoFillBackground(true);
    view->setFrameShape(bevelOuter == bvNone ? QFrame::NoFrame : QFrame::Panel);
    view->setFrameShadow(bevelOuter == bvLowered ? QFrame::Sunken : QFrame::Raised);
    auto* label = view->findChild<QLabel*>("caption");
    label->setText(QString::fromStdString(caption.str()));
    label->setGeometry(0, 0, Width(), Height());
    label->lower();
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    SetView(new ControlView<QGroupBox>(*this));
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TGroupBox::UpdateView() {
    TWinControl::UpdateView();
    static_cast<QGroupBox*>(View())->setTitle(QString::fromStdString(caption.str()));
}
