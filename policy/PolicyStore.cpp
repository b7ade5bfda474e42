#include "policy/PolicyStore.h"

namespace talmoran {

void WritePolicyValue(CurrentUserRegistry& registry, Policy policy, Int32 value, std::wstring& PolicyPath)
{
    PolicyPath = L"HKCU\\" + std::wstring(kPolicyKeyPath) + L"\\" + std::wstring(PolicyValueName(policy));
    const auto key = registry.CreateKey(kPolicyKeyPath);
    key->SetDword(PolicyValueName(policy), static_cast<std::uint32_t>(value));
}

} // namespace talmoran
