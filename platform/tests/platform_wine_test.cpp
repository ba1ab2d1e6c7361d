#include "platform/gdi.h"
#include "platform/message_loop.h"
#include "platform/testing/memory_surface.h"
#include "platform/testing/wine_support.h"

#include <gtest/gtest.h>

namespace {

using namespace desk::testing;

TEST(WineSetup, AnsiCodePageIsWindows1251) {
    EXPECT_EQ(GetACP(), 1251u) << "run with LC_ALL=ru_RU.UTF-8 and the locale generated";
}

TEST(WineSetup, CyrillicLiteralsAreWindows1251Bytes) {
    const char* text = "П";
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0xCFu);
    EXPECT_EQ(text[1], '\0');
}

TEST(GdiOwners, SelectionPutsThePreviousObjectBack) {
    HDC screen = GetDC(nullptr);
    desk::MemoryDc mem(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ before = GetCurrentObject(mem.get(), OBJ_BRUSH);
    {
        desk::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
        desk::Selection sel(mem.get(), red.get());
        EXPECT_EQ(GetCurrentObject(mem.get(), OBJ_BRUSH), red.get());
    }
    EXPECT_EQ(GetCurrentObject(mem.get(), OBJ_BRUSH), before);
}

TEST(GdiOwners, MemoryDcDrawsIntoItsBitmap) {
    MemorySurface surface(20, 20);
    SetPixel(surface.dc(), 3, 4, RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(surface.dc(), 3, 4), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(surface.dc(), 4, 4), RGB(0, 0, 0)) << "a new bitmap starts black";
}

// Moved into, a DC owner deletes the DC it held at once (not when the
// moved-from owner ends); a PictureDc first puts back what it held.
TEST(GdiOwners, MoveAssignmentReleasesWhatWasHeldAtOnce) {
    const desk::WindowDc screen(nullptr);
    desk::MemoryDc kept(screen.get());
    HDC old = kept.get();
    desk::MemoryDc other(screen.get());
    kept = std::move(other);
    EXPECT_EQ(GetObjectType(old), 0u) << "the old DC still exists";
    EXPECT_EQ(other.get(), nullptr);

    desk::Bitmap first(CreateCompatibleBitmap(screen.get(), 4, 4));
    desk::Bitmap second(CreateCompatibleBitmap(screen.get(), 4, 4));
    desk::PictureDc canvas(screen.get());
    HGDIOBJ stock = GetCurrentObject(canvas.get(), OBJ_BITMAP);
    canvas.select(first.get());
    canvas.select(second.get());
    canvas.takeOut();
    EXPECT_EQ(GetCurrentObject(canvas.get(), OBJ_BITMAP), stock) << "not the object first held";
    canvas.select(first.get());
    HDC canvasDc = canvas.get();
    canvas = desk::PictureDc(screen.get());
    EXPECT_EQ(GetObjectType(canvasDc), 0u);
}

TEST(ModalAnswerer, AnswersAMessageBoxAndKeepsItsText) {
    ModalAnswerer answerer;
    answerer.push(IDNO);
    const int result = MessageBoxA(nullptr, "Заменить?", "Вопрос", MB_YESNO);
    EXPECT_EQ(result, IDNO);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Вопрос");
    EXPECT_NE(answerer.seen()[0].text.find("Заменить?"), std::string::npos);
}

TEST(ModalAnswerer, FallsBackWhenTheQueueIsEmpty) {
    ModalAnswerer answerer({}, IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_OKCANCEL), IDCANCEL);
}

TEST(MessageLoop, ReturnsTheQuitCodeAfterDeliveringWhatCameBefore) {
    int delivered = 0;
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(7);
    const int code = desk::RunMessageLoop([&](const MSG& msg) {
        if (msg.message == WM_APP)
            ++delivered;
    });
    EXPECT_EQ(code, 7);
    EXPECT_EQ(delivered, 2);
}

} // namespace
