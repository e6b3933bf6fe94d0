#include "tests/support/ScriptedResponder.h"

#include "framework/DragDrop.h"
#include "framework/Form.h"
#include "framework/Menus.h"

#include <QMimeData>
#include <QPixmap>

std::vector<std::string> ScriptedResponder::AskedTexts() const {
    std::vector<std::string> texts;
    for (const MessageRequest& request : Asked)
        texts.push_back(request.Text.str());
    return texts;
}

int ScriptedResponder::MessageBox(const MessageRequest& request) {
    Asked.push_back(request);
    if (!Answers.empty()) {
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    const int buttons = request.Flags & 0x0F;
    return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
}

ScriptedResponder& Responder() {
    static ScriptedResponder responder;
    return responder;
}

int ScriptedResponder::ShowModal(TForm& form) {
    if (ModalActions.empty())
        return mrCancel;
    auto action = std::move(ModalActions.front());
    ModalActions.pop_front();
    form.SetModalResult(mrNone);
    action(form);
    return form.GetModalResult() != mrNone ? form.GetModalResult() : mrCancel;
}

bool ScriptedResponder::ChooseFile(FileRequest& request) {
    FilesAsked.push_back(request);
    if (FileAnswers.empty())
        return false;
    const FileAnswer answer = std::move(FileAnswers.front());
    FileAnswers.pop_front();
    if (!answer.FileName)
        return false;
    request.FileName = *answer.FileName;
    if (answer.FilterIndex != 0)
        request.FilterIndex = answer.FilterIndex;
    return true;
}

bool ScriptedResponder::ChooseFont(TFont& font) {
    FontsAsked.push_back(font);
    if (FontAnswers.empty())
        return false;
    const std::optional<TFont> answer = std::move(FontAnswers.front());
    FontAnswers.pop_front();
    if (!answer)
        return false;
    font.Assign(*answer);
    return true;
}

bool ScriptedResponder::SetUpPrinter() {
    ++PrinterSetups;
    if (PrinterSetupAnswers.empty())
        return false;
    const bool answer = PrinterSetupAnswers.front();
    PrinterSetupAnswers.pop_front();
    return answer;
}

bool ScriptedResponder::OpenDocument(const AnsiString& target) {
    Opened.push_back(target);
    return true;
}

void ScriptedResponder::TrackPopupMenu(TPopupMenu& menu, int, int) {
    std::vector<AnsiString> shown;
    for (int i = 0; i < menu.Items->Count(); ++i)
        if (menu.Items->Items(i)->GetVisible())
            shown.push_back(menu.Items->Items(i)->GetCaption());
    MenusShown.push_back(shown);
    if (MenuChoices.empty())
        return;
    const AnsiString choice = std::move(MenuChoices.front());
    MenuChoices.pop_front();
    for (int i = 0; i < menu.Items->Count(); ++i) {
        TMenuItem* item = menu.Items->Items(i);
        if (!choice.IsEmpty() && item->GetVisible() && item->GetEnabled() && item->GetCaption() == choice) {
            item->Click();
            return;
        }
    }
}

int ScriptedResponder::DoDragDrop(QObject&, std::unique_ptr<QMimeData> data, int allowedEffects,
                                  const QPixmap& label) {
    DragOffer offer{{}, data->text().toStdString(), allowedEffects, !label.isNull()};
    for (const QString& format : data->formats())
        offer.Formats.push_back(format.toStdString());
    DragsOffered.push_back(offer);
    if (DragActions.empty())
        return DROPEFFECT_NONE;
    auto action = std::move(DragActions.front());
    DragActions.pop_front();
    return action(*data);
}
