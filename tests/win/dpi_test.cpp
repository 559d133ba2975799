// The window at the DPI of its monitor: every place, size and font read back from the real
// window. The Windows tests run once at 96 DPI and once in a prefix at 144 DPI
// (WENDRILL_EXPECT_DPI says which the run is for).

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>

#include "app/dpi.h"
#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"

namespace wendrill {
namespace {

// A rectangle that compares and prints.
struct Place {
    LONG left, top, right, bottom;
    Place(const RECT& r) : left(r.left), top(r.top), right(r.right), bottom(r.bottom) {}
    bool operator==(const Place& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    friend std::ostream& operator<<(std::ostream& out, const Place& p) {
        return out << p.left << "," << p.top << " " << p.right - p.left << "x" << p.bottom - p.top;
    }
};

// What the window looks like at one DPI; places are in the client area.
struct Layout {
    UINT dpi;
    SIZE outer;
    RECT editor, colorBoxField, searchButton, noticeView;
    LONG fontHeight;  // of the controls other than the Editor
};

// clang-format off
const Layout kLayouts[] = {
    {96, {800, 500}, {0, 25, 600, 475}, {111, 2, 159, 22}, {610, 35, 790, 67},
     {610, 80, 820, 440}, -12},
    {144, {1200, 750}, {0, 38, 900, 713}, {167, 3, 239, 33}, {915, 53, 1185, 101},
     {915, 120, 1230, 660}, -18},
};
// clang-format on

const Layout* layoutAt(UINT dpi) {
    for (const Layout& layout : kLayouts) {
        if (layout.dpi == dpi) return &layout;
    }
    return nullptr;
}

Place placeOf(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

SIZE sizeOf(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

LONG fontHeightOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
}

// How high a line of 宋体 at 9 points is on a screen of that DPI.
int lineHeightOfNinePoints(UINT dpi) {
    HFONT font = CreateFontW(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             GB2312_CHARSET, 0, 0, 0, 0, L"\u5B8B\u4F53");
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return metrics.tmHeight;
}

class DpiTest : public test::AppFixture {
  protected:
    void expectLayout(const Layout& want) {
        MainWindow& w = app->window();
        const SIZE outer = sizeOf(w.handle());
        EXPECT_EQ(outer.cx, want.outer.cx);
        EXPECT_EQ(outer.cy, want.outer.cy);
        EXPECT_EQ(placeOf(editor().window()), Place(want.editor));
        EXPECT_EQ(placeOf(w.dropPad()), Place(want.editor)) << "DropPad lies beneath the Editor";
        EXPECT_EQ(placeOf(w.colorBox()), Place(want.colorBoxField));
        EXPECT_EQ(placeOf(w.searchButton()), Place(want.searchButton));
        EXPECT_EQ(placeOf(w.noticeView()), Place(want.noticeView));
        for (HWND control : {w.colorBox(), w.searchButton(), w.searchEdit()}) {
            EXPECT_EQ(fontHeightOf(control), want.fontHeight);
        }
        expectNinePointText(want.dpi);
    }

    // The document's format stays 9 points; on the screen its lines are as high as 9 points are
    // at the DPI.
    void expectNinePointText(UINT dpi) {
        if (editor().lineStart(1) < 0) editor().setText(test::gbk("第一行\r\n第二行"));
        EXPECT_EQ(editor().getCharFormat().size, 9);
        POINTL first{}, second{};
        SendMessageW(editor().window(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
        SendMessageW(editor().window(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second),
                     editor().lineStart(1));
        EXPECT_EQ(second.y - first.y, lineHeightOfNinePoints(dpi));
    }

    UINT dpi() { return windowDpi(app->window().handle()); }
};

TEST_F(DpiTest, EveryPlaceSizeAndFontAtTheMonitorsDpi) {
    startApp();
    if (const char* expected = std::getenv("WENDRILL_EXPECT_DPI")) {
        ASSERT_EQ(dpi(), static_cast<UINT>(std::atoi(expected))) << "the prefix's LogPixels";
    }
    const Layout* layout = layoutAt(dpi());
    ASSERT_NE(layout, nullptr) << "no layout known for " << dpi() << " DPI";
    expectLayout(*layout);
}

// Windows sends WM_DPICHANGED when the window is dragged onto a monitor of another DPI.
TEST_F(DpiTest, MovingToAMonitorOfAnotherDpiRescalesIntoTheSuggestedPlace) {
    startApp();
    const Layout* here = layoutAt(dpi());
    ASSERT_NE(here, nullptr);
    const Layout& there = here == &kLayouts[0] ? kLayouts[1] : kLayouts[0];
    const RECT suggested{30, 40, 30 + there.outer.cx, 40 + there.outer.cy};
    SendMessageW(app->window().handle(), WM_DPICHANGED, MAKEWPARAM(there.dpi, there.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT outer{};
    GetWindowRect(app->window().handle(), &outer);
    EXPECT_EQ(Place(outer), Place(suggested));
    expectLayout(there);

    // A long text goes into a fresh control, which draws at the same size.
    const HWND old = editor().window();
    editor().setText(test::longChineseText(3000));
    ASSERT_NE(editor().window(), old);
    expectNinePointText(there.dpi);
    EXPECT_EQ(placeOf(editor().window()), Place(there.editor));
}

}  // namespace
}  // namespace wendrill
