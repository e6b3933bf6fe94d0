#include "framework/Application.h"
#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "network/Mingradientform.h"
#include "network/Sectionpropsform.h"
#include "network/Sewermainform.h"

#include <QApplication>

#include <memory>

// Until the main window exists, the program opens on the design window with its calculators.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ReadLocaleSettings();
    ReadDateTimeSettings();
    // Network files stamp their save date in this form.
    ShortDateFormat = "mmmm d, yyyy";

    const auto designWindow = std::make_unique<TSewerMainForm>(nullptr);
    SewerMainForm = designWindow.get();
    const auto sectionWindow = std::make_unique<TSectionPropsForm>(nullptr);
    SectionPropsForm = sectionWindow.get();
    const auto housesWindow = std::make_unique<TMinimumGradientForm>(nullptr);
    MinimumGradientForm = housesWindow.get();

    SewerMainForm->Show();
    return app.exec();
}
