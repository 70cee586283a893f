#pragma once

#include <memory>
#include <string>

namespace quoravel {

// A picture as a PDF stores it: its pixels as RGB, deflated, and its
// transparency as a separate gray mask. Made once per process and picture
// file, as the banners appear in every proposal.
struct PdfPicture {
    // Nothing when the bytes are no picture. Safe from any thread.
    static std::shared_ptr<const PdfPicture> For(const std::string& encoded);

    int width = 0;
    int height = 0;
    std::string rgb;    // deflated, 8 bits a component
    std::string alpha;  // deflated; empty when the picture is opaque
};

}  // namespace quoravel
