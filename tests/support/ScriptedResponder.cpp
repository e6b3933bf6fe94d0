#include "tests/support/ScriptedResponder.h"

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
