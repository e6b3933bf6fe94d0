#pragma once

#include "framework/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

// Answers every dialog from a script and records what was asked. Unscripted questions get
// IDOK, or IDYES for a Yes/No box, so no test ever blocks.
class ScriptedResponder : public DialogResponder {
public:
    int MessageBox(const MessageRequest& request) override;
    // Runs the next scripted action on the window, which acts as the user would and sets
    // its ModalResult; without one the window is cancelled.
    int ShowModal(TForm& form) override;

    void Answer(int id) { Answers.push_back(id); }
    void Clear() {
        Answers.clear();
        Asked.clear();
        ModalActions.clear();
    }

    std::deque<int> Answers;
    std::deque<std::function<void(TForm&)>> ModalActions;
    std::vector<MessageRequest> Asked;
};

// The responder installed for the whole test program.
ScriptedResponder& Responder();
