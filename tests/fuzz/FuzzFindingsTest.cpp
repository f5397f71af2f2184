// The faults that fuzzing the parsers turned up, each pinned down by the behaviour that
// fixed it. The inputs that showed them are replayed too (fuzz/regressions); these tests
// say what the right outcome is.

#include <gtest/gtest.h>

#include <QString>
#include <climits>
#include <memory>

#include "FakePaintHost.h"
#include "FuzzTargets.h"
#include "platform/IniFile.h"
#include "toolkit/AttributeList.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UIControl.h"
#include "toolkit/UISlider.h"

namespace {

using platform::IniFile;

// A leading U+FEFF in a name or value was taken for a byte-order mark and dropped on reading.
TEST(IniFileFinding, ByteOrderMarkCharacterInsideTheFileIsKept) {
    const QString mark(QChar(0xFEFF));
    const QString section = mark + QStringLiteral("Section");
    const QString key = mark + QStringLiteral("key");
    const QString value = mark + QStringLiteral("value");
    IniFile file = IniFile::Parse(QByteArrayView());
    file.SetValue(section, key, value);
    const IniFile reread = IniFile::Parse(file.ToBytes());
    EXPECT_EQ(reread.SectionNames(), QStringList{section});
    EXPECT_EQ(reread.String(section, key, QString()), value);
    // A file's own mark is still no part of its first line.
    const IniFile marked = IniFile::Parse("\xEF\xBB\xBF[S]\nk=v\n");
    EXPECT_EQ(marked.SectionNames(), QStringList{QStringLiteral("S")});
}

class LayoutFinding : public testing::Test {
  protected:
    void SetUp() override {
        EnsureGuiApplication();
        manager.Init(&host);
    }
    std::unique_ptr<CControlUI> Build(const QString& xml) {
        return builder.CreateFromData(xml.toUtf8(), &manager, QStringLiteral("test.xml"));
    }
    // Controls nested `levels` deep: Window > Container > ... > Label.
    static QString Nested(int levels, bool closed = true) {
        QString xml = QStringLiteral("<Window>");
        for (int i = 1; i < levels; ++i) xml += QStringLiteral("<Container>");
        xml += QStringLiteral("<Label/>");
        if (closed) {
            for (int i = 1; i < levels; ++i) xml += QStringLiteral("</Container>");
        }
        return xml + QStringLiteral("</Window>");
    }

    FakePaintHost host{QSize(320, 200)};
    CPaintManagerUI manager;
    CDialogBuilder builder;
};

// A style that named itself, directly or through another, recursed until the stack ran out.
TEST_F(LayoutFinding, StyleCyclesAreErrorsAndNestedStylesStillApply) {
    EXPECT_FALSE(Build(QStringLiteral(R"(<Window>
        <Style name="a" value="style=&quot;b&quot;" />
        <Style name="b" value="style=&quot;a&quot;" />
        <Label style="a" /></Window>)")));
    ASSERT_FALSE(builder.GetErrors().isEmpty());
    EXPECT_TRUE(builder.GetErrors().front().contains(u"style"))
        << builder.GetErrors().join(u'\n').toStdString();

    // The same style twice, and one style inside another, are no cycle.
    const auto root = Build(QStringLiteral(R"(<Window>
        <Style name="inner" value="height=&quot;7&quot;" />
        <Style name="outer" value="style=&quot;inner&quot; width=&quot;5&quot;" />
        <HorizontalLayout><Label name="a" style="outer" /><Label name="b" style="outer" /></HorizontalLayout>
        </Window>)"));
    ASSERT_TRUE(root) << builder.GetErrors().join(u'\n').toStdString();
    for (const char* name : {"a", "b"}) {
        const CControlUI* label = root->FindControlByName(QString::fromLatin1(name));
        ASSERT_TRUE(label) << name;
        EXPECT_EQ(label->GetFixedWidth(), 5) << name;
        EXPECT_EQ(label->GetFixedHeight(), 7) << name;
    }
}

// Sizes near the int limit overflowed the sums of the layout code.
TEST_F(LayoutFinding, GeometryBeyondTheLimitIsRefused) {
    const int limit = kMaxLayoutPixels;
    EXPECT_EQ(ParseSize(QStringLiteral("%1,%2").arg(limit).arg(-limit)), QSize(limit, -limit));
    EXPECT_FALSE(ParseSize(QStringLiteral("%1,0").arg(limit + 1)));
    EXPECT_FALSE(ParseEdges(QStringLiteral("0,%1,0,0").arg(-limit - 1)));
    EXPECT_FALSE(ParseCornerRect(QStringLiteral("0,0,%1,1").arg(INT_MIN)));

    CControlUI control;
    EXPECT_TRUE(control.SetAttribute(QStringLiteral("width"), QString::number(limit)));
    EXPECT_EQ(control.GetFixedWidth(), limit);
    EXPECT_FALSE(control.SetAttribute(QStringLiteral("height"), QString::number(limit + 1)));
    EXPECT_FALSE(control.SetAttribute(QStringLiteral("width"), QStringLiteral("2000000000")));
    EXPECT_EQ(control.GetFixedWidth(), limit);
}

// Deep enough nesting overflowed the stack while building.
TEST_F(LayoutFinding, NestingBeyondTheLimitIsAnError) {
    EXPECT_TRUE(Build(Nested(CDialogBuilder::kMaxNesting)))
        << builder.GetErrors().join(u'\n').toStdString();
    EXPECT_FALSE(Build(Nested(CDialogBuilder::kMaxNesting + 1)));
    EXPECT_TRUE(builder.GetErrors().join(u'\n').contains(u"nested deeper"));
    EXPECT_FALSE(Build(Nested(100000)));
    EXPECT_FALSE(Build(Nested(100000, false)));
}

TEST_F(LayoutFinding, ControlsBeyondTheLimitAreAnError) {
    const auto layout = [](int labels) {
        return QStringLiteral("<Window><HorizontalLayout>") +
               QStringLiteral("<Label/>").repeated(labels) +
               QStringLiteral("</HorizontalLayout></Window>");
    };
    // The layout itself is one control.
    EXPECT_TRUE(Build(layout(CDialogBuilder::kMaxControls - 1)))
        << builder.GetErrors().join(u'\n').toStdString();
    EXPECT_FALSE(Build(layout(CDialogBuilder::kMaxControls)));
    EXPECT_TRUE(builder.GetErrors().join(u'\n').contains(u"more than"));
}

// A slider over the whole int range took the span of the range in an int.
TEST(SliderFinding, FullIntRangeMapsWithoutOverflow) {
    CSliderUI slider;
    slider.SetMinValue(INT_MIN);
    slider.SetMaxValue(INT_MAX);
    slider.SetValue(0);
    ASSERT_TRUE(slider.SetAttribute(QStringLiteral("thumbsize"), QStringLiteral("10,10")));
    slider.SetPos(QRect(0, 0, 200, 20));
    // Travel is 190 pixels; 0 lies half-way along the range.
    EXPECT_EQ(slider.GetThumbRect().left(), 95);
    EXPECT_EQ(slider.ValueAt(QPoint(0, 10)), INT_MIN);
    EXPECT_EQ(slider.ValueAt(QPoint(199, 10)), INT_MAX);
    EXPECT_EQ(slider.ValueAt(QPoint(100, 10)), 0);
}

}  // namespace
