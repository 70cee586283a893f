#include "PdfFormList.h"

#include <filesystem>

#include "LogFile.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {

PdfForm& PdfFormList::Add(std::string inputFileName, std::string outputFileName, std::string formCaption,
                          bool gypsyNode) {
    return Collection::Add(
        PdfForm{std::move(inputFileName), std::move(outputFileName), std::move(formCaption), gypsyNode});
}

void PdfFormList::Log(IniFile& answer, const std::string& relayFolder,
                      const std::string& programFolder) const {
    if (Count() == 0) return;
    const std::string folder = WithTrailingSeparator(relayFolder);
    answer.SetSection("Engine");

    std::vector<std::string> lines;
    long i = 0;
    for (const auto& form : *this) {
        ++i;
        if (!form->ListedOnly) {
            const auto source = ResolveFileName(WithTrailingSeparator(programFolder) + form->InputFileName);
            const auto target = ResolveFileName(folder + form->OutputFileName);
            std::error_code ec;
            std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, ec);
            if (ec) {
                throw RuntimeError(ErrorNumber::FileNotFound, "clsPDFCOL",
                                   "The form " + source.string() + " cannot be copied to " + target.string() +
                                       ": " + ec.message() + ".");
            }
            answer.WriteINI("Form" + std::to_string(i),
                            Value("file://" + folder + form->OutputFileName + "\u00FD" + form->FormCaption),
                            IniFile::Text);
        }
        lines.push_back(folder + "|" + form->OutputFileName + "|" + form->FormCaption + "|" +
                        (form->ListedOnly ? "True" : "False"));
    }
    WriteLogLines(folder + "PDF.log", lines);
}

}  // namespace quoravel
