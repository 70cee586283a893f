#pragma once

#include <string>

namespace quoravel {

// How the core speaks to the user: the main window shows message boxes, the
// tests answer them. The core never includes a widget header.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A critical message box with an OK button. After it the program ends:
    // the window's implementation saves the open case file and the broker
    // file and closes every window.
    virtual void CriticalError(const std::string& title, const std::string& text) = 0;
};

}  // namespace quoravel
