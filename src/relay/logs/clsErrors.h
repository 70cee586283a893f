#pragma once

#include <string>

#include "Collection.h"
#include "clsError.h"

namespace quoravel {

// The errors and warnings of one run. In relay mode the problems a user would
// see in a message box are collected here and written into the relay answer.
class clsErrors : public Collection<clsError> {
public:
    clsError& Add(std::int32_t severity, std::string description, std::int32_t number = 0,
                  std::string moduleName = {}, std::string routineName = {});

    // "Error" when any entry is an error, else "Warning" when any is a
    // warning, else "".
    std::string GetSeverity() const;
    // The relay result code: 0 no error, 4 the first error is a plain error,
    // 1 it is an error reported with its place.
    int Status() const;

    // Writes "Status" and the messages into section "Engine" of the relay
    // answer path + fileName, and rewrites Error.log in the same folder.
    // An empty log writes "Status" = 0 and leaves Error.log alone.
    void Log(const std::string& path, const std::string& fileName) const;
};

}  // namespace quoravel
