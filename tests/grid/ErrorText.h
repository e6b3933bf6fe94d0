#pragma once

#include "framework/Exceptions.h"

#include <string>

// The message of the error of type E the call raises, or "no error"; an error of another type
// goes on to fail the test.
template <class E = Exception, class Call> std::string ErrorText(Call&& call) {
    try {
        call();
    } catch (const E& error) {
        return error.Message.str();
    }
    return "no error";
}
