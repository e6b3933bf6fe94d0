#pragma once

#include "app/AboutUnit.h"
#include "app/Dataentry.h"
#include "app/Datum.h"
#include "app/Front.h"
#include "app/Visualedit.h"
#include "network/Mingradientform.h"
#include "network/Sectionpropsform.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "reports/Costings.h"
#include "reports/Table.h"
#include "reports/Tablecontrol.h"
#include "tests/support/ScriptedResponder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// The program's windows as its start-up creates them (without the splash), each in its global
// pointer, and a folder for the files a test writes.
class ProgramWindows : public testing::Test {
protected:
    void SetUp() override {
        Responder().Clear();
        ASSERT_TRUE(dir.isValid());
        FrontForm = new TFrontForm(&owner);
        SewerMainForm = new TSewerMainForm(&owner);
        VisualEditForm = new TVisualEditForm(&owner);
        DataEntryForm = new TDataEntryForm(&owner);
        SectionPropsForm = new TSectionPropsForm(&owner);
        TableForm = new TTableForm(&owner);
        TableColumnsEditorForm = new TTableColumnsEditorForm(&owner);
        AboutBox = new TAboutBox(&owner);
        DatumForm = new TDatumForm(&owner);
        MinimumGradientForm = new TMinimumGradientForm(&owner);
        CostingsForm = new TCostingsForm(&owner);
    }

    void TearDown() override {
        Responder().Clear();
        while (!owner.Components().empty())
            delete owner.Components().back();
        FrontForm = nullptr;
        SewerMainForm = nullptr;
        VisualEditForm = nullptr;
        DataEntryForm = nullptr;
        SectionPropsForm = nullptr;
        TableForm = nullptr;
        TableColumnsEditorForm = nullptr;
        AboutBox = nullptr;
        DatumForm = nullptr;
        MinimumGradientForm = nullptr;
        CostingsForm = nullptr;
    }

    AnsiString Path(const char* name) const { return dir.filePath(name).toStdString(); }
    static AnsiString Data(const char* name) { return AnsiString(DRENVALA_TEST_DATA "/") + name; }

    // Reads the file through File > Read Network, answering the open dialog with it; no save
    // is offered first.
    void Read(const AnsiString& file) {
        DataEntryForm->NetworkChanged = false;
        Responder().AnswerFile(file);
        FrontForm->ReadNetwork1->Click();
    }

    TComponent owner{nullptr};
    QTemporaryDir dir;
};
