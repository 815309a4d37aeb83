// Windows that look like the program's own: frames as the template styles say, boxes in the dialog font.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>

#include "platform/ui/linux/WidgetOf.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/linux/MessageBoxWindow.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"
#include "platform/ui/linux/WindowFrame.h"
#include "tests/platform/ui/TestResources.h"

namespace {

using namespace ui::detail;

struct FrameCase
{
    const char* name;
    DWORD style;
    std::uint32_t functions;
    std::uint32_t decorations;
};

class WindowFrames : public testing::TestWithParam<FrameCase>
{
};

TEST_P(WindowFrames, OfferOnlyTheButtonsAndFunctionsTheStyleNames)
{
    const FrameCase c = GetParam();
    const MotifHints hints = MotifHintsFor(c.style);
    EXPECT_EQ(hints.flags, kMotifHintFunctions | kMotifHintDecorations);
    EXPECT_EQ(hints.functions, c.functions);
    EXPECT_EQ(hints.decorations, c.decorations);
}

constexpr DWORD kPopup = WS_POPUP | WS_VISIBLE | DS_MODALFRAME;

INSTANTIATE_TEST_SUITE_P(
    Styles, WindowFrames,
    testing::Values(
        // The notice: a title bar without system menu, so no close box, and no other button either.
        FrameCase{"NoticeHasATitleBarAndNoButtons", kPopup | WS_CAPTION, kMotifFuncMove,
                  kMotifDecorBorder | kMotifDecorTitle},
        FrameCase{"MainWindowHasCloseAndMinimise", kPopup | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                  kMotifFuncMove | kMotifFuncClose | kMotifFuncMinimize,
                  kMotifDecorBorder | kMotifDecorTitle | kMotifDecorMenu | kMotifDecorMinimize},
        FrameCase{"DialogHasCloseOnly", kPopup | WS_CAPTION | WS_SYSMENU, kMotifFuncMove | kMotifFuncClose,
                  kMotifDecorBorder | kMotifDecorTitle | kMotifDecorMenu},
        FrameCase{"BoxesWithoutSystemMenuIgnoreMinimise", kPopup | WS_CAPTION | WS_MINIMIZEBOX,
                  kMotifFuncMove, kMotifDecorBorder | kMotifDecorTitle},
        FrameCase{"SizingBorderResizes", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX,
                  kMotifFuncMove | kMotifFuncResize | kMotifFuncClose | kMotifFuncMaximize,
                  kMotifDecorBorder | kMotifDecorResizeHandle | kMotifDecorTitle | kMotifDecorMenu |
                      kMotifDecorMaximize},
        FrameCase{"BareBorderNeitherMovesNorCloses", WS_POPUP | WS_BORDER, 0, kMotifDecorBorder}),
    [](const testing::TestParamInfo<FrameCase>& row) { return std::string(row.param.name); });

TEST(WindowFrame, TheNoticeKeepsItsEmptyCaptionAndAFrameWithoutButtons)
{
    CDialog notice(IDD_TEST_NOTICE);
    ASSERT_TRUE(notice.Create(IDD_TEST_NOTICE));
    const std::optional<WindowFrame> frame = KeptWindowFrame(*WidgetOf(&notice));
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->title, ""); // not the application's name
    EXPECT_EQ(frame->hints, MotifHintsFor(WS_POPUP | WS_CAPTION));
    notice.SetWindowText("Now titled");
    EXPECT_EQ(KeptWindowFrame(*WidgetOf(&notice))->title, "Now titled");
    notice.DestroyWindow();
}

TEST(WindowFrame, DialogsKeepTheFrameOfTheirTemplate)
{
    CDialog form(IDD_TEST_FORM);
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    const std::optional<WindowFrame> frame = KeptWindowFrame(*WidgetOf(&form));
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->title, "Form");
    EXPECT_EQ(frame->hints.functions, kMotifFuncMove | kMotifFuncClose | kMotifFuncMinimize);
    form.DestroyWindow();
}

TEST(MessageBoxWindow, MessageBoxesLookLikeTheDialogs)
{
    CDialog form(IDD_TEST_FORM);
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    std::unique_ptr<QMessageBox> box =
        BuildMessageBox(WidgetOf(&form), "Name files installed.", "Success", MB_OK);
    const QFont dialogFont = WidgetOf(&form)->font();
    EXPECT_EQ(box->font().family(), dialogFont.family());
    EXPECT_EQ(box->font().pixelSize(), dialogFont.pixelSize());
    for (QLabel* label : box->findChildren<QLabel*>())
        EXPECT_EQ(label->font().family(), dialogFont.family()) << label->text().toStdString();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->icon().isNull()); // no tick on OK
    EXPECT_EQ(ok->font().family(), dialogFont.family());
    EXPECT_EQ(box->windowTitle(), "Success");
    EXPECT_EQ(box->text(), "Name files installed.");
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_FALSE(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowCloseButtonHint);
    const std::optional<WindowFrame> frame = KeptWindowFrame(*box);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->hints.functions, kMotifFuncMove | kMotifFuncClose);
    EXPECT_EQ(frame->title, "Success");
    box.reset(); // before its owner, which would delete it too
    form.DestroyWindow();
}

// A box as wide as its short text left "Success" cut to "S…s" beside a window manager's icon and buttons.
TEST(MessageBoxWindow, ShortTextBoxIsWideEnoughForItsCaptionBesideTheFrameButtons)
{
    for (const char* caption : {"Success", "Failure", "Access Denied", "Velmora Name File Installer"}) {
        const std::unique_ptr<QMessageBox> box = BuildMessageBox(nullptr, "Done.", caption, MB_OK);
        box->show();
        // A common title bar: the caption in a bold 10-point sans, an icon and three 20-pixel buttons.
        QFont titleFont("DejaVu Sans", 10);
        titleFont.setBold(true);
        const int titleBar = QFontMetrics(titleFont).horizontalAdvance(QString::fromUtf8(caption)) + 4 * 20;
        EXPECT_GE(box->width(), titleBar) << caption;
    }
}

TEST(MessageBoxWindow, ExclamationBoxesCarryTheWarningIcon)
{
    const std::unique_ptr<QMessageBox> box =
        BuildMessageBox(nullptr, "Failed to set proxy user name.", "Zentrimo", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

} // namespace
