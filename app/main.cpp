#include "app/StartedWindows.h"
#include "framework/Application.h"
#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "resources/ProgramResources.h"

#include <QApplication>
#include <QIcon>

#include <exception>

int main(int argc, char** argv) {
    // Qt takes its own options out of the command line; the first argument left names the file.
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(IconPicture));
    ReadLocaleSettings();
    ReadDateTimeSettings();
    try {
        AboutBox = new TAboutBox(nullptr);
        AboutBox->Show();
        Application->ProcessMessages();
        Application->Title = "Drenvala";
        Application->HelpFile = "Drenvala.hlp";
        ForEachStartupWindow([](auto*& form) { Application->CreateForm(form); });
        ConnectStartupWindows();
        if (argc > 1)
            FrontForm->CommandLineFile = argv[1];
        Application->Run();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    return 0;
}
