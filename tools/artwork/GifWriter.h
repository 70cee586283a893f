#pragma once

#include <string>

#include <QImage>

namespace quoravel {

// Encodes an indexed picture (QImage::Format_Indexed8, at most 256 colours)
// as a GIF89a file: one image, the picture's colour table as the global
// table, LZW-compressed. Qt reads GIF but has no GIF writer. Any other
// format, an empty picture or more than 256 colours is refused with an error.
std::string EncodeGif(const QImage& indexed);

}  // namespace quoravel
