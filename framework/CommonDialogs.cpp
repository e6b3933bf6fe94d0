#include "framework/CommonDialogs.h"

#include "framework/Dialogs.h"

#include <QFileInfo>

bool TOpenDialog::Execute() {
    return Ask(false);
}

bool TSaveDialog::Execute() {
    return Ask(true);
}

bool TOpenDialog::Ask(bool saving) {
    FileRequest request;
    request.Saving = saving;
    request.Title = Title;
    request.FileName = FileName;
    request.Filter = Filter;
    request.FilterIndex = FilterIndex;
    request.InitialDir = InitialDir;
    request.OverwritePrompt = (Options & ofOverwritePrompt) != 0;
    if (!CurrentDialogResponder().ChooseFile(request))
        return false;
    FileName = request.FileName;
    if (!DefaultExt.IsEmpty() && QFileInfo(QString::fromStdString(FileName.str())).suffix().isEmpty())
        FileName += "." + DefaultExt;
    FilterIndex = request.FilterIndex;
    return true;
}

bool TFontDialog::Execute() {
    return CurrentDialogResponder().ChooseFont(Font);
}

bool TPrinterSetupDialog::Execute() {
    return CurrentDialogResponder().SetUpPrinter();
}
