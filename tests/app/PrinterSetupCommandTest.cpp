#include "framework/Printer.h"
#include "tests/app/ProgramWindows.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>

#include <optional>
#include <string>

namespace {

using PrinterSetupCommand = ProgramWindows;

bool Exists(const AnsiString& path) {
    return QFile::exists(QString::fromStdString(path.str()));
}

// No system printer, whatever the machine has: jobs go to PDF files.
void UsePdfPrinter(const AnsiString& file) {
    Printer()->Device().setOutputFormat(QPrinter::PdfFormat);
    Printer()->Device().setOutputFileName(QString::fromStdString(file.str()));
}

// The setup names a PDF file, as Qt's dialog does when it is accepted on a machine without a
// printer: each print then still asks for its file, offering the last one, and writes only there.
TEST_F(PrinterSetupCommand, EveryPrintToAPdfFileAsksForTheFile) {
    FrontForm->ShowChildForm(DataEntryForm);
    for (TMenuItem* command : {FrontForm->Printtable1, FrontForm->PrintForm1}) {
        SCOPED_TRACE(command->GetCaption().str());
        for (const char* name : {"print.pdf", "first.pdf", "second.pdf"})
            QFile::remove(dir.filePath(name));
        UsePdfPrinter(Path("print.pdf"));
        Responder().Clear();
        Responder().PrinterSetupAnswers.push_back(true);
        FrontForm->PrintSetup1->Click();
        EXPECT_EQ(Responder().PrinterSetups, 1);

        const struct {
            std::optional<AnsiString> answer;
            AnsiString offered;
        } jobs[] = {{Path("first.pdf"), Path("print.pdf")},
                    {std::nullopt, Path("first.pdf")},
                    {Path("second.pdf"), Path("first.pdf")}};
        for (const auto& job : jobs) {
            Responder().FilesAsked.clear();
            Responder().AnswerFile(job.answer);
            command->Click();
            ASSERT_EQ(Responder().FilesAsked.size(), 1u);
            EXPECT_EQ(Responder().FilesAsked[0].FileName, job.offered);
            EXPECT_TRUE(Responder().FilesAsked[0].OverwritePrompt);
        }
        EXPECT_TRUE(Responder().Asked.empty());
        EXPECT_FALSE(Exists(Path("print.pdf")));
        EXPECT_TRUE(Exists(Path("first.pdf")));
        EXPECT_TRUE(Exists(Path("second.pdf")));
    }
}

// The program's own answers: Qt's dialogs in place of the scripted responder.
struct QtDialogs {
    QtDialogs() { SetDialogResponder(nullptr); }
    ~QtDialogs() { SetDialogResponder(&Responder()); }
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;
};

// File > Printer Setup shows Qt's print dialog as a setup: its button says OK, and accepting it
// prints nothing.
TEST_F(PrinterSetupCommand, TheSetupDialogIsAcceptedWithOKAndPrintsNothing) {
    UsePdfPrinter(Path("setup.pdf"));
    QString title, accept;
    {
        const QtDialogs qtDialogs;
        QTimer finder;
        QObject::connect(&finder, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QPrintDialog*>(window);
                if (!dialog || !dialog->isVisible())
                    continue;
                finder.stop();
                title = dialog->windowTitle();
                QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
                accept = ok->text();
                ok->click();
            }
        });
        finder.start(10);
        FrontForm->PrintSetup1->Click();
    }
    EXPECT_EQ(title.toStdString(), "Printer Setup");
    EXPECT_EQ(accept.toStdString(), "OK");
    EXPECT_FALSE(Exists(Path("setup.pdf")));

    // The file named in the setup is offered to the next print.
    FrontForm->ShowChildForm(DataEntryForm);
    Responder().Clear();
    FrontForm->PrintForm1->Click();
    ASSERT_EQ(Responder().FilesAsked.size(), 1u);
    EXPECT_EQ(Responder().FilesAsked[0].FileName, Path("setup.pdf"));
    EXPECT_FALSE(Exists(Path("setup.pdf")));
}

} // namespace
