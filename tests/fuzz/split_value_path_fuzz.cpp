// libFuzzer target for SplitValuePath. The input is UTF-16LE text, one code
// unit per wchar_t as on Windows (a trailing odd byte is dropped). Every input
// must either raise the run-time error, and then really be malformed, or split
// into parts that obey the value path's rules and rebuild the input exactly.

#include <algorithm>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/RuntimeError.h"
#include "policy/PolicyStore.h"

namespace {

void Require(bool holds)
{
    if (!holds) {
        __builtin_trap();
    }
}

wchar_t AsciiUpper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// The registry's own spellings of the hive, in any ASCII case and nothing
// else: a letter that only upper-cases to ASCII (U+017F, long s) is not one.
bool IsCurrentUserHive(std::wstring_view hive)
{
    const auto equalsUpper = [hive](std::wstring_view upper) {
        return hive.size() == upper.size() && std::equal(hive.begin(), hive.end(), upper.begin(),
                                                         [](wchar_t h, wchar_t u) { return AsciiUpper(h) == u; });
    };
    return equalsUpper(L"HKCU") || equalsUpper(L"HKEY_CURRENT_USER");
}

bool HasEmptySegment(std::wstring_view keyPath)
{
    return keyPath.empty() || keyPath.front() == L'\\' || keyPath.back() == L'\\' ||
           keyPath.find(L"\\\\") != std::wstring_view::npos;
}

// An independent reading of the rules: at least three backslash-separated
// segments, none empty, no NUL anywhere, and the first one names the hive.
bool IsWellFormed(std::wstring_view path)
{
    if (path.find(L'\0') != std::wstring_view::npos) {
        return false;
    }
    std::size_t segments = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find(L'\\', start);
        const std::wstring_view segment = path.substr(start, end == std::wstring_view::npos ? end : end - start);
        if (segment.empty() || (segments == 0 && !IsCurrentUserHive(segment))) {
            return false;
        }
        ++segments;
        if (end == std::wstring_view::npos) {
            return segments >= 3;
        }
        start = end + 1;
    }
}

} // namespace

// A Unicode locale makes towupper and friends map far more than ASCII: the
// split must give the same answer whatever locale the process runs in.
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    (void)std::setlocale(LC_ALL, "C.UTF-8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    std::wstring path(size / 2, L'\0');
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto unit = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8U));
        path[i] = static_cast<wchar_t>(unit);
    }

    talmoran::ValuePath split{};
    try {
        split = talmoran::SplitValuePath(path);
    } catch (const talmoran::RuntimeError&) {
        Require(!IsWellFormed(path)); // a good path was refused
        return 0;
    }
    Require(IsWellFormed(path)); // a bad path was accepted

    const std::wstring_view key = split.keyPath;
    const std::wstring_view name = split.valueName;
    Require(!key.empty() && !name.empty());
    Require(key.find(L'\0') == std::wstring_view::npos && name.find(L'\0') == std::wstring_view::npos);
    Require(!HasEmptySegment(key));
    Require(name.find(L'\\') == std::wstring_view::npos);

    const std::wstring_view whole = path;
    const std::wstring_view hive = whole.substr(0, whole.find(L'\\'));
    Require(IsCurrentUserHive(hive));
    std::wstring rebuilt(hive);
    rebuilt.append(L"\\").append(key).append(L"\\").append(name);
    Require(rebuilt == path);
    return 0;
}
