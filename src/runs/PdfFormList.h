#pragma once

#include <string>

#include "Collection.h"
#include "IniFile.h"
#include "PdfForm.h"

namespace quoravel {

// The PDF forms of one relay run.
class PdfFormList : public Collection<PdfForm> {
public:
    PdfForm& Add(std::string inputFileName, std::string outputFileName, std::string formCaption,
                 bool gypsyNode);

    // Copies each announced form from the program folder into the relay folder,
    // writes its "Form" key into section "Engine" of the relay answer, and
    // rewrites PDF.log in the relay folder. An empty list touches nothing. A
    // form that cannot be copied raises a RuntimeError naming it.
    void Log(IniFile& answer, const std::string& relayFolder, const std::string& programFolder) const;
};

}  // namespace quoravel
