#include "framework/Label.h"

#include "framework/ControlView.h"

#include <QFontMetrics>
#include <QLabel>

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetView(new ControlView<QLabel>(*this));
    SetBounds(0, 0, 32, 13);
    Font.OnChange = [this](TObject*) {
        AdjustSize();
        ViewChanged();
    };
}

void TLabel::SetCaption(const AnsiString& value) {
    caption = value;
    AdjustSize();
    ViewChanged();
}

void TLabel::SetAlignment(TAlignment value) {
    alignment = value;
    ViewChanged();
}

void TLabel::SetAutoSize(bool value) {
    autoSize = value;
    AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
    wordWrap = value;
    ViewChanged();
}

void TLabel::SetTransparent(bool value) {
    transparent = value;
    ViewChanged();
}

void TLabel::SetLayout(TTextLayout value) {
    layout = value;
    ViewChanged();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!autoSize || wordWrap || Loading())
        return;
    const QFontMetrics metrics(Font.ToQFont());
    const QString shown = QString::fromStdString(caption.str()).remove('&');
    const int width = metrics.horizontalAdvance(shown);
    // A right-aligned label keeps its right edge where the layout put it.
    const int left = alignment == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, metrics.height());
}

void TLabel::UpdateView() {
    TControl::UpdateView();
    auto* view = static_cast<QLabel*>(View());
    QString shown = QString::fromStdString(caption.str());
    shown.replace("&&", QChar(0x1));
    shown.remove('&');
    shown.replace(QChar(0x1), "&");
    view->setText(shown);
    Qt::Alignment align = alignment == taRightJustify ? Qt::AlignRight
                          : alignment == taCenter     ? Qt::AlignHCenter
                                                      : Qt::AlignLeft;
    align |= layout == tlCenter ? Qt::AlignVCenter : layout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
    view->setAlignment(align);
    view->setWordWrap(wordWrap);
    view->setAutoFillBackground(!transparent);
    QPalette palette = view->palette();
    palette.setColor(QPalette::WindowText, ToQColor(Font.Color));
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    view->setPalette(palette);
}
