// A running console for Wine tests: the real main window, created the way the
// program creates it, with a settings file of its own, shown and pumped;
// message boxes are recorded and answered instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "console/Form1.h"
#include "toolkit/testing/MessageBoxRecorder.h"

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the console; the settings file is whatever the test left at
    // SettingsFile() (nothing: a first start).
    void StartConsole();
    // Closes the window and frees it, as at the end of a session.
    void StopConsole();

    TForm1& form() { return *Form1; }
    // Opens a page the way the operator does: a click on its tab.
    void ClickTab(int index);
    std::wstring Panel(int index);
    std::wstring LastBoxText() const;
    std::wstring LastBoxCaption() const;

    // This test's settings file and its bytes.
    const std::wstring& SettingsFile() const { return settingsFile_; }
    std::vector<uint8_t> SettingsBytes() const;
    void WriteSettingsBytes(const std::vector<uint8_t>& bytes) const;

    std::unique_ptr<uitest::MessageBoxRecorder> boxes;
    // Set before SetUp to start in a given language (a new file is made first).
    int32_t startLanguage = 1;

private:
    std::wstring settingsFile_;
};

// Little-endian 32-bit value at an offset of a byte image.
int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset);
// UTF-16 text from UTF-8 source literals.
std::wstring W(const char* utf8);
