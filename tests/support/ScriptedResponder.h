#pragma once

#include "framework/Dialogs.h"
#include "framework/Graphics.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Answers every dialog from a script and records what was asked. Unscripted questions get
// IDOK, or IDYES for a Yes/No box, and file dialogs are cancelled, so no test ever blocks.
class ScriptedResponder : public DialogResponder {
public:
    int MessageBox(const MessageRequest& request) override;
    // Runs the next scripted action on the window, which acts as the user would and sets
    // its ModalResult; without one the window is cancelled.
    int ShowModal(TForm& form) override;
    // Answers with the next scripted file name and filter; none, or an empty answer, cancels.
    bool ChooseFile(FileRequest& request) override;
    // Records the font the dialog starts from and answers with the next scripted font; none, or
    // an empty answer, cancels.
    bool ChooseFont(TFont& font) override;
    // Counts the showing and gives the next scripted answer; none cancels.
    bool SetUpPrinter() override;
    // Records the document and answers that it opened.
    bool OpenDocument(const AnsiString& target) override;
    // Records the captions of the menu's visible items ("-" for a separator) and runs the visible
    // item captioned as the next scripted choice; none, or an empty choice, leaves the menu.
    void TrackPopupMenu(TPopupMenu& menu, int x, int y) override;
    // Records the formats, text and label offered and runs the next scripted drop, which may drop
    // the data somewhere and gives the effect; none gives up the drag.
    int DoDragDrop(QObject& source, std::unique_ptr<QMimeData> data, int allowedEffects,
                   const QPixmap& label) override;

    void Answer(int id) { Answers.push_back(id); }
    // The texts of the messages asked, in order.
    std::vector<std::string> AskedTexts() const;
    // filterIndex 0 keeps the filter the dialog offers.
    void AnswerFile(std::optional<AnsiString> fileName, int filterIndex = 0) {
        FileAnswers.push_back({std::move(fileName), filterIndex});
    }
    void Clear() {
        Answers.clear();
        Asked.clear();
        ModalActions.clear();
        FileAnswers.clear();
        FilesAsked.clear();
        Opened.clear();
        MenuChoices.clear();
        MenusShown.clear();
        FontAnswers.clear();
        FontsAsked.clear();
        PrinterSetupAnswers.clear();
        PrinterSetups = 0;
        DragActions.clear();
        DragsOffered.clear();
    }

    std::deque<int> Answers;
    std::deque<std::function<void(TForm&)>> ModalActions;
    struct FileAnswer {
        std::optional<AnsiString> FileName;
        int FilterIndex = 0;
    };
    std::deque<FileAnswer> FileAnswers;
    std::vector<MessageRequest> Asked;
    std::vector<FileRequest> FilesAsked;
    std::vector<AnsiString> Opened;
    std::deque<AnsiString> MenuChoices;
    std::vector<std::vector<AnsiString>> MenusShown;
    std::deque<std::optional<TFont>> FontAnswers;
    std::vector<TFont> FontsAsked;
    std::deque<bool> PrinterSetupAnswers;
    int PrinterSetups = 0;
    std::deque<std::function<int(const QMimeData&)>> DragActions;
    struct DragOffer {
        std::vector<AnsiString> Formats;
        AnsiString Text;
        int AllowedEffects = 0;
        bool Labelled = false;
    };
    std::vector<DragOffer> DragsOffered;
};

// The responder installed for the whole test program.
ScriptedResponder& Responder();
