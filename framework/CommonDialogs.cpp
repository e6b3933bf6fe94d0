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
    request.DefaultExt = DefaultExt;
    if (!CurrentDialogResponder().ChooseFile(request))
        return false;
    FileName = request.FileName;
    FilterIndex = request.FilterIndex;
    const AnsiString extension = saving ? SaveExtension(Filter, FilterIndex, DefaultExt) : DefaultExt;
    if (!extension.IsEmpty() && !QFileInfo(QString::fromStdString(FileName.str())).fileName().contains('.'))
        FileName += "." + extension;
    return true;
}

bool TFontDialog::Execute() {
    return CurrentDialogResponder().ChooseFont(Font);
}

bool TPrinterSetupDialog::Execute() {
    return CurrentDialogResponder().SetUpPrinter();
}
