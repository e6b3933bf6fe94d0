#include "framework/Edit.h"

#include "framework/ControlView.h"
#include "framework/EditWords.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    auto* view = new BlankWordTextEdit<ControlView<QPlainTextEdit>>(*this);
    // Only the user's edits: the view is given the lines with its signals blocked.
    QObject::connect(view, &QPlainTextEdit::textChanged, view, [this, view] {
        const AnsiString text = view->toPlainText().toStdString();
        CallFromView(*this, [this, text] { ViewEdited(text); });
    });
    SetView(view);
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    TabStop = true;
    Lines.OnChange = [this](TObject*) {
        if (!takingEdit)
            ViewChanged();
        if (OnChange && !Loading())
            OnChange(this);
    };
}

void TMemo::ViewEdited(const AnsiString& text) {
    takingEdit = true;
    Lines.SetText(text);
    takingEdit = false;
}

void TMemo::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QPlainTextEdit*>(View());
    QStringList lines;
    for (int i = 0; i < Lines.Count(); ++i)
        lines << QString::fromStdString(Lines[i].str());
    if (view->toPlainText() != lines.join('\n')) {
        const QSignalBlocker quiet(view);
        view->setPlainText(lines.join('\n'));
    }
    view->setReadOnly(ReadOnly);
    view->setFrameShape(BorderStyle == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, ToQColor(GetColor()));
    palette.setColor(QPalette::Text, ToQColor(Font.Color));
    view->setPalette(palette);
}
