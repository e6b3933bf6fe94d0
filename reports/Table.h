#pragma once

#include "controls/Typededit.h"
#include "framework/Form.h"

// The results table window. The network editors read its water use per person and persons per
// house when they apply a sewer's population.
class TTableForm : public TForm {
public:
    explicit TTableForm(TComponent* Owner);

    // Litres per person per day.
    TTypedEdit* InitialLCDTypedEdit;
    TTypedEdit* FinalLCDTypedEdit;
    // Persons per house.
    TTypedEdit* InitialPeopleTypedEdit;
    TTypedEdit* FinalPeopleTypedEdit;
};

extern TTableForm* TableForm;
