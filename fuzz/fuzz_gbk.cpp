// The decoding of a whole text file: every reader of text files goes through
// it (readTextFile is the file's bytes and fromGbk).
#include "FuzzCheck.h"
#include "platform/TextFiles.h"

using namespace quorin;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString text = fromGbk(bytes);
    require(text.size() <= bytes.size(), "no more characters than bytes");
    // What the program writes back of a text it read reads back the same.
    const QByteArray again = toGbk(text);
    require(fromGbk(again) == fromGbk(toGbk(fromGbk(again))), "a rewritten text is stable");
    return 0;
}
