#pragma once

#include <string>
#include <vector>

namespace quoravel {

// How `quoravel serve` was asked to run. The server listens on the loopback
// address unless told otherwise; beyond it, a bearer token is required.
struct ServeOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    // The file holding the bearer token ("" for none); its first line is the token.
    std::string tokenFile;
    std::string token;
    // Where proposal PDFs wait to be fetched by their link: a private folder
    // of the server's own unless named (several instances may share one).
    std::string pdfFolder;
    // A request must arrive whole within this time, or it is answered 408.
    int requestSeconds = 10;
    // Requests that may wait for the engine beyond those it is working on;
    // one more is answered 503.
    int maxWaiting = 32;
    std::vector<std::string> problems;

    bool Loopback() const;
};

// The words after "serve"; the token is read from its file.
ServeOptions ReadServeOptions(const std::vector<std::string>& words);

}  // namespace quoravel
