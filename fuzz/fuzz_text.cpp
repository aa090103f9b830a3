// The decoding of a file's bytes: whatever the bytes, the text handed on is
// valid UTF-8, and UTF-8 survives the trip through UTF-16 unchanged.
#include "fuzz/FuzzCheck.h"
#include "platform/TextCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::TextEncoding encoding = platform::DetectEncoding(bytes);
    std::string text = platform::DecodeText(bytes, encoding, platform::Cp1252ToUtf8);
    Check(platform::IsValidUtf8(text), "decoded text is valid UTF-8");
    Check(platform::Utf16ToUtf8(platform::Utf8ToUtf16(text)) == text, "UTF-8 survives UTF-16");
    if (encoding == platform::TextEncoding::Utf8)
        Check(text == bytes, "valid UTF-8 is handed on as it is");
    return 0;
}
