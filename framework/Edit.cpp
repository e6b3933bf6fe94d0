#include "framework/Edit.h"

#include "framework/ControlView.h"

#include <QPlainTextEdit>

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    SetView(new ControlView<QPlainTextEdit>(*this));
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    Lines.OnChange = [this](TObject*) { ViewChanged(); };
}

void TMemo::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QPlainTextEdit*>(View());
    QStringList lines;
    for (int i = 0; i < Lines.Count(); ++i)
        lines << QString::fromStdString(Lines[i].str());
    view->setPlainText(lines.join('\n'));
    view->setReadOnly(ReadOnly);
    view->setFrameShape(BorderStyle == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    view->setPalette(palette);
}
