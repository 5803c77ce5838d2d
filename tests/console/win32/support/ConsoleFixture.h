// A running console for Wine tests: the real main window, created the way the
// program creates it, shown and pumped; message boxes are recorded and
// answered instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "console/Form1.h"
#include "toolkit/testing/MessageBoxRecorder.h"

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TForm1& form() { return *Form1; }
    std::wstring Panel(int index);
    // Text and caption of the most recent message box, or empty texts.
    std::wstring LastBoxText() const;
    std::wstring LastBoxCaption() const;

    std::unique_ptr<uitest::MessageBoxRecorder> boxes;
};

// UTF-16 text from UTF-8 source literals.
std::wstring W(const char* utf8);
