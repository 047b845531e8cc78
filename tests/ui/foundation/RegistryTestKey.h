#pragma once
// A fixture that gives each test a key of its own below
// HKEY_CURRENT_USER\Software\TROVconf Tests, empty at the start and removed
// at the end, with raw access to check stored bytes and plant damaged ones.
#include "framework/String.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trovtest {

class RegistryTestKey : public ::testing::Test {
protected:
    // The company key of all registry tests, below HKEY_CURRENT_USER\Software.
    static constexpr const char* kCompany = "TROVconf Tests";

    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_name = std::string(info->test_suite_name()) + "." + info->name();
        m_path = CString("Software\\") + kCompany + "\\" + m_name.c_str();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path);
    }
    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path);
        // The company key goes too once no test uses it.
        CString company = CString("Software\\") + kCompany;
        ::RegDeleteKeyA(HKEY_CURRENT_USER, company);
    }

    // The test's key, relative to HKEY_CURRENT_USER, without a trailing "\".
    const CString& Path() const { return m_path; }
    // The test's name: a company key "TROVconf Tests\<name>" for tests of
    // components that build their own paths.
    CString CompanyKey() const { return CString(kCompany) + "\\" + m_name.c_str(); }

    CString Sub(const char* sub) const { return (sub == nullptr || *sub == '\0') ? m_path : m_path + "\\" + sub; }

    void CreateRawKey(const char* sub)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, Sub(sub), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                   &hKey, nullptr));
        ::RegCloseKey(hKey);
    }
    bool RawKeyExists(const char* sub) const
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, Sub(sub), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(hKey);
        return true;
    }
    void WriteRaw(const char* sub, const char* name, DWORD type, const std::vector<BYTE>& bytes)
    {
        CreateRawKey(sub);
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, Sub(sub), 0, KEY_ALL_ACCESS, &hKey));
        ::RegSetValueExA(hKey, name, 0, type, bytes.data(), DWORD(bytes.size()));
        ::RegCloseKey(hKey);
    }
    void WriteRaw(const char* name, DWORD type, const std::vector<BYTE>& bytes) { WriteRaw("", name, type, bytes); }

    // The bytes of a value (empty when it is missing) and its type.
    std::vector<BYTE> ReadRaw(const char* sub, const char* name, DWORD* pType = nullptr) const
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, Sub(sub), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return {};
        DWORD type = 0, size = 0;
        std::vector<BYTE> bytes;
        if (::RegQueryValueExA(hKey, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            bytes.resize(size);
            ::RegQueryValueExA(hKey, name, nullptr, &type, bytes.data(), &size);
            bytes.resize(size);
        }
        ::RegCloseKey(hKey);
        if (pType != nullptr)
            *pType = type;
        return bytes;
    }
    std::vector<BYTE> ReadRaw(const char* name, DWORD* pType) const { return ReadRaw("", name, pType); }

private:
    std::string m_name;
    CString m_path;
};

} // namespace trovtest
