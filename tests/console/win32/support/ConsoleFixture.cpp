#include "ConsoleFixture.h"

#include "console/Controls.h"
#include "toolkit/Application.h"
#include "toolkit/TextConvert.h"
#include "toolkit/testing/UiDriver.h"

void ConsoleTest::SetUp()
{
    boxes = std::make_unique<uitest::MessageBoxRecorder>();
    Application->CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    uitest::ShowAndActivate(*Form1);
}

void ConsoleTest::TearDown()
{
    delete Form1;
    Form1 = nullptr;
    uitest::Pump(20);
    boxes.reset();
}

std::wstring ConsoleTest::Panel(int index)
{
    return form().StatusBar1->Panels().Items(index)->Text();
}

std::wstring ConsoleTest::LastBoxText() const
{
    return boxes->Seen().empty() ? std::wstring() : boxes->Seen().back().Text;
}

std::wstring ConsoleTest::LastBoxCaption() const
{
    return boxes->Seen().empty() ? std::wstring() : boxes->Seen().back().Caption;
}

std::wstring W(const char* utf8)
{
    return Utf8ToWide(utf8);
}
