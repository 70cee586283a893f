#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "PageContext.h"

namespace quoravel {

struct PrintedSections;

// A relay value shown as text: the relay key, one of its codes and what it means.
struct KeyCode {
    std::string Key;
    std::string Code;
    std::string Text;
};

// The "Client Information" page: every input the outside illustration system
// delivered in the relay file, section by section with readable captions and
// decoded codes, and every input this run corrected (the run's update log).
//
// The caption file holds a section per input section (key = caption), the
// headings of the sections in "Sections" (section name = heading; the
// corrections are headed by the key "Corrections") and in "KeyCodes" one
// record per coded value: "relay key,code,text".
//
// A value is shown as the relay took it: a yes or no as "Yes" or "No", a
// page as chosen only when the proposal carries it (`printed`), and only a
// value the relay reads as a list is split into items.
class ClientInputPage {
public:
    ClientInputPage(PageContext& context, const PrintedSections& printed)
        : context_(context), printed_(printed) {}
    ClientInputPage(const ClientInputPage&) = delete;
    ClientInputPage& operator=(const ClientInputPage&) = delete;

    // The folder setters add the trailing separator when it is missing.
    const std::string& INIPathname() const { return iniPath_; }
    void SetINIPathname(std::string path);
    const std::string& INIFilename() const { return iniName_; }
    void SetINIFilename(std::string name) { iniName_ = std::move(name); }
    const std::string& CAPPathName() const { return capPath_; }
    void SetCAPPathName(std::string path);
    const std::string& CAPFileName() const { return capName_; }
    void SetCAPFileName(std::string name) { capName_ = std::move(name); }

    // Prints the page on a page of its own (the current one when nothing is
    // on it yet); every page it runs on opens with the body header until finish.
    void start();
    void finish();

private:
    void Bind();
    // Prints the sections of the relay file; answers how many it printed.
    int PrintInputSections();
    void PrintCorrections(bool first);
    // A section's heading, on the page of its first `rowsWithHeading` rows.
    void PrintHeading(const std::string& heading, bool first, std::size_t rowsWithHeading);
    void PrintRows(const std::vector<std::string>& rows);
    std::string ShownValue(const std::string& key, const std::string& value) const;

    PageContext& context_;
    const PrintedSections& printed_;
    std::shared_ptr<ClientInputPage*> self_;
    std::string iniPath_, iniName_, capPath_, capName_;
    std::vector<KeyCode> keyCodes_;
    std::string savedTableSep_;
};

// The routine of a relay case: the page from relay.ini of the run's folder
// and the run's corrections, with the captions of Quoravel.ini in the program
// folder, reported to the outside system as the node "Client Information".
// It follows the proposal whose sections are `printed`.
void PrintClientInformation(PageContext& context, const PrintedSections& printed);

}  // namespace quoravel
