#pragma once

#include <string>
#include <string_view>

namespace quoravel {

// The bytes deflated with zlib at `level` (Z_BEST_SPEED to
// Z_BEST_COMPRESSION), as a PDF's FlateDecode filter reads them.
std::string Deflate(std::string_view bytes, int level);

}  // namespace quoravel
