#include "app/command_bracket.h"
#include "app/controls/label.h"
#include "app/decode/card_texts.h"
#include "app/main_dialog.h"
#include "platform/ui/qt_access.h"
#include "platform/ui/strings.h"
#include "tests/app/app_test_support.h"

#include <QImage>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

class AppLabel : public AppTestEnv {
protected:
    void SetUp() override {
        AppTestEnv::SetUp();
        m_dialog = std::make_unique<CDQ450DemoDlg>();
        ASSERT_TRUE(m_dialog->CreateModeless());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(*m_dialog)));
    }
    void TearDown() override {
        m_dialog->DestroyWindow();
        m_dialog.reset();
        AppTestEnv::TearDown();
    }
    std::unique_ptr<CDQ450DemoDlg> m_dialog;
};

TEST_F(AppLabel, UnconfiguredLabelKeepsTheSystemLook) {
    ui::Control caption = m_dialog->Item(1049);
    const ui::Color before = caption.TextColor();
    const int height = caption.FontHeight();
    const int weight = caption.FontWeight();
    CLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(1049, *m_dialog));
    EXPECT_EQ(label.TextColor(), before);
    EXPECT_EQ(caption.TextColor(), before);
    EXPECT_EQ(caption.FontHeight(), height);
    EXPECT_EQ(caption.FontWeight(), weight);

    CLabel missing;
    EXPECT_FALSE(missing.SubclassDlgItem(4242, *m_dialog));
}

TEST_F(AppLabel, SettersChangeTheFontAndColourAndRepaintAtOnce) {
    CLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(1049, *m_dialog));
    ui::Control control = label.Control();
    int paints = 0;
    control.SetPaintHook([&] { ++paints; });

    label.ApplyFontHeight(14);
    EXPECT_EQ(paints, 1);
    label.ApplyBold();
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(control.FontHeight(), -14);
    EXPECT_EQ(control.FontWeight(), 700);
    EXPECT_EQ(ui::WidgetOf(control)->font().pixelSize(), 14);
    EXPECT_TRUE(ui::WidgetOf(control)->font().bold());

    label.ApplyTextColor(ui::Rgb(200, 0, 0));
    EXPECT_EQ(paints, 3);
    EXPECT_EQ(label.TextColor(), ui::Rgb(200, 0, 0));
    EXPECT_EQ(control.TextColor(), ui::Rgb(200, 0, 0));
    control.SetPaintHook({});
}

TEST_F(AppLabel, MainDialogAndPageLabelsAreSetUp) {
    struct Case {
        const CLabel& label;
        int height;
    };
    const Case mainLabels[] = {{m_dialog->m_lblStatus, -14},
                               {m_dialog->m_lblHardwareId, -16},
                               {m_dialog->m_lblVersion, -12}};
    for (const Case& c : mainLabels) {
        EXPECT_EQ(c.label.Control().FontHeight(), c.height);
        EXPECT_EQ(c.label.Control().FontWeight(), 700);
    }
    EXPECT_EQ(m_dialog->m_lblHardwareId.Control().TextColor(), ui::Rgb(0, 0, 0));
    EXPECT_EQ(m_dialog->m_lblVersion.Control().TextColor(), ui::Rgb(0, 0, 200));

    // Every one of the swipe test page's labels found its static.
    for (const CLabel& label : m_dialog->m_pageHidTest.m_labels) {
        ASSERT_TRUE(label.Control().IsValid());
        EXPECT_EQ(label.Control().FontWeight(), 700);
    }
    const ui::Control swipeCount = m_dialog->m_pageHidTest.Item(1253);
    EXPECT_EQ(swipeCount.FontHeight(), -16);
    EXPECT_EQ(swipeCount.TextColor(), ui::Rgb(200, 0, 0));
    EXPECT_EQ(m_dialog->m_pageHidTest.Item(1304).TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_EQ(m_dialog->m_pageHidTest.Item(1154).TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_EQ(m_dialog->m_pageIBtn.m_lblCardNo.Control().FontHeight(), -18);
    EXPECT_EQ(m_dialog->m_pageIBtn.m_lblCardNo.Control().TextColor(), ui::Rgb(200, 0, 0));
}

// The status line keeps every outcome on one line. A text too wide for it at
// the line's own font (14 px, bold) takes the largest bold size that fits,
// with a line of at least 10 px; a text that fits gets the own font back.
class AppStatusLine : public AppTestEnv {
protected:
    struct Fit {
        int pixelSize;
        bool bold;
        int lineHeight;
        int width;
        int widthOneLarger;
    };

    static Fit FitOf(const QWidget& status, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        QFont larger = status.font();
        larger.setPixelSize(status.font().pixelSize() + 1);
        return {status.font().pixelSize(), status.font().bold(), status.fontMetrics().height(),
                status.fontMetrics().horizontalAdvance(shown),
                QFontMetrics(larger).horizontalAdvance(shown)};
    }
};

TEST_F(AppStatusLine, FontFitsTheLongestOutcomesInBothLanguages) {
    int shrunk = 0;
    for (const uint16_t language : {uint16_t(0x0409), uint16_t(0x0804)}) {
        SetThreadUILanguage(language);
        CDQ450DemoDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        const QWidget& status = *ui::WidgetOf(dialog.m_lblStatus.Control());
        const int room = status.contentsRect().width();
        const ui::Dialog* pages[] = {&dialog.m_pageUsb, &dialog.m_pageIBtn, &dialog.m_pageRs};
        for (const ui::Dialog* page : pages) {
            for (const res::ControlTemplate& control :
                 res::FindDialogTemplate(page->TemplateId())->controls) {
                if (control.kind != res::ControlKind::PushButton)
                    continue;
                for (const bool success : {true, false}) {
                    const ui::ScopedCommandId command(control.id);
                    const std::string text = MakeResultMessage(*page, success);
                    SetStatusText(dialog, text);
                    const Fit fit = FitOf(status, text);
                    SCOPED_TRACE(text);
                    EXPECT_TRUE(fit.bold);
                    EXPECT_LE(fit.width, room);
                    EXPECT_GE(fit.lineHeight, 10);
                    if (fit.pixelSize < 14) {
                        EXPECT_GT(fit.widthOneLarger, room);
                        ++shrunk;
                    } else {
                        EXPECT_EQ(fit.pixelSize, 14);
                    }
                }
            }
        }

        // No size fits this one: the smallest with a 10 px line is taken.
        const std::string tooLong(200, 'W');
        SetStatusText(dialog, tooLong);
        EXPECT_GE(status.fontMetrics().height(), 10);
        QFont smaller = status.font();
        smaller.setPixelSize(status.font().pixelSize() - 1);
        EXPECT_LT(QFontMetrics(smaller).height(), 10);

        SetStatusText(dialog, ui::LoadString(111));
        EXPECT_EQ(status.font().pixelSize(), 14);
        EXPECT_TRUE(status.font().bold());
        EXPECT_EQ(dialog.m_lblStatus.Control().FontHeight(), -14);
        dialog.DestroyWindow();
    }
    EXPECT_GT(shrunk, 0) << "no outcome was too wide for the line's own font";
}

// A label whose glyphs are taller than its box at its own font takes a
// smaller size and centres them on the box, so no stroke lands on the frame:
// the Chinese UI's decode marks and a sentinel with a descender.
using AppLabelGlyphs = AppTestEnv;

TEST_F(AppLabelGlyphs, ChineseMarksAndSentinelsStayInsideTheirFrame) {
    SetThreadUILanguage(0x0804);
    CDQ450DemoDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    CHidTestDlg& page = dialog.m_pageHidTest;
    struct Case {
        int id;
        std::string_view text;
    };
    const Case cases[] = {{IDC_DECODE_MARKS[0], kDecodeModeOnMark},
                          {IDC_DECODE_MARKS[0], kDecodeModeOffMark},
                          {IDC_SENTINELS[2], ";"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        ui::Control control = page.Item(c.id);
        control.SetText(c.text);
        QWidget& label = *ui::WidgetOf(control);
        const QImage image = label.grab().toImage();
        // The frame and the background are grey; only the glyphs have colour.
        int strokesOutside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const int spread = std::max({pixel.red(), pixel.green(), pixel.blue()}) -
                                   std::min({pixel.red(), pixel.green(), pixel.blue()});
                if (spread > 60 && !label.contentsRect().contains(x, y))
                    ++strokesOutside;
            }
        }
        EXPECT_EQ(strokesOutside, 0);
        EXPECT_TRUE(label.font().bold());
    }
    dialog.DestroyWindow();
}

} // namespace
