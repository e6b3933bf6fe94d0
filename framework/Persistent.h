#pragma once

#include "framework/Events.h"

// An object whose values can be copied from another of its kind.
class TPersistent : public TObject {
public:
    // Copies Source's values into this object; raises EConvertError when Source is of
    // another kind.
    virtual void Assign(const TPersistent& Source);
};
