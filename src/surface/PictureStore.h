#pragma once

#include <QImage>
#include <map>
#include <mutex>
#include <string>

namespace quoravel {

// Pictures are a handful of files (the carriers' banners, the cover) drawn
// on page after page and proposal after proposal: each is decoded once per
// process and handed out as the same image, so that a PDF that gets it on
// every page stores it once. Safe to call from any thread.

// What is made of a picture file, kept once per process under the file's
// bytes; safe to use from any thread.
template <typename Value>
class PerPicture {
public:
    // The value kept for `encoded`, made by `make(encoded)` the first time.
    template <typename Make>
    Value Get(const std::string& encoded, Make make) {
        std::lock_guard lock(mutex_);
        if (auto found = values_.find(encoded); found != values_.end()) return found->second;
        // A page file may bring pictures of its own; past this many the
        // store starts again rather than grow without end.
        if (values_.size() >= kMostPictures) values_.clear();
        return values_.emplace(encoded, make(encoded)).first->second;
    }

private:
    static constexpr std::size_t kMostPictures = 32;
    std::mutex mutex_;
    std::map<std::string, Value> values_;
};

// The picture of the encoded bytes; a null image when they are no picture.
QImage DecodePicture(const std::string& encoded);

// The bytes a page keeps of a picture: an uncompressed bitmap (BMP) becomes a
// PNG of the very same pixels, a tenth of its size or less; every other
// picture file is kept as it is.
std::string CompactPicture(const std::string& encoded);

}  // namespace quoravel
