#pragma once
// Test doubles of the platform interfaces: check boxes, registry, message box.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/CheckBoxes.h"
#include "platform/ModalMessageBox.h"
#include "platform/Registry.h"
#include "platform/RuntimeError.h"

namespace talmoran::test {

class FakeCheckBoxes final : public CheckBoxes {
public:
    std::array<CheckValue, 27> values{};
    std::optional<std::int16_t> failingIndex;
    mutable int reads = 0;

    void Tick(std::initializer_list<int> indexes)
    {
        for (const int i : indexes) {
            values.at(static_cast<std::size_t>(i)) = CheckValue::Ticked;
        }
    }

    [[nodiscard]] CheckValue Value(std::int16_t index) const override
    {
        ++reads;
        if (index < 0 || index >= static_cast<std::int16_t>(values.size()) || failingIndex == index) {
            throw RuntimeError::SubscriptOutOfRange();
        }
        return values.at(static_cast<std::size_t>(index));
    }
};

// A registry of (key path, value name) -> DWORD that can refuse the key or the write.
class FakeRegistry final : public CurrentUserRegistry {
public:
    std::map<std::pair<std::wstring, std::wstring>, std::uint32_t> values;
    std::vector<std::wstring> createdKeys;
    int writes = 0;
    bool refuseKey = false;
    bool refuseWrite = false;

    [[nodiscard]] std::unique_ptr<RegistryKey> CreateKey(std::wstring_view keyPath) override
    {
        if (refuseKey) {
            throw RuntimeError(5, L"Access is denied.");
        }
        createdKeys.emplace_back(keyPath);
        return std::make_unique<Key>(*this, std::wstring(keyPath));
    }

private:
    class Key final : public RegistryKey {
    public:
        Key(FakeRegistry& owner, std::wstring path) : owner_(owner), path_(std::move(path)) {}
        void SetDword(std::wstring_view valueName, std::uint32_t data) override
        {
            if (owner_.refuseWrite) {
                throw RuntimeError(5, L"Access is denied.");
            }
            ++owner_.writes;
            owner_.values[{path_, std::wstring(valueName)}] = data;
        }

    private:
        FakeRegistry& owner_;
        std::wstring path_;
    };
};

class FakeMessageBox final : public ModalMessageBox {
public:
    struct Shown {
        std::wstring prompt;
        MessageBoxStyle style;
    };
    std::vector<Shown> shown;
    std::optional<std::size_t> failingCall; // 0-based call that raises

    int Show(std::wstring_view prompt, MessageBoxStyle style) override
    {
        const std::size_t call = shown.size();
        shown.push_back({std::wstring(prompt), style});
        if (failingCall == call) {
            throw RuntimeError(1400, L"Invalid window handle.");
        }
        return 1;
    }
};

// A function, not a global string: building a std::wstring before main could
// throw where no test can catch it.
inline std::wstring ExplorerPolicyKey()
{
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
}

} // namespace talmoran::test
