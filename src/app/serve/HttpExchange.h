#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Text.h"

namespace quoravel {

// One HTTP request as the API reads it, whatever carried it.
struct HttpRequest {
    std::string method;
    std::string path;  // the target less its query
    std::string peer;  // the client's address
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // A header's value, "" when it is absent; names are matched without regard to case.
    std::string Header(std::string_view name) const {
        for (const auto& [key, value] : headers)
            if (EqualNoCase(key, name)) return value;
        return {};
    }
};

// Its answer.
struct HttpAnswer {
    int status = 200;
    std::string contentType;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

}  // namespace quoravel
