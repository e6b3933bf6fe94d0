#include "framework/Persistent.h"

#include "framework/Exceptions.h"

void TPersistent::Assign(const TPersistent&) {
    throw EConvertError("Cannot assign");
}
