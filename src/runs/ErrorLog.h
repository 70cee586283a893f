#pragma once

#include <string>
#include <string_view>

#include "Collection.h"
#include "IniFile.h"
#include "LoggedError.h"

namespace quoravel {

// What stands between a message's severity and its text in the relay answer
// ("Message_1=Error" + separator + text): the outside system splits there.
inline constexpr std::string_view kMessageSeparator = "\u00FD\u00FD";

// The errors and warnings of one run. In relay mode the problems a user would
// see in a message box are collected here and written into the relay answer.
class ErrorLog : public Collection<LoggedError> {
public:
    LoggedError& Add(std::int32_t severity, std::string description, std::int32_t number = 0,
                     std::string moduleName = {}, std::string routineName = {});

    // "Error" when any entry is an error, else "Warning" when any is a
    // warning, else "".
    std::string GetSeverity() const;
    // The relay result code: 0 no error, 4 the first error is a plain error,
    // 1 it is an error reported with its place.
    int Status() const;

    // Writes "Status" and the messages into section "Engine" of the relay
    // answer; an empty log writes "Status" = 0 alone.
    void AnswerInto(IniFile& answer) const;
    // Rewrites Error.log in the folder, one line per entry; an empty log
    // leaves it alone.
    void WriteErrorLog(const std::string& folder) const;
};

}  // namespace quoravel
