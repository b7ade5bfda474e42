#pragma once
// Starts a program of the test run as its own process and collects what it prints.

#include <windows.h>

#include <string>

namespace talmoran::test {

// Path of a file beside the running test executable.
std::wstring BesideThisExe(const std::wstring& name);

// Runs `commandLine`, waits for it and returns its standard output.
std::string RunAndCapture(const std::wstring& commandLine, DWORD* exitCode = nullptr);

} // namespace talmoran::test
