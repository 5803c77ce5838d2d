// Checks the test prefix itself: the serial null-modem pair behind COM1/COM2
// and Chinese glyphs behind the toolkit's default face "MS Sans Serif".
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace {

HANDLE OpenPort(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

DWORD BytesWaiting(HANDLE port)
{
    DWORD errors = 0;
    COMSTAT stat{};
    ClearCommError(port, &errors, &stat);
    return stat.cbInQue;
}

}  // namespace

TEST(WineEnvironment, Com1BytesArriveOnCom2)
{
    HANDLE com1 = OpenPort("COM1");
    HANDLE com2 = OpenPort("COM2");
    ASSERT_NE(com1, INVALID_HANDLE_VALUE);
    ASSERT_NE(com2, INVALID_HANDLE_VALUE);
    PurgeComm(com2, PURGE_RXCLEAR);

    const unsigned char frame[] = {0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB};
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(com1, frame, sizeof frame, &written, nullptr));
    EXPECT_EQ(written, sizeof frame);

    for (int i = 0; i < 200 && BytesWaiting(com2) < sizeof frame; ++i)
        Sleep(5);
    unsigned char got[sizeof frame] = {};
    DWORD read = 0;
    ASSERT_EQ(BytesWaiting(com2), sizeof frame);
    ASSERT_TRUE(ReadFile(com2, got, sizeof got, &read, nullptr));
    EXPECT_EQ(read, sizeof frame);
    EXPECT_EQ(0, memcmp(got, frame, sizeof frame));
    CloseHandle(com1);
    CloseHandle(com2);
}

// Wine hands out a handle for a COM name whose device is missing, but the
// port cannot be configured; on Windows the open itself fails. Either way the
// console reports the port as invalid.
TEST(WineEnvironment, UnmappedPortCannotBeConfigured)
{
    HANDLE com5 = OpenPort("COM5");
    if (com5 == INVALID_HANDLE_VALUE)
        return;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    EXPECT_FALSE(GetCommState(com5, &dcb) && SetCommState(com5, &dcb));
    CloseHandle(com5);
}

TEST(WineEnvironment, MsSansSerifHasChineseGlyphs)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -11;
    wcscpy(lf.lfFaceName, L"MS Sans Serif");
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    const wchar_t text[] = L"\x8FDE\x63A5\x9023";  // 连接連
    WORD glyphs[3] = {};
    ASSERT_EQ(GetGlyphIndicesW(dc, text, 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 3u);
    for (WORD g : glyphs)
        EXPECT_NE(g, 0xFFFF);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}
