#include "app/AboutUnit.h"
#include "app/Dataentry.h"
#include "app/Datum.h"
#include "app/Front.h"
#include "app/Visualedit.h"
#include "framework/Application.h"
#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "network/Mingradientform.h"
#include "network/Sectionpropsform.h"
#include "network/Sewermainform.h"
#include "reports/Costings.h"
#include "reports/Table.h"
#include "reports/Tablecontrol.h"
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
        Application->CreateForm(FrontForm);
        if (argc > 1)
            FrontForm->CommandLineFile = argv[1];
        Application->CreateForm(SewerMainForm);
        Application->CreateForm(VisualEditForm);
        Application->CreateForm(DataEntryForm);
        Application->CreateForm(SectionPropsForm);
        Application->CreateForm(TableForm);
        Application->CreateForm(TableColumnsEditorForm);
        Application->CreateForm(AboutBox);
        Application->CreateForm(DatumForm);
        Application->CreateForm(MinimumGradientForm);
        Application->CreateForm(CostingsForm);
        Application->Run();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
    return 0;
}
