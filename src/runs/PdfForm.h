#pragma once

#include <string>

namespace quoravel {

// A PDF form handed to the outside illustration system with the proposal.
struct PdfForm {
    std::string InputFileName;   // in the program folder
    std::string OutputFileName;  // under this name in the relay folder
    std::string FormCaption;
    bool ListedOnly = false;  // true: listed in PDF.log only, neither copied nor announced
};

}  // namespace quoravel
