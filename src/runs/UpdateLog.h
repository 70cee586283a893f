#pragma once

#include <string>

#include "Collection.h"
#include "LoggedUpdate.h"

namespace quoravel {

// The inputs corrected while checking a case from the outside illustration
// system, so that it can take the corrected values over.
class UpdateLog : public Collection<LoggedUpdate> {
public:
    LoggedUpdate& Add(std::string key, Value newValue, std::int32_t dataType);

    // Writes every change into section "Identifiers" of path + fileName
    // (booleans as "Y"/"N") and rewrites Update.log; an empty log touches
    // neither file.
    void Log(const std::string& path, const std::string& fileName) const;
};

}  // namespace quoravel
