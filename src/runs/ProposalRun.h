#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "ErrorLog.h"
#include "PdfFormList.h"
#include "ProcessValues.h"
#include "ProposalStamp.h"
#include "UpdateLog.h"
#include "Value.h"

namespace quoravel {

// The answer file of a run, the one name the outside system opens.
inline constexpr const char* kRelayAnswerFile = "relay.out";
// The PDF's name when the relay file names none.
inline constexpr const char* kDefaultPdfName = "illustration.pdf";

// A named page range reported to the outside illustration system.
struct RelayNode {
    std::int16_t StartPage = 0;
    std::int16_t EndPage = 0;
    std::string NodeName;
};

// One key of the answer file with the type it is written as (1 text, 2 number).
struct AnswerValue {
    std::string Key;
    Value Data;
    int DataType = 1;
};

// What the answer tells the outside system besides "Status" and its messages
// (written by WriteRelayAnswer).
struct RelayAnswer {
    // "HeaderValues" and "BasicValues" of the illustrated policy; empty for
    // the face comparison, which has no one policy to report.
    std::vector<AnswerValue> HeaderValues;
    std::vector<AnswerValue> BasicValues;
    // Set once the document has ended and its pages are exported.
    std::optional<std::int16_t> ExportedPages;
    std::vector<RelayNode> Nodes;
};

// One proposal, from the case to its answer: what the run decides (its
// folder, the PDF target, the rate scale, the distribution channel) and what
// it produces (the error, update and form logs, the document's page ranges,
// the policy values of the answer). Relay mode and the window make a new run
// for every proposal, so no proposal sees another's values.
struct ProposalRun {
    ProposalRun(const ProcessValues& process, std::string folder);
    ProposalRun(const ProposalRun&) = delete;
    ProposalRun& operator=(const ProposalRun&) = delete;

    const ProcessValues& process;
    std::string StartDirectory;       // relay.ini in; page files and the answer out
    std::string PdfPath;              // ends with a separator
    std::string PdfName;              // ends with ".pdf"
    bool FISMode = false;             // the bank distribution channel
    bool UsePriorRates = false;       // the prior rate scale applies to this case
    bool RelayUsePriorRates = false;  // the outside system asked for the prior rate scale

    ErrorLog Errors;
    UpdateLog Updates;
    PdfFormList PDFForms;
    RelayAnswer Answer;
    // What the proposal is stamped with, once its case is known and priced:
    // its PDF carries it, and a relay answer its section "Stamp".
    std::optional<ProposalStamp> Stamp;

    bool RelayMode() const { return process.RelayMode; }
    // A window proposal gets its folder once its case is accepted: the run
    // writes there, its PDF included.
    void MoveToFolder(std::string folder);
    const std::string& ProgramFolder() const { return process.ProgramFolder; }

    // The one handler of caught run-time errors: the critical message in the
    // window, else an entry of this run's error log.
    void ProcessError(std::int32_t number, std::int16_t severity, const std::string& description,
                      const std::string& moduleName, const std::string& routineName);
    void ProcessError(const std::exception& error, std::int16_t severity, const std::string& moduleName,
                      const std::string& routineName);

    // PdfPath and PdfName from section "Identifiers" of relay.ini in the run's
    // folder, with their defaults: that folder and "illustration.pdf".
    void ReadPdfTarget();

    // The page files and the answer of an earlier proposal in the run's folder.
    void RemovePreviousPages() const;
    // Everything an earlier relay run left in the folder: its answer,
    // Relay.upd, the logs, the page files, the forms it may have copied
    // (`formFiles`) and "illustration.pdf". The inputs stay.
    void RemovePreviousOutputs(const std::vector<std::string>& formFiles) const;
};

}  // namespace quoravel
