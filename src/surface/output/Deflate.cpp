#include "Deflate.h"

#include <zlib.h>

#include <new>

namespace quoravel {

std::string Deflate(std::string_view bytes, int level) {
    uLongf length = compressBound(bytes.size());
    std::string out(length, '\0');
    // compress2 fails only for want of memory with a buffer of this size.
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(bytes.data()),
                  bytes.size(), level) != Z_OK)
        throw std::bad_alloc();
    out.resize(length);
    return out;
}

}  // namespace quoravel
