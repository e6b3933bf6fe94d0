#include "framework/Application.h"
#include "framework/CommonDialogs.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"
#include "framework/StatusBar.h"
#include "tests/framework/ActiveWindow.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A main window's menu: File > Save (Ctrl+S), a disabled Print, and an item the program checks.
struct MenuForm : TForm {
    MenuForm() : TForm(nullptr) {
        Menu->Items->Add(File);
        File->SetCaption("&File");
        for (TMenuItem* item : {Save, Print, Large}) {
            File->Add(item);
            item->OnClick = [this, item](TObject*) { Clicks.push_back(item->GetCaption().str()); };
        }
        Save->SetCaption("&Save");
        Save->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
        Save->Hint = "Save|Save the network to its file";
        Print->SetCaption("&Print");
        Print->SetShortCut(ShortCut('P', TShiftState{ssCtrl}));
        Print->SetEnabled(false);
        Large->SetCaption("Large");
        SetMenu(Menu);
        EndLayout();
    }
    TMainMenu* Menu = new TMainMenu(this);
    TMenuItem* File = new TMenuItem(this);
    TMenuItem* Save = new TMenuItem(this);
    TMenuItem* Print = new TMenuItem(this);
    TMenuItem* Large = new TMenuItem(this);
    std::vector<std::string> Clicks;
};

TEST(Menus, ShortCutsClickTheirItemsAndTheProgramKeepsTheCheckMarks) {
    MenuForm form;
    form.SetClientSize(300, 200);
    ShowActive(form);
    // The menu bar sits above the client area, which keeps its size.
    EXPECT_EQ(form.ClientHeight(), 200);
    EXPECT_GT(form.Height(), 200);
    QTest::keyClick(form.View(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(form.View(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(form.Clicks, std::vector<std::string>{"&Save"});

    form.Large->Action()->trigger();
    EXPECT_FALSE(form.Large->GetChecked());
    form.Large->SetChecked(true);
    EXPECT_TRUE(form.Large->Action()->isChecked());

    AnsiString hinted;
    Application->OnHint = [&](TObject*) { hinted = Application->GetHint(); };
    emit form.Save->Action()->hovered();
    EXPECT_EQ(hinted, "Save the network to its file");
    Application->OnHint = nullptr;
    Application->SetHint("");
}

// A control opens its menu on a right click, unless the menu waits to be opened by code (the
// visual editor's; a menu opened by code is the dialog seam's test).
TEST(Menus, APopupMenuOpensOnARightClick) {
    Responder().Clear();
    TForm form(nullptr);
    auto* box = new TPanel(&form);
    box->SetParent(&form);
    auto* menu = new TPopupMenu(&form);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    form.Show();
    box->PopupMenu = menu;
    const QPoint at(5, 5);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, box->View()->mapToGlobal(at));
    QApplication::sendEvent(box->View(), &rightClick);
    EXPECT_EQ(popups, 1);
    menu->AutoPopup = false;
    QApplication::sendEvent(box->View(), &rightClick);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(Responder().MenusShown.size(), 1u);
    Responder().Clear();
}

TEST(FileDialogs, AskThroughTheSeamAndAddTheDefaultExtension) {
    Responder().Clear();
    TSaveDialog save(nullptr);
    save.Filter = "Sewer Network files (*.snt)|*.snt|All files (*.*)|*.*";
    save.DefaultExt = "snt";
    save.Options |= ofOverwritePrompt;
    Responder().AnswerFile(AnsiString("/work/nets/riverside"));
    Responder().AnswerFile(std::nullopt);
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, "/work/nets/riverside.snt");
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName, "/work/nets/riverside.snt");
    ASSERT_EQ(Responder().FilesAsked.size(), 2u);
    EXPECT_TRUE(Responder().FilesAsked[0].Saving);
    EXPECT_TRUE(Responder().FilesAsked[0].OverwritePrompt);
    EXPECT_EQ(Responder().FilesAsked[1].FileName, "/work/nets/riverside.snt");

    TOpenDialog open(nullptr);
    Responder().AnswerFile(AnsiString("/work/nets/old.SNT"));
    open.DefaultExt = "snt";
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, "/work/nets/old.SNT");
    EXPECT_FALSE(Responder().FilesAsked.back().Saving);
    EXPECT_FALSE(open.Execute());

    EXPECT_GT(ShellExecute("open", "https://example.org/drenvala"), 32);
    Application->HelpFile = "Drenvala.hlp";
    EXPECT_TRUE(Application->HelpCommand(HELP_FINDER, 0));
    TForm form(nullptr);
    form.HelpContext = 10;
    auto* box = new TEdit(&form);
    box->SetParent(&form);
    form.Show();
    QTest::keyClick(box->View(), Qt::Key_F1);
    ASSERT_EQ(Responder().Opened.size(), 3u);
    EXPECT_EQ(Responder().Opened[0], "https://example.org/drenvala");
    EXPECT_EQ(Responder().Opened[1], Application->ExeDir() + "Drenvala.html");
    EXPECT_EQ(Responder().Opened[2], "file://" + Application->ExeDir() + "Drenvala.html#10");
    Responder().Clear();
}

// The visual editor's tool panel: three mode buttons in group 1 and a toggle allowed all up.
struct ToolForm : TForm {
    ToolForm() : TForm(nullptr) {
        for (TSpeedButton* button : {Zoom, Draw, Pick}) {
            button->SetParent(this);
            button->SetGroupIndex(1);
            button->OnClick = [this](TObject*) { ++Clicks; };
        }
        Pick->SetDown(true);
        Names->SetParent(this);
        Names->SetGroupIndex(2);
        Names->SetAllowAllUp(true);
        Names->SetDown(true);
        Status->SetParent(this);
        for (int width : {100, 60}) {
            TStatusPanel* panel = Status->Panels->Add();
            panel->SetWidth(width);
        }
        EndLayout();
    }
    TSpeedButton* Zoom = new TSpeedButton(this);
    TSpeedButton* Draw = new TSpeedButton(this);
    TSpeedButton* Pick = new TSpeedButton(this);
    TSpeedButton* Names = new TSpeedButton(this);
    TStatusBar* Status = new TStatusBar(this);
    int Clicks = 0;
};

TEST(ToolControls, SpeedButtonsStayDownOnePerGroup) {
    ToolForm form;
    form.Show();
    // Which of Zoom, Draw, Pick and Names are down after each click.
    const struct {
        TSpeedButton* ToolForm::*clicked;
        const char* down;
    } rows[] = {
        {&ToolForm::Zoom, "z..n"},
        // A down button of a group that may not be all up stays down.
        {&ToolForm::Zoom, "z..n"},
        {&ToolForm::Draw, ".d.n"},
        {&ToolForm::Names, ".d.."},
        {&ToolForm::Names, ".d.n"},
    };
    int clicks = 0;
    for (const auto& row : rows) {
        QTest::mouseClick((form.*row.clicked)->View(), Qt::LeftButton);
        std::string down;
        for (const auto& [button, letter] :
             {std::pair{form.Zoom, 'z'}, {form.Draw, 'd'}, {form.Pick, 'p'}, {form.Names, 'n'}})
            down += button->GetDown() ? letter : '.';
        EXPECT_EQ(down, row.down);
        EXPECT_EQ(static_cast<QToolButton*>(form.Draw->View())->isChecked(), form.Draw->GetDown());
        if (row.clicked != &ToolForm::Names) {
            EXPECT_EQ(form.Clicks, ++clicks);
        }
    }
}

TEST(ToolControls, StatusBarShowsItsPanelsOrItsSimpleText) {
    ToolForm form;
    form.SetClientSize(400, 300);
    form.Show();
    // It takes the window's bottom.
    EXPECT_EQ(form.Status->BoundsRect(), Rect(0, 300 - form.Status->Height(), 400, 300));
    form.Status->Panels->Items(0)->SetText("Scale: 1.0");
    form.Status->Panels->Items(1)->SetText("X: 12.3");
    auto shown = [&] {
        QApplication::processEvents();
        std::vector<std::string> texts;
        for (const QLabel* label : form.Status->View()->findChildren<QLabel*>())
            if (label->isVisible())
                texts.push_back(label->text().toStdString());
        return texts;
    };
    EXPECT_EQ(shown(), (std::vector<std::string>{"Scale: 1.0", "X: 12.3"}));
    form.Status->SetSimpleText("Ready");
    form.Status->SetSimplePanel(true);
    EXPECT_EQ(shown(), std::vector<std::string>{"Ready"});
}

TEST(ToolControls, PageControlChangesPagesForTheUserAndForCode) {
    TForm form(nullptr);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    auto* sewers = new TTabSheet(&form);
    auto* junctions = new TTabSheet(&form);
    sewers->SetPageControl(pages);
    sewers->SetCaption("Sewers");
    junctions->SetPageControl(pages);
    junctions->SetCaption("Junctions");
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form.Show();
    auto& tabs = *static_cast<QTabWidget*>(pages->View());
    EXPECT_EQ(pages->GetActivePage(), sewers);
    // A key changes the page as a click does; code changes it without OnChange.
    QTest::keyClick(tabs.tabBar(), Qt::Key_Right);
    EXPECT_EQ(pages->GetActivePage(), junctions);
    EXPECT_EQ(changes, 1);
    pages->SetActivePageIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(tabs.currentWidget(), sewers->View());
    EXPECT_EQ(changes, 1);
    // Pages without tabs still change.
    sewers->SetTabVisible(false);
    junctions->SetTabVisible(false);
    pages->SetActivePage(junctions);
    QApplication::processEvents();
    EXPECT_FALSE(tabs.tabBar()->isVisible());
    EXPECT_EQ(tabs.currentWidget(), junctions->View());
}

} // namespace
