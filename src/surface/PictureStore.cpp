#include "PictureStore.h"

#include <QBuffer>
#include <QByteArray>
#include <map>
#include <mutex>

namespace quoravel {
namespace {

// A page file may bring pictures of its own; past this many the store starts
// again rather than grow without end.
constexpr std::size_t kMostPictures = 32;

template <typename Value>
class Store {
public:
    template <typename Make>
    Value Get(const std::string& encoded, Make make) {
        std::lock_guard lock(mutex_);
        if (auto found = values_.find(encoded); found != values_.end()) return found->second;
        if (values_.size() >= kMostPictures) values_.clear();
        return values_.emplace(encoded, make(encoded)).first->second;
    }

private:
    std::mutex mutex_;
    std::map<std::string, Value> values_;
};

bool IsBitmapFile(const std::string& encoded) { return encoded.starts_with("BM"); }

}  // namespace

QImage DecodePicture(const std::string& encoded) {
    static Store<QImage> decoded;
    return decoded.Get(encoded, [](const std::string& bytes) {
        return QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    });
}

std::string CompactPicture(const std::string& encoded) {
    if (!IsBitmapFile(encoded)) return encoded;
    static Store<std::string> compacted;
    return compacted.Get(encoded, [](const std::string& bytes) {
        const QImage image = DecodePicture(bytes);
        QByteArray png;
        QBuffer buffer(&png);
        if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return bytes;
        return png.toStdString();
    });
}

}  // namespace quoravel
