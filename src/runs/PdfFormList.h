#pragma once

#include <string>

#include "Collection.h"
#include "clsINIFile.h"
#include "clsPDF.h"

namespace quoravel {

// The PDF forms of one relay run.
class clsPDFCOL : public Collection<clsPDF> {
public:
    clsPDF& Add(std::string inputFileName, std::string outputFileName, std::string formCaption,
                bool gypsyNode);

    // Copies each announced form from the program folder into the relay folder,
    // writes its "Form" key into section "Engine" of the relay answer, and
    // rewrites PDF.log in the relay folder. An empty list touches nothing. A
    // form that cannot be copied raises a RuntimeError naming it.
    void Log(clsINIFile& answer, const std::string& relayFolder, const std::string& programFolder) const;
};

}  // namespace quoravel
